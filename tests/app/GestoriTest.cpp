#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "systems/Messages.h"
#include "systems/Routines.h"
#include "tests/app/FinestraDiProva.h"

namespace elencario::test {
namespace {

const MessageRequest kConferma{"Confermi la stampa ? ", Buttons::YesNo, Icon::None,
                               DefaultButton::First, std::nullopt};
const MessageRequest kUscita{" Confermi uscita dal programma ?  ", Buttons::YesNo, Icon::Warning,
                             DefaultButton::Second, "            Fine Sessione"};

class GestoriTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prova.Scrivi("Sistema1.txt", "3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n");
        prova.Scrivi("due.txt", "1 2\r\n3 4\r\n");
        prova.Scrivi("rotto.txt", "5 6\r\n7 91\r\n");
        ASSERT_TRUE(prova.Apri());
        file1 = prova.Controllo<QListWidget>("File1");
        contatore = prova.Controllo<QLabel>("lblCatturate");
    }

    void Scrivi(QComboBox* cmb, const QString& testo) const {
        cmb->setFocus();
        cmb->lineEdit()->selectAll();
        QTest::keyClicks(cmb->lineEdit(), testo);
    }

    void Stampa() const { prova.Controllo<QPushButton>("cmdElencario")->click(); }

    FinestraDiProva prova;
    QListWidget* file1 = nullptr;
    QLabel* contatore = nullptr;
};

TEST_F(GestoriTest, ClickingAFileLoadsItAndShowsTheCountEveryTime) {
    prova.CliccaFile("Sistema1.txt");
    EXPECT_EQ(contatore->text(), "5");
    EXPECT_EQ(prova.Finestra().Variabili().TotCombinazioni, 5);
    EXPECT_EQ(prova.Finestra().Variabili().TotNumeri, 5);
    const std::string s(1, kSeparatore);
    EXPECT_EQ(prova.Finestra().Variabili().FileSistema,
              prova.programma.Text() + s + "Shared" + s + "Sistemi" + s + "Sistema1.txt");

    prova.Scrivi("Sistema1.txt", "1 2\r\n");
    prova.CliccaFile("Sistema1.txt");  // already selected: loaded again
    EXPECT_EQ(contatore->text(), "1");
    EXPECT_TRUE(prova.messaggi.asked.empty());
}

TEST_F(GestoriTest, ArrowKeysLoadEachFileTheSelectionPasses) {
    prova.Mostra();                        // the focus is in File1, on no file yet
    QTest::keyClick(file1, Qt::Key_Down);  // due.txt, rotto.txt, Sistema1.txt
    EXPECT_EQ(contatore->text(), "2");
    QTest::keyClick(file1, Qt::Key_Down);
    ASSERT_EQ(prova.messaggi.asked.size(), 1u);  // rotto.txt holds 91
    QTest::keyClick(file1, Qt::Key_Down);
    EXPECT_EQ(contatore->text(), "5");
    QTest::keyClick(file1, Qt::Key_Up);
    QTest::keyClick(file1, Qt::Key_Up);
    EXPECT_EQ(contatore->text(), "2");
    EXPECT_EQ(prova.messaggi.asked.size(), 2u);
}

TEST_F(GestoriTest, DraggingTheSelectionLoadsEachFileItReaches) {
    const auto centro = [this](int riga) {
        return file1->visualItemRect(file1->item(riga)).center();
    };
    prova.Mostra();
    QTest::mousePress(file1->viewport(), Qt::LeftButton, {}, centro(0));
    EXPECT_EQ(contatore->text(), "2");
    QTest::mouseMove(file1->viewport(), centro(2));
    QTest::mouseRelease(file1->viewport(), Qt::LeftButton, {}, centro(2));
    EXPECT_EQ(contatore->text(), "5");
    EXPECT_TRUE(prova.messaggi.asked.empty());  // the pointer jumped over rotto.txt
}

TEST_F(GestoriTest, AFailedLoadKeepsThePreviousSystemAndCount) {
    prova.CliccaFile("Sistema1.txt");
    const VARIABILI prima = prova.Finestra().Variabili();
    prova.CliccaFile("rotto.txt");
    EXPECT_EQ(prova.messaggi.asked, std::vector{ErrorBox("Si è verificato l' errore: 9")});
    EXPECT_EQ(contatore->text(), "5");
    EXPECT_EQ(prova.Finestra().Variabili(), prima);
}

TEST_F(GestoriTest, PrintWithNothingLoadedIsRefusedBeforeThePrinterIsTouched) {
    Stampa();
    EXPECT_EQ(prova.messaggi.asked, std::vector{ErrorBox("Selezionare un Sistema ..! ")});
    EXPECT_TRUE(prova.stampante.calls.empty());
}

TEST_F(GestoriTest, PrintAnsweredNoSendsNothing) {
    prova.CliccaFile("Sistema1.txt");
    prova.messaggi.answers = {Answer::No};
    Stampa();
    EXPECT_EQ(prova.messaggi.asked, std::vector{kConferma});
    EXPECT_TRUE(prova.stampante.calls.empty());
}

TEST_F(GestoriTest, ConfirmedPrintSendsTheListingWithTheOptionsAsTyped) {
    prova.Mostra();  // completion, which must not change what is typed, acts on a shown window
    prova.CliccaFile("Sistema1.txt");
    prova.Controllo<QCheckBox>("chkNomeSistema")->click();
    prova.Controllo<QCheckBox>("chkNumeriInGioco")->click();
    Scrivi(prova.Controllo<QComboBox>("cmbMargine"), "1");  // "10" is listed
    Scrivi(prova.Controllo<QComboBox>("cmbCarattere"), "Courier New");
    prova.messaggi.answers = {Answer::Yes};
    Stampa();

    EXPECT_EQ(prova.messaggi.asked, std::vector{kConferma});
    ASSERT_GE(prova.stampante.calls.size(), 2u);
    EXPECT_EQ(prova.stampante.calls[0], "font Courier New");
    EXPECT_EQ(prova.stampante.calls[1], "size " + std::to_string(9.0f));
    EXPECT_TRUE(prova.stampante.documentEnded);
    const std::vector<std::string> attese = {
        "",
        "",
        " SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5",
        "",
        "",
        " IN GIOCO:",
        " 03 08 15 27 42 ",
        "",
        "",
        " 3 15 27   -   3 15 42   -   3 27 42   -   15 27 42",
        " 8 15 27",
    };
    EXPECT_EQ(prova.stampante.Listing(), attese);
}

TEST_F(GestoriTest, ExitQuestionAnsweredNoKeepsEverythingThenYesCloses) {
    prova.Mostra();
    prova.CliccaFile("due.txt");
    const VARIABILI prima = prova.Finestra().Variabili();
    prova.messaggi.answers = {Answer::No, Answer::Yes};

    EXPECT_FALSE(prova.Finestra().close());
    EXPECT_TRUE(prova.Finestra().isVisible());
    EXPECT_EQ(prova.Finestra().Variabili(), prima);
    EXPECT_EQ(contatore->text(), "2");

    EXPECT_TRUE(prova.Finestra().close());
    EXPECT_FALSE(prova.Finestra().isVisible());
    EXPECT_EQ(prova.messaggi.asked, (std::vector{kUscita, kUscita}));
}

}  // namespace
}  // namespace elencario::test
