// The two lists and the handlers behind them: what is chosen is loaded, what is highlighted is
// what is loaded, the lists follow the disk, printing and closing.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <functional>

#include "app/ElencoCartelle.h"
#include "systems/Messages.h"
#include "systems/Routines.h"
#include "tests/app/FinestraDiProva.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;
const QString kSistema1 = QStringLiteral("Sistema1.txt");

class ListeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prova.Scrivi("Sistema1.txt", "3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n");
        prova.Scrivi("due.txt", "1 2\r\n3 4\r\n");
        prova.Scrivi("rotto.txt", "5 6\r\n7 91\r\n");
        prova.Scrivi("sparito.txt", "1\r\n");
        fs::create_directory(prova.Sistemi() / "alfa");
        ASSERT_TRUE(prova.Apri());
        fs::remove(prova.Sistemi() / "sparito.txt");  // listed, gone when clicked
    }
    QString Contatore() const { return prova.Controllo<QLabel>("lblCatturate")->text(); }
    // The highlighted names, the counter and its tooltip tell the same loaded system.
    void Caricato(const QString& nome, const char* conteggio) const {
        EXPECT_EQ(prova.Voci("File1", true), nome.isEmpty() ? QStringList() : QStringList{nome});
        EXPECT_EQ(Contatore(), conteggio);
        const auto* l = prova.Controllo<QLabel>("lblCatturate");
        EXPECT_EQ(l->toolTip(), nome.isEmpty() ? "Nessun sistema caricato"
                                               : QString::fromStdString(TestoDaPercorso(
                                                     prova.Sistemi() / nome.toStdString())));
    }

    FinestraDiProva prova;
};

struct Scelta {
    const char* nome;
    const char* primaCaricato;  // clicked first, or nothing
    const char* cliccato;
    Qt::MouseButton tasto;
    Qt::KeyboardModifiers modificatori;
    const char* evidenziato;  // afterwards, "" for no name
    const char* conteggio;
    const char* messaggio;  // nullptr for none
};

class SceltaTest : public ListeTest, public ::testing::WithParamInterface<Scelta> {};

TEST_P(SceltaTest, OnlyThePlainPrimaryClickChoosesAndTheHighlightIsWhatIsLoaded) {
    const Scelta& s = GetParam();
    if (s.primaCaricato != nullptr) prova.Clicca(s.primaCaricato);
    prova.Clicca(s.cliccato, s.tasto, s.modificatori);
    Caricato(s.evidenziato, s.conteggio);
    EXPECT_EQ(prova.messaggi.asked,
              s.messaggio ? std::vector{ErrorBox(s.messaggio)} : std::vector<MessageRequest>{});
}

constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kNo = Qt::NoModifier;
const char* const kErrore9 = "Si è verificato l' errore: 9";
INSTANTIATE_TEST_SUITE_P(
    File1, SceltaTest,
    ::testing::Values(
        Scelta{"Plain", "Sistema1.txt", "due.txt", Qt::LeftButton, kNo, "due.txt", "2", nullptr},
        Scelta{"PlainOnLoaded", nullptr, "due.txt", Qt::LeftButton, kNo, "due.txt", "2", nullptr},
        Scelta{"Right", "Sistema1.txt", "due.txt", Qt::RightButton, kNo, "Sistema1.txt", "5",
               nullptr},
        Scelta{"Middle", "Sistema1.txt", "due.txt", Qt::MiddleButton, kNo, "Sistema1.txt", "5",
               nullptr},
        Scelta{"Back", nullptr, "due.txt", Qt::BackButton, kNo, "", "0", nullptr},
        Scelta{"Ctrl", "Sistema1.txt", "due.txt", Qt::LeftButton, kCtrl, "Sistema1.txt", "5",
               nullptr},
        Scelta{"CtrlOnLoaded", "Sistema1.txt", "Sistema1.txt", Qt::LeftButton, kCtrl,
               "Sistema1.txt", "5", nullptr},
        Scelta{"Shift", nullptr, "due.txt", Qt::LeftButton, Qt::ShiftModifier, "", "0", nullptr},
        Scelta{"AltRight", "due.txt", "rotto.txt", Qt::RightButton, Qt::AltModifier, "due.txt", "2",
               nullptr},
        Scelta{"BadContentBackToLoaded", "Sistema1.txt", "rotto.txt", Qt::LeftButton, kNo,
               "Sistema1.txt", "5", kErrore9},
        Scelta{"BadContentNothingLoaded", nullptr, "rotto.txt", Qt::LeftButton, kNo, "", "0",
               kErrore9},
        Scelta{"VanishedBackToLoaded", "due.txt", "sparito.txt", Qt::LeftButton, kNo, "due.txt",
               "2", "File non trovato ..! "}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ListeTest, TheKeyboardLoadsEachNameItPassesAndMovesOnPastAFailure) {
    prova.Mostra();  // the focus is in File1, on no name yet
    auto* file1 = prova.Controllo<QWidget>("File1");
    QTest::keyClick(file1, Qt::Key_Down);  // due.txt, rotto.txt, Sistema1.txt, sparito.txt
    Caricato("due.txt", "2");
    QTest::keyClick(file1, Qt::Key_Down);
    Caricato("due.txt", "2");
    QTest::keyClick(file1, Qt::Key_Down);
    Caricato(kSistema1, "5");
    QTest::keyClick(file1, Qt::Key_Up);
    QTest::keyClick(file1, Qt::Key_Up);
    Caricato("due.txt", "2");
    EXPECT_EQ(prova.messaggi.asked, std::vector(2, ErrorBox(kErrore9)));
}

TEST_F(ListeTest, DraggingThePrimaryButtonLoadsEachNameItReaches) {
    auto* file1 = prova.Controllo<QListWidget>("File1");
    const auto centro = [&](int riga) { return file1->visualItemRect(file1->item(riga)).center(); };
    prova.Mostra();
    QTest::mousePress(file1->viewport(), Qt::LeftButton, {}, centro(0));
    Caricato("due.txt", "2");
    QTest::mouseMove(file1->viewport(), centro(2));
    QTest::mouseRelease(file1->viewport(), Qt::LeftButton, {}, centro(2));
    Caricato(kSistema1, "5");
    EXPECT_TRUE(prova.messaggi.asked.empty());  // the pointer jumped over rotto.txt
}

TEST_F(ListeTest, ThePrintButtonPrintsTheLoadedSystemWithTheOptionsAsTyped) {
    prova.Mostra();  // completion, which must not change what is typed, acts on a shown window
    prova.Clicca(kSistema1);
    prova.Controllo<QCheckBox>("chkNomeSistema")->click();
    for (const auto& [nome, testo] : {std::pair{"cmbMargine", "1"}, {"cmbCarattere", "Arial"}}) {
        auto* cmb = prova.Controllo<QComboBox>(nome);  // "10" is listed: "1" must stay "1"
        cmb->setFocus();
        cmb->lineEdit()->selectAll();
        QTest::keyClicks(cmb->lineEdit(), testo);
    }
    prova.messaggi.answers = {Answer::Yes};
    prova.Controllo<QPushButton>("cmdElencario")->click();
    ASSERT_EQ(prova.messaggi.asked.size(), 1u);
    EXPECT_EQ(prova.messaggi.asked[0].text, "Confermi la stampa ? ");
    EXPECT_EQ(prova.stampante.calls.at(0), "font Arial");
    EXPECT_EQ(prova.stampante.calls.at(1), "size " + std::to_string(9.0f));
    EXPECT_EQ(prova.stampante.Listing(),
              (std::vector<std::string>{"", "", " SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5", "",
                                        "", " 3 15 27   -   3 15 42   -   3 27 42   -   15 27 42",
                                        " 8 15 27"}));
}

TEST_F(ListeTest, ExitQuestionAnsweredNoKeepsEverythingThenYesCloses) {
    prova.Mostra();
    prova.Clicca("due.txt");
    const VARIABILI prima = prova.Finestra().Variabili();
    prova.messaggi.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(prova.Finestra().close());
    EXPECT_TRUE(prova.Finestra().isVisible());
    EXPECT_EQ(prova.Finestra().Variabili(), prima);
    Caricato("due.txt", "2");
    EXPECT_TRUE(prova.Finestra().close());
    EXPECT_FALSE(prova.Finestra().isVisible());
    const MessageRequest uscita{" Confermi uscita dal programma ?  ", Buttons::YesNo, Icon::Warning,
                                DefaultButton::Second, "            Fine Sessione"};
    EXPECT_EQ(prova.messaggi.asked, std::vector(2, uscita));
}

TEST(File1Test, ListsOnlyRegularTextFilesSortedWithoutRegardToCase) {
    FinestraDiProva prova;
    for (const char* nome : {"c.Txt", "B.TXT", "a.txt", "d.DAT", "txt", "e.txt.bak", ".h.txt"}) {
        prova.Scrivi(nome, "1 2\r\n");
    }
    fs::create_directory(prova.Sistemi() / "cartella.TXT");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((prova.Sistemi() / "tubo.txt").c_str(), 0600), 0);
#endif
    ASSERT_TRUE(prova.Apri());
    EXPECT_EQ(prova.Voci("File1"), (QStringList{"a.txt", "B.TXT", "c.Txt"}));
}

