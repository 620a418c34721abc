#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <fstream>

#include "app/Avvio.h"
#include "app/ElencoCartelle.h"
#include "systems/Messages.h"
#include "systems/Routines.h"
#include "tests/app/FinestraDiProva.h"

namespace elencario::test {
namespace {

bool FinestraVisibile() {
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible()) return true;
    }
    return false;
}

// The parameter: a file named Sistemi stands where the systems folder should be.
class AvvioRifiutatoTest : public ::testing::TestWithParam<bool> {};

TEST_P(AvvioRifiutatoTest, ShowsTheMessageAndEndsWithoutWindowOrExitQuestion) {
    TempFolder programma;
    if (GetParam()) {
        std::filesystem::create_directory(programma.path() / "Shared");
        programma.Write("Shared/Sistemi", "1 2 3\r\n");
    }
    ScriptedMessages messaggi;
    const int esito = EseguiStampaElencario(*qApp, programma.Text(), messaggi, [] {
        ADD_FAILURE() << "no printer is made at start-up";
        return std::unique_ptr<TextPrinter>();
    });
    EXPECT_NE(esito, 0);
    EXPECT_EQ(messaggi.asked, std::vector{ErrorBox(" Non trovo Shared\\Sistemi ..! ")});
    EXPECT_FALSE(FinestraVisibile());
}

INSTANTIATE_TEST_SUITE_P(Avvio, AvvioRifiutatoTest, ::testing::Bool(), [](const auto& info) {
    return info.param ? "SistemiIsAFile" : "NothingBesideTheProgram";
});

TEST(AvvioTest, StartsOnTheSystemsFolderBesideTheProgram) {
    FinestraDiProva prova;
    prova.Scrivi("Sistema1.txt", "1 2 3\r\n");
    ASSERT_TRUE(prova.Apri());

    EXPECT_TRUE(prova.messaggi.asked.empty());
    const std::string s(1, kSeparatore);
    EXPECT_EQ(prova.Finestra().Variabili().PercorsoSistemi,
              prova.programma.Text() + s + "Shared" + s + "Sistemi" + s);
    EXPECT_EQ(prova.Controllo<ElencoCartelle>("Dir1")->Cartella(), prova.Sistemi());
    EXPECT_EQ(prova.VociDir1().back(), "Sistemi");
    EXPECT_EQ(prova.NomiFile1(), QStringList{"Sistema1.txt"});
    EXPECT_EQ(prova.Controllo<QLabel>("lblCatturate")->text(), "0");
    EXPECT_FALSE(prova.Controllo<QCheckBox>("chkNomeSistema")->isChecked());
    EXPECT_FALSE(prova.Controllo<QCheckBox>("chkNumeriInGioco")->isChecked());
    EXPECT_FALSE(prova.Finestra().isVisible());
}

struct Opzione {
    const char* nome;
    QStringList voci;
    QString testo;
};

class OpzioniTest : public ::testing::TestWithParam<Opzione> {};

TEST_P(OpzioniTest, HoldItsEntriesInOrderAndShowsItsStartingText) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    const auto* cmb = prova.Controllo<QComboBox>(GetParam().nome);
    ASSERT_NE(cmb, nullptr);
    QStringList voci;
    for (int i = 0; i < cmb->count(); ++i) voci << cmb->itemText(i);
    EXPECT_EQ(voci, GetParam().voci);
    EXPECT_EQ(cmb->currentText(), GetParam().testo);
    EXPECT_TRUE(cmb->isEditable());
}

INSTANTIATE_TEST_SUITE_P(
    Avvio, OpzioniTest,
    ::testing::Values(
        Opzione{"cmbCarattere", {"Segoe UI", "Courier New", "Verdana", "Trebuchet"}, "Segoe UI"},
        Opzione{"cmbGrandezza", {"8", "9", "10", "11", "12"}, "9"},
        Opzione{"cmbColonneRiga", {"2", "3", "4", "5", "6", "7", "8"}, "4"},
        Opzione{"cmbMargine", {"4", "6", "8", "10", "12", "14", "16", "18", "20"}, "12"}),
    [](const auto& info) { return std::string(info.param.nome); });

// The named control that holds the focus (a drop-down's text field counts as the drop-down).
QString ControlloConFuoco() {
    for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) {
            return w->objectName();
        }
    }
    return {};
}

TEST(AvvioTest, FocusStartsInTheFileListAndTabFollowsTheWindowOrder) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    prova.Mostra();
    EXPECT_EQ(ControlloConFuoco(), "File1");
    const QStringList giro = {"Dir1",           "cmbMargine",   "cmbColonneRiga",
                              "cmbGrandezza",   "cmbCarattere", "chkNumeriInGioco",
                              "chkNomeSistema", "cmdElencario", "File1"};
    QStringList visti;
    for (qsizetype i = 0; i < giro.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visti << ControlloConFuoco();
    }
    EXPECT_EQ(visti, giro);
}

}  // namespace
}  // namespace elencario::test
