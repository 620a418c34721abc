// The two lists and the handlers behind them: what is chosen is loaded, what is highlighted is
// what is loaded, the lists follow the disk; printing and closing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/ElencoCartelle.h"
#include "systems/Messages.h"
#include "tests/app/FinestraDiProva.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;
const char *const kErrore9 = "Si è verificato l' errore: 9", *const S1 = "Sistema1.txt",
                  *const D = "du\xE0.txt", *const A = "\xE0lfa";

// Listed: du?.txt (2 combinations), rotto.txt (error 9), Sistema1.txt (5) and sparito.txt (gone
// when clicked); the subfolder ?lfa holds another Sistema1.txt (3).
class ListeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prova.Scrivi(S1, "3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n");
        prova.Scrivi(D, "1 2\r\n3 4\r\n");
        prova.Scrivi(std::string(A) + "/" + S1, "1 2\r\n3 4\r\n5 6\r\n");
        for (const char* nome : {"rotto.txt", "sparito.txt", "d.DAT", "e.txt.bak", ".h.txt"})
            prova.Scrivi(nome, "5 6\r\n7 91\r\n");
        ASSERT_EQ(::mkfifo((prova.sistemi / "tubo.txt").c_str(), 0600), 0);
        ASSERT_TRUE(prova.Apri(mostra));
        fs::remove(prova.sistemi / "sparito.txt");
    }
    // The highlight, the counter and its tooltip tell the system `nome` loaded ("": none).
    void Caricato(const char* nome, int conteggio) const {
        const auto* c = prova.Controllo<QLabel>("lblCatturate");
        const std::string file = *nome ? TestoDaPercorso(prova.sistemi / nome) : "";
        EXPECT_EQ(prova.Voci("File1", true), *nome ? QStringList{nome} : QStringList());
        EXPECT_EQ(QStringList({c->text(), c->toolTip()}),
                  QStringList({QString::number(conteggio), *nome ? QString::fromStdString(file)
                                                                 : testi::kNessunSistemaCaricato}));
        EXPECT_EQ(prova.Finestra().Variabili().FileSistema, file);
    }
    bool mostra = false;
    FinestraDiProva prova;
};

struct Scelta {
    const char *nome, *primaCaricato, *cliccato;
    Qt::MouseButton tasto;
    Qt::KeyboardModifiers modificatori;
    const char* evidenziato;  // then its count and the message shown, if any
    int conteggio;
    const char* messaggio;
    friend void PrintTo(const Scelta& s, std::ostream* os) { *os << s.nome; }
};
class SceltaTest : public ListeTest, public ::testing::WithParamInterface<Scelta> {};
TEST_P(SceltaTest, OnlyThePlainPrimaryClickChoosesAndTheHighlightIsWhatIsLoaded) {
    const Scelta& s = GetParam();
    if (s.primaCaricato) prova.Clicca(s.primaCaricato);
    prova.Clicca(s.cliccato, s.tasto, s.modificatori);
    Caricato(s.evidenziato, s.conteggio);
    EXPECT_EQ(prova.messaggi.asked,
              s.messaggio ? std::vector{ErrorBox(s.messaggio)} : std::vector<MessageRequest>{});
}

