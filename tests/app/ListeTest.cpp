// The two lists and the handlers behind them: what is chosen is loaded, what is highlighted is
// what is loaded, the lists follow the disk; printing and closing.
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

#include "app/ElencoCartelle.h"
#include "systems/Messages.h"
#include "systems/Routines.h"
#include "tests/app/FinestraDiProva.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;
const char* const kErrore9 = "Si è verificato l' errore: 9";

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
    // The highlight, the counter and its tooltip all tell the loaded system `nome` ("": none).
    void Caricato(const QString& nome, const char* conteggio) const {
        const auto* contatore = prova.Controllo<QLabel>("lblCatturate");
        EXPECT_EQ(prova.Voci("File1", true), nome.isEmpty() ? QStringList() : QStringList{nome});
        EXPECT_EQ(contatore->text(), conteggio);
        EXPECT_EQ(contatore->toolTip(),
                  nome.isEmpty() ? "Nessun sistema caricato"
                                 : QString::fromStdString(
                                       TestoDaPercorso(prova.Sistemi() / nome.toStdString())));
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

constexpr auto L = Qt::LeftButton, R = Qt::RightButton;
constexpr auto kNo = Qt::NoModifier, kCtrl = Qt::ControlModifier;
const char *const S1 = "Sistema1.txt", *const D = "due.txt";
// clang-format off
INSTANTIATE_TEST_SUITE_P(File1, SceltaTest, ::testing::Values(
    Scelta{"Plain", S1, D, L, kNo, D, "2", nullptr},
    Scelta{"PlainOnLoaded", D, D, L, kNo, D, "2", nullptr},
    Scelta{"Right", S1, D, R, kNo, S1, "5", nullptr},
    Scelta{"Middle", S1, D, Qt::MiddleButton, kNo, S1, "5", nullptr},
    Scelta{"Back", nullptr, D, Qt::BackButton, kNo, "", "0", nullptr},
    Scelta{"Ctrl", S1, D, L, kCtrl, S1, "5", nullptr},
    Scelta{"CtrlOnLoaded", S1, S1, L, kCtrl, S1, "5", nullptr},
    Scelta{"Shift", nullptr, D, L, Qt::ShiftModifier, "", "0", nullptr},
    Scelta{"AltRight", D, "rotto.txt", R, Qt::AltModifier, D, "2", nullptr},
    Scelta{"BadContentBackToLoaded", S1, "rotto.txt", L, kNo, S1, "5", kErrore9},
    Scelta{"BadContentNothingLoaded", nullptr, "rotto.txt", L, kNo, "", "0", kErrore9},
    Scelta{"VanishedBackToLoaded", D, "sparito.txt", L, kNo, D, "2", "File non trovato ..! "}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

// The keyboard loads each name it passes, past a failed one too; a drag loads each name reached.
TEST_F(ListeTest, TheKeyboardAndADragLoadEachNameTheyReach) {
    prova.Mostra();  // the focus is in File1, on no name yet
    auto* file1 = prova.Controllo<QListWidget>("File1");
    QTest::keyClick(file1, Qt::Key_Down);  // due.txt, rotto.txt, Sistema1.txt, sparito.txt
    Caricato("due.txt", "2");
    QTest::keyClick(file1, Qt::Key_Down);
    Caricato("due.txt", "2");
    QTest::keyClick(file1, Qt::Key_Down);
    Caricato("Sistema1.txt", "5");
    EXPECT_EQ(prova.messaggi.asked, std::vector{ErrorBox(kErrore9)});

    const auto centro = [&](int riga) { return file1->visualItemRect(file1->item(riga)).center(); };
    QTest::mousePress(file1->viewport(), Qt::LeftButton, {}, centro(0));
    Caricato("due.txt", "2");
    QTest::mouseMove(file1->viewport(), centro(2));  // jumps over rotto.txt
    QTest::mouseRelease(file1->viewport(), Qt::LeftButton, {}, centro(2));
    Caricato("Sistema1.txt", "5");
    EXPECT_EQ(prova.messaggi.asked.size(), 1u);
}

// The print takes the options as typed ("1" stays "1" although "10" is listed); a close
// answered No keeps everything, Yes closes.
TEST_F(ListeTest, PrintTakesTheOptionsAsTypedAndTheExitQuestionDecides) {
    prova.Mostra();  // completion acts on a shown window only
    prova.Clicca("Sistema1.txt");
    prova.Controllo<QCheckBox>("chkNomeSistema")->click();
    for (const auto& [nome, testo] : {std::pair{"cmbMargine", "1"}, {"cmbCarattere", "Arial"}}) {
        auto* cmb = prova.Controllo<QComboBox>(nome);
        cmb->setFocus();
        cmb->lineEdit()->selectAll();
        QTest::keyClicks(cmb->lineEdit(), testo);
    }
    prova.messaggi.answers = {Answer::Yes, Answer::No, Answer::Yes};
    prova.Controllo<QPushButton>("cmdElencario")->click();
    EXPECT_EQ(prova.stampante.calls.at(0), "font Arial");
    EXPECT_EQ(prova.stampante.calls.at(1), "size " + std::to_string(9.0f));
    EXPECT_EQ(prova.stampante.Listing(),
              (std::vector<std::string>{"", "", " SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5", "",
                                        "", " 3 15 27   -   3 15 42   -   3 27 42   -   15 27 42",
                                        " 8 15 27"}));
    EXPECT_FALSE(prova.Finestra().close());
    Caricato("Sistema1.txt", "5");
    EXPECT_TRUE(prova.Finestra().close());
    EXPECT_EQ(prova.messaggi.asked.back(),
              (MessageRequest{" Confermi uscita dal programma ?  ", Buttons::YesNo, Icon::Warning,
                              DefaultButton::Second, "            Fine Sessione"}));
    EXPECT_EQ(prova.messaggi.asked.size(), 3u);
}

// A 0xE0 byte (no UTF-8) in the program's folder, a subfolder and a system's name; only regular
// files named *.TXT in any case are listed, sorted without regard to case.
TEST(File1Test, ListsAndLoadsNamesThatAreNotUtf8AndOnlyTextFiles) {
    FinestraDiProva prova("cart\xE0");
    for (const char* nome : {"c.Txt", "B.TXT", "\xE0.txt", "d.DAT", "txt", "e.txt.bak", ".h.txt"}) {
        prova.Scrivi(nome, "1 2\r\n");
    }
    prova.Scrivi("sotto\xE0/s.txt", "1 2\r\n3 4\r\n5 6\r\n");
    fs::create_directory(prova.Sistemi() / "cartella.TXT");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((prova.Sistemi() / "tubo.txt").c_str(), 0600), 0);
#endif
    ASSERT_TRUE(prova.Apri());
    EXPECT_EQ(prova.Voci("File1"), (QStringList{"B.TXT", "c.Txt", "\uFFFD.txt"}));
    prova.Clicca("\uFFFD.txt");
    EXPECT_EQ(prova.Finestra().Variabili().FileSistema,
              TestoDaPercorso(prova.Sistemi() / "\xE0.txt"));
    auto* dir1 = prova.Controllo<ElencoCartelle>("Dir1");
    dir1->ApriVoce(dir1->count() - 1);
    EXPECT_EQ(prova.Voci("File1"), QStringList{"s.txt"});
    prova.Clicca("s.txt");
    EXPECT_EQ(prova.Finestra().Variabili().TotCombinazioni, 3);
    EXPECT_TRUE(prova.messaggi.asked.empty());
}

// Enter or a double click opens a folder; the file list follows, the loaded system stays and is
// highlighted where it is listed. A folder that cannot be read is refused and nothing moves.
TEST_F(ListeTest, Dir1OpensAFolderOrRefusesOneThatCannotBeRead) {
    auto* dir1 = prova.Controllo<ElencoCartelle>("Dir1");
    const QStringList voci = prova.Voci("Dir1");
    EXPECT_EQ(voci.mid(voci.size() - 2), (QStringList{"Sistemi", "alfa"}));
    EXPECT_EQ(dir1->currentRow(), voci.size() - 2);
    prova.Scrivi("alfa/rotto.txt", "0\r\n");
    prova.Clicca("Sistema1.txt");
    const VARIABILI prima = prova.Finestra().Variabili();
    dir1->setCurrentRow(voci.size() - 1);
    QTest::keyClick(dir1, Qt::Key_Return);
    EXPECT_EQ(prova.Voci("File1"), QStringList{"rotto.txt"});
    prova.Clicca("rotto.txt");  // fails, and the loaded system is not listed here
    EXPECT_EQ(prova.Finestra().Variabili(), prima);
    EXPECT_TRUE(prova.Voci("File1", true).isEmpty());

    const QPoint su = dir1->visualItemRect(dir1->item(voci.size() - 2)).center();
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, su);
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi() / "alfa");  // one click only chooses
    QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, su);
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi());
    Caricato("Sistema1.txt", "5");

    fs::remove_all(prova.Sistemi() / "alfa");
    dir1->setCurrentRow(voci.size() - 1);
    QTest::keyClick(dir1, Qt::Key_Enter);
    EXPECT_EQ(prova.messaggi.asked.back(), ErrorBox("Cartella non accessibile ..! "));
    EXPECT_EQ(dir1->Cartella(), prova.Sistemi());
    EXPECT_EQ(prova.Voci("Dir1"), voci);
}

