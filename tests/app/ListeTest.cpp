#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "app/ElencoCartelle.h"
#include "app/ElencoFile.h"
#include "systems/Messages.h"
#include "tests/app/FinestraDiProva.h"

namespace elencario::test {
namespace {

TEST(File1Test, ListsOnlyRegularTextFilesSortedWithoutRegardToCase) {
    FinestraDiProva prova;
    for (const char* nome : {"c.Txt", "B.TXT", "a.txt", "d.DAT", "txt", "e.txt.bak"}) {
        prova.Scrivi(nome, "1 2\r\n");
    }
    std::filesystem::create_directory(prova.Sistemi() / "cartella.TXT");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((prova.Sistemi() / "tubo.txt").c_str(), 0600), 0);
#endif
    ASSERT_TRUE(prova.Apri());
    EXPECT_EQ(prova.NomiFile1(), (QStringList{"a.txt", "B.TXT", "c.Txt"}));
}

class Dir1Test : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* nome : {"Zeta", "alfa", "Beta"}) {
            std::filesystem::create_directory(prova.Sistemi() / nome);
        }
        prova.Scrivi("alfa/dentro.txt", "4 5 6\r\n");
        prova.Scrivi("uno.txt", "1 2 3\r\n7 8\r\n");
        ASSERT_TRUE(prova.Apri());
        dir1 = prova.Controllo<ElencoCartelle>("Dir1");
    }

    int Riga(const QString& testo) const {
        const auto trovati = dir1->findItems(testo, Qt::MatchExactly);
        return trovati.size() == 1 ? dir1->row(trovati.front()) : -1;
    }

    FinestraDiProva prova;
    ElencoCartelle* dir1 = nullptr;
};

TEST_F(Dir1Test, ShowsTheChainFromTheRootThenTheSubfoldersIndented) {
    QStringList attese;
    std::filesystem::path p = prova.Sistemi();
    for (;; p = p.parent_path()) {
        attese.prepend(p.has_filename() ? QString::fromStdString(p.filename().string())
                                        : QString::fromStdString(p.string()));
        if (!p.has_relative_path()) break;
    }
    const qsizetype catena = attese.size();
    attese << "alfa"
           << "Beta"
           << "Zeta";
    EXPECT_EQ(prova.VociDir1(), attese);
    EXPECT_EQ(dir1->currentRow(), catena - 1);
}

TEST_F(Dir1Test, EnterOrDoubleClickOpensAFolderAndTheFileListFollows) {
    prova.CliccaFile("uno.txt");
    const VARIABILI prima = prova.Finestra().Variabili();

    dir1->setCurrentRow(Riga("alfa"));
    QTest::keyClick(dir1, Qt::Key_Return);
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi() / "alfa");
    EXPECT_EQ(prova.VociDir1().back(), "alfa");
    EXPECT_EQ(prova.NomiFile1(), QStringList{"dentro.txt"});
    // The loaded system and its count stay whatever folder is shown.
    EXPECT_EQ(prova.Finestra().Variabili(), prima);
    EXPECT_EQ(prova.Controllo<QLabel>("lblCatturate")->text(), "2");

    prova.Mostra();
    const QRect dove = dir1->visualItemRect(dir1->item(Riga("Sistemi")));
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, dove.center());
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi() / "alfa");  // one click only chooses
    QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, dove.center());
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi());
    EXPECT_EQ(prova.NomiFile1(), QStringList{"uno.txt"});
    EXPECT_TRUE(prova.messaggi.asked.empty());
}

TEST_F(Dir1Test, AFolderThatCannotBeReadIsRefusedAndNothingMoves) {
    const QStringList voci = prova.VociDir1();
    const QStringList file = prova.NomiFile1();
    const int riga = Riga("Zeta");
    std::filesystem::remove(prova.Sistemi() / "Zeta");

    dir1->setCurrentRow(riga);
    QTest::keyClick(dir1, Qt::Key_Enter);
    ASSERT_EQ(prova.messaggi.asked.size(), 1u);
    EXPECT_EQ(prova.messaggi.asked[0], ErrorBox("Cartella non accessibile ..! "));
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi());
    EXPECT_EQ(prova.VociDir1(), voci);
    EXPECT_EQ(prova.NomiFile1(), file);
}

}  // namespace
}  // namespace elencario::test