// A 0xE0 byte, which is no UTF-8, in the program's folder, a subfolder and a system's name.
TEST(File1Test, NamesThatAreNotUtf8StartListAndLoad) {
    FinestraDiProva prova("cart\xE0");
    prova.Scrivi("\xE0.txt", "1 2\r\n");
    prova.Scrivi("sotto\xE0/s.txt", "1 2\r\n3 4\r\n5 6\r\n");
    ASSERT_TRUE(prova.Apri());
    prova.Clicca(QString::fromUtf8("\uFFFD.txt"));
    EXPECT_EQ(prova.Finestra().Variabili().FileSistema,
              TestoDaPercorso(prova.Sistemi() / "\xE0.txt"));
    EXPECT_EQ(prova.Finestra().Variabili().TotCombinazioni, 1);
    auto* dir1 = prova.Controllo<ElencoCartelle>("Dir1");
    dir1->ApriVoce(dir1->count() - 1);
    EXPECT_EQ(prova.Voci("File1"), QStringList{"s.txt"});
    prova.Clicca("s.txt");
    EXPECT_EQ(prova.Finestra().Variabili().TotCombinazioni, 3);
    EXPECT_EQ(NomeSistema(prova.Finestra().Variabili().FileSistema), "S.TXT");
    EXPECT_TRUE(prova.messaggi.asked.empty());
}

TEST_F(ListeTest, Dir1OpensAFolderTheFileListFollowsAndTheLoadedSystemStays) {
    auto* dir1 = prova.Controllo<ElencoCartelle>("Dir1");
    const QStringList voci = prova.Voci("Dir1");
    EXPECT_EQ(voci.mid(voci.size() - 2), (QStringList{"Sistemi", "alfa"}));
    EXPECT_EQ(dir1->currentRow(), voci.size() - 2);
    prova.Scrivi("alfa/dentro.txt", "4 5 6\r\n");
    prova.Scrivi("alfa/rotto.txt", "0\r\n");
    prova.Clicca(kSistema1);
    const VARIABILI prima = prova.Finestra().Variabili();

    dir1->setCurrentRow(voci.size() - 1);
    QTest::keyClick(dir1, Qt::Key_Return);
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi() / "alfa");
    EXPECT_EQ(prova.Voci("File1"), (QStringList{"dentro.txt", "rotto.txt"}));
    prova.Clicca("rotto.txt");  // fails: the loaded system is not in this folder
    EXPECT_EQ(prova.Finestra().Variabili(), prima);
    EXPECT_TRUE(prova.Voci("File1", true).isEmpty());

    prova.Mostra();
    const QRect dove = dir1->visualItemRect(dir1->findItems("Sistemi", Qt::MatchExactly)[0]);
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, dove.center());
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi() / "alfa");  // one click only chooses
    QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, dove.center());
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi());
    Caricato(kSistema1, "5");
}