constexpr auto L = Qt::LeftButton, R = Qt::RightButton;
constexpr auto kNo = Qt::NoModifier, kCtrl = Qt::ControlModifier;
// clang-format off
INSTANTIATE_TEST_SUITE_P(File1, SceltaTest, ::testing::Values(
    Scelta{"Plain", S1, D, L, kNo, D, 2, nullptr},
    Scelta{"Right", S1, D, R, kNo, S1, 5, nullptr},
    Scelta{"Middle", S1, D, Qt::MiddleButton, kNo, S1, 5, nullptr},
    Scelta{"Back", nullptr, D, Qt::BackButton, kNo, "", 0, nullptr},
    Scelta{"Ctrl", S1, D, L, kCtrl, S1, 5, nullptr},
    Scelta{"CtrlOnLoaded", S1, S1, L, kCtrl, S1, 5, nullptr},
    Scelta{"Shift", nullptr, D, L, Qt::ShiftModifier, "", 0, nullptr},
    Scelta{"AltRight", D, "rotto.txt", R, Qt::AltModifier, D, 2, nullptr},
    Scelta{"BadContentBackToLoaded", S1, "rotto.txt", L, kNo, S1, 5, kErrore9},
    Scelta{"BadContentNothingLoaded", nullptr, "rotto.txt", L, kNo, "", 0, kErrore9},
    Scelta{"VanishedBackToLoaded", D, "sparito.txt", L, kNo, D, 2, testi::kFileNonTrovato}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

// The keyboard loads each name it passes, past a failed one too, and so does a drag; the print
// takes the options as typed ("1" is not completed to "10"); the exit question decides.
struct Mostrata : ListeTest {
    Mostrata() { mostra = true; }
};
TEST_F(Mostrata, KeyboardAndDragLoadEachNameReachedPrintTakesTheOptionsAsTyped) {
    auto* file1 = prova.Controllo("File1");  // has the focus, on no name yet
    for (const auto& [nome, conteggio] : {std::pair{D, 2}, {D, 2}, {S1, 5}}) {
        QTest::keyClick(file1, Qt::Key_Down);  // to du?.txt, rotto.txt, Sistema1.txt
        Caricato(nome, conteggio);
    }
    const auto centro = [&](int riga) { return file1->visualItemRect(file1->item(riga)).center(); };
    QTest::mousePress(file1->viewport(), L, {}, centro(0));
    Caricato(D, 2);
    QTest::mouseMove(file1->viewport(), centro(2));  // jumps over rotto.txt
    QTest::mouseRelease(file1->viewport(), L, {}, centro(2));
    Caricato(S1, 5);
    EXPECT_EQ(prova.messaggi.asked, std::vector{ErrorBox(kErrore9)});

    prova.Controllo<QCheckBox>("chkNomeSistema")->click();
    for (const auto& [nome, testo] : {std::pair{"cmbMargine", "1"}, {"cmbCarattere", "Arial"}}) {
        auto* cmb = prova.Controllo<QComboBox>(nome);
        cmb->setFocus();
        cmb->lineEdit()->selectAll();
        QTest::keyClicks(cmb->lineEdit(), testo);
    }
    prova.messaggi.answers = {Answer::Yes, Answer::No, Answer::Yes};
    prova.Controllo<QPushButton>("cmdElencario")->click();
    const auto& c = prova.stampante.calls;
    EXPECT_EQ(std::vector(c.begin(), c.begin() + 2),
              (std::vector<std::string>{"font Arial", "size " + std::to_string(9.0f)}));
    EXPECT_EQ(prova.stampante.Listing(),
              (std::vector<std::string>{"", "", " SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5", "",
                                        "", " 3 15 27   -   3 15 42   -   3 27 42   -   15 27 42",
                                        " 8 15 27"}));
    EXPECT_FALSE(prova.Finestra().close());
    Caricato(S1, 5);
    EXPECT_TRUE(prova.Finestra().close());
    EXPECT_EQ(prova.messaggi.asked.back(),
              (MessageRequest{testi::kDomandaUscita, Buttons::YesNo, Icon::Warning,
                              DefaultButton::Second, testi::kTitoloUscita}));
    EXPECT_EQ(prova.messaggi.asked.size(), 4u);
}

// Enter or a double click opens a folder, one click only chooses; File1 follows, highlighting
// the loaded system in its own folder only; a folder that cannot be read is refused. While the
// window is open the lists follow the disk, the cursor and the highlight staying on their names,
// nothing loaded again; the listed folder removed is reported once.
TEST_F(ListeTest, Dir1OpensOrRefusesAFolderAndTheListsFollowTheDisk) {
    auto* dir1 = prova.Controllo<ElencoCartelle>("Dir1");
    const QStringList voci = prova.Voci("Dir1");
    const auto sistemi = static_cast<int>(voci.size()) - 2;
    ASSERT_EQ(voci.mid(sistemi), (QStringList{"Sistemi", QString::fromUtf8(A)}));
    EXPECT_EQ(dir1->currentRow(), sistemi);
    prova.Clicca(S1);
    dir1->setCurrentRow(sistemi + 1);
    QTest::keyClick(dir1, Qt::Key_Return);
    EXPECT_EQ(prova.Voci("File1"), QStringList{S1});
    EXPECT_TRUE(prova.Voci("File1", true).isEmpty());  // the same name in another folder
    prova.Clicca(S1);
    EXPECT_EQ(prova.Finestra().Variabili().FileSistema, TestoDaPercorso(prova.sistemi / A / S1));
    const QPoint su = dir1->visualItemRect(dir1->item(sistemi)).center();
    QTest::mouseClick(dir1->viewport(), L, {}, su);
    EXPECT_EQ(dir1->Cartella(), prova.sistemi / A);
    QTest::mouseDClick(dir1->viewport(), L, {}, su);
    EXPECT_EQ(dir1->Cartella(), prova.sistemi);
    EXPECT_TRUE(prova.Voci("File1", true).isEmpty());
    fs::rename(prova.sistemi / A, prova.sistemi / "gamma");
    dir1->setCurrentRow(sistemi + 1);
    QTest::keyClick(dir1, Qt::Key_Enter);
    EXPECT_EQ(prova.messaggi.asked, std::vector{ErrorBox(testi::kCartellaNonAccessibile)});
    EXPECT_EQ(dir1->Cartella(), prova.sistemi);

    prova.Clicca(S1);
    const auto segue = [&](const QStringList& attese) {  // File1, then the subfolders in Dir1
        const auto liste = [&] {
            return prova.Voci("File1") + prova.Voci("Dir1").mid(sistemi + 1);
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return liste() == attese; }, 2000))
            << liste().join(' ').toStdString();
    };
    const fs::path s = prova.sistemi;
    std::ofstream(s / S1) << "1\r\n";
    std::ofstream(s / "nuovo.TXT") << "1\r\n";
    fs::create_directory(s / "Beta.txt");
    segue({QString::fromUtf8(D), "nuovo.TXT", "rotto.txt", S1, "Beta.txt", "gamma"});
    Caricato(S1, 5);
    EXPECT_EQ(prova.Controllo("File1")->currentRow(), 3);
    fs::remove(s / D);
    fs::rename(s / S1, s / "s2.txt");
    fs::rename(s / "gamma", s / A);
    segue({"nuovo.TXT", "rotto.txt", "s2.txt", "Beta.txt", QString::fromUtf8(A)});
    EXPECT_TRUE(prova.Voci("File1", true).isEmpty());
    fs::remove_all(s);  // the lists stay
    EXPECT_TRUE(QTest::qWaitFor([&] { return prova.messaggi.asked.size() > 1; }, 2000));
    QTest::qWait(300);
    EXPECT_EQ(prova.messaggi.asked.size(), 2u);
    EXPECT_EQ(prova.Voci("File1"), (QStringList{"nuovo.TXT", "rotto.txt", "s2.txt"}));
    EXPECT_EQ(prova.Finestra().Variabili().TotCombinazioni, 5);
    dir1->ApriVoce(0);  // the root opens too
    EXPECT_EQ(dir1->Cartella(), s.root_path());
}

}  // namespace
}  // namespace elencario::test