// While the window is open the lists follow the disk, keeping the highlight where the loaded
// system's name is listed; nothing is loaded again. The listed folder removed is reported.
TEST_F(ListeTest, TheListsFollowTheDiskAndTheLoadedSystemStays) {
    prova.Clicca("Sistema1.txt");
    const VARIABILI prima = prova.Finestra().Variabili();
    const auto segue = [&](const QStringList& attese) {  // File1, then the subfolders in Dir1
        const auto liste = [&] {
            const QStringList dir1 = prova.Voci("Dir1");
            return prova.Voci("File1") + dir1.mid(dir1.indexOf("Sistemi") + 1);
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return liste() == attese; }, 2000))
            << liste().join(' ').toStdString();
        EXPECT_EQ(prova.Finestra().Variabili(), prima);
    };
    const fs::path s = prova.Sistemi();
    std::ofstream(s / "Sistema1.txt") << "1\r\n";
    std::ofstream(s / "nuovo.TXT") << "1\r\n";
    segue({"due.txt", "nuovo.TXT", "rotto.txt", "Sistema1.txt", "alfa"});
    fs::remove(s / "due.txt");
    fs::create_directory(s / "Beta");
    segue({"nuovo.TXT", "rotto.txt", "Sistema1.txt", "alfa", "Beta"});
    Caricato("Sistema1.txt", "5");
    EXPECT_EQ(prova.Controllo("File1")->currentRow(), 2);  // the cursor kept its name
    fs::rename(s / "Sistema1.txt", s / "s2.txt");
    fs::rename(s / "alfa", s / "gamma");
    segue({"nuovo.TXT", "rotto.txt", "s2.txt", "Beta", "gamma"});
    EXPECT_TRUE(prova.Voci("File1", true).isEmpty());
    fs::remove_all(s);  // reported once, as a folder that cannot be opened; the lists stay
    EXPECT_TRUE(QTest::qWaitFor([&] { return !prova.messaggi.asked.empty(); }, 2000));
    QTest::qWait(300);
    EXPECT_EQ(prova.messaggi.asked, std::vector{ErrorBox("Cartella non accessibile ..! ")});
    EXPECT_EQ(prova.Voci("File1"), (QStringList{"nuovo.TXT", "rotto.txt", "s2.txt"}));
}

}  // namespace
}  // namespace elencario::test