TEST_F(ListeTest, AFolderThatCannotBeReadIsRefusedAndNothingMoves) {
    auto* dir1 = prova.Controllo<ElencoCartelle>("Dir1");
    const QStringList voci = prova.Voci("Dir1");
    const QStringList file = prova.Voci("File1");
    fs::remove(prova.Sistemi() / "alfa");
    dir1->setCurrentRow(voci.size() - 1);
    QTest::keyClick(dir1, Qt::Key_Enter);
    EXPECT_EQ(prova.messaggi.asked, std::vector{ErrorBox("Cartella non accessibile ..! ")});
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi());
    EXPECT_EQ(prova.Voci("Dir1"), voci);
    EXPECT_EQ(prova.Voci("File1"), file);
}

struct Cambio {
    const char* nome;
    std::function<void(const fs::path&)> fai;
    QStringList file, sottocartelle;
    const char* evidenziato;
};

class DiscoTest : public ListeTest, public ::testing::WithParamInterface<Cambio> {};

// Sistema1.txt is loaded; after the change the lists show the disk, nothing is loaded again.
TEST_P(DiscoTest, TheListsFollowTheDiskAndTheLoadedSystemStays) {
    prova.Clicca(kSistema1);
    const VARIABILI prima = prova.Finestra().Variabili();
    GetParam().fai(prova.Sistemi());
    const auto sottocartelle = [&] {
        return prova.Voci("Dir1").mid(prova.Voci("Dir1").indexOf("Sistemi") + 1);
    };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return prova.Voci("File1") == GetParam().file &&
                   sottocartelle() == GetParam().sottocartelle;
        },
        2000))
        << prova.Voci("File1").join(',').toStdString() << " "
        << sottocartelle().join(',').toStdString();
    const char* evidenziato = GetParam().evidenziato;
    EXPECT_EQ(prova.Voci("File1", true), evidenziato ? QStringList{evidenziato} : QStringList());
    EXPECT_EQ(prova.Finestra().Variabili(), prima);
    EXPECT_EQ(Contatore(), "5");
    EXPECT_TRUE(prova.messaggi.asked.empty());
}

INSTANTIATE_TEST_SUITE_P(Liste, DiscoTest,
                         ::testing::Values(Cambio{"FileCreatedLoadedOneRewritten",
                                                  [](const fs::path& s) {
                                                      std::ofstream(s / "Sistema1.txt") << "1\r\n";
                                                      std::ofstream(s / "nuovo.TXT") << "1\r\n";
                                                  },
                                                  {"due.txt", "nuovo.TXT", "rotto.txt",
                                                   "Sistema1.txt"},
                                                  {"alfa"},
                                                  "Sistema1.txt"},
                                           Cambio{"FileRemovedAndFolderCreated",
                                                  [](const fs::path& s) {
                                                      fs::remove(s / "due.txt");
                                                      fs::create_directory(s / "Beta");
                                                  },
                                                  {"rotto.txt", "Sistema1.txt"},
                                                  {"alfa", "Beta"},
                                                  "Sistema1.txt"},
                                           Cambio{"LoadedRenamedAndFolderRenamed",
                                                  [](const fs::path& s) {
                                                      fs::rename(s / "Sistema1.txt", s / "s2.txt");
                                                      fs::rename(s / "alfa", s / "gamma");
                                                  },
                                                  {"due.txt", "rotto.txt", "s2.txt"},
                                                  {"gamma"},
                                                  nullptr}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ListeTest, TheListedFolderRemovedIsReportedOnceAndTheListsStay) {
    const QStringList file = prova.Voci("File1");
    fs::remove_all(prova.Sistemi());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !prova.messaggi.asked.empty(); }, 2000));
    QTest::qWait(300);
    EXPECT_EQ(prova.messaggi.asked, std::vector{ErrorBox("Cartella non accessibile ..! ")});
    EXPECT_EQ(prova.Voci("File1"), file);
}

}  // namespace
}  // namespace elencario::test
