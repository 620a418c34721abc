// The Qt window driven in-process, for how it maps the window's decisions onto its widgets; and
// the real message boxes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/Disposizione.h"
#include "app/Eseguibile.h"
#include "app/qt/Avvio.h"
#include "app/qt/ElencoCartelle.h"
#include "printing/qt/AmbienteQt.h"
#include "printing/qt/ServizioMessaggiQt.h"
#include "systems/Testi.h"
#include "tests/support/ProgrammaDiProva.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;
const char *const kErrore9 = "Si è verificato l' errore: 9", *const S1 = "Sistema1.txt",
                  *const D = "du\xE0.txt", *const A = "\xE0lfa";
constexpr auto L = Qt::LeftButton;

// On a program folder whose name is not UTF-8 (byte 0xE0), File1 lists du?.txt (2 combinations),
// rotto.txt (error 9) and Sistema1.txt (5); the subfolder ?lfa holds another Sistema1.txt (3).
struct FinestraDiProva : ProgrammaDiProva {
    FinestraDiProva() : ProgrammaDiProva("cart\xE0") {
        Scrivi(S1, "3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n");
        Scrivi(D, "1 2\r\n3 4\r\n");
        Scrivi(std::string(A) + "/" + S1, "1 2\r\n3 4\r\n5 6\r\n");
        Scrivi("rotto.txt", "5 6\r\n7 91\r\n");
        Scrivi("d.DAT", "1 2\r\n");
    }
    // False when the window refused to start or was not shown active.
    bool Apri(bool mostra = false) {
        finestra = FrmAmain::Apri(Cartella(), messaggi, Fabbrica());
        if (!finestra || !mostra) return finestra != nullptr;
        finestra->show();
        QApplication::setActiveWindow(finestra.get());
        return QTest::qWaitForWindowActive(finestra.get());
    }
    template <class W = QListWidget>
    [[nodiscard]] W* Controllo(const char* nome) const {
        return finestra->findChild<W*>(QString::fromLatin1(nome));
    }
    // The centre of the entry `riga` of a list, where a press lands.
    [[nodiscard]] QPoint Centro(const char* lista, int riga) const {
        return Controllo(lista)->visualItemRect(Controllo(lista)->item(riga)).center();
    }
    // Clicks File1's entry for the file `nome` (its bytes as Qt decodes them).
    void Clicca(const char* nome, Qt::MouseButton tasto = L,
                Qt::KeyboardModifiers tasti = {}) const {
        auto* file1 = Controllo("File1");
        const int riga =
            file1->row(file1->findItems(QString::fromUtf8(nome), Qt::MatchExactly).value(0));
        ASSERT_GE(riga, 0) << nome;
        QTest::mouseClick(file1->viewport(), tasto, tasti, Centro("File1", riga));
    }
    // The texts of a list's entries, or of its highlighted ones.
    [[nodiscard]] QStringList Voci(const char* lista, bool soloEvidenziate = false) const {
        QStringList testi;
        for (int i = 0; const QListWidgetItem* v = Controllo(lista)->item(i); ++i)
            if (!soloEvidenziate || v->isSelected()) testi << v->text();
        return testi;
    }
    // The counter, its tooltip and File1's highlight tell the system `nome` loaded.
    void Caricato(const char* nome, int conteggio) const {
        const auto* c = Controllo<QLabel>("lblCatturate");
        EXPECT_EQ(QStringList({c->text(), c->toolTip()}) + Voci("File1", true),
                  QStringList({QString::number(conteggio),
                               QString::fromStdString(TestoDaPercorso(sistemi / nome)), nome}));
    }

    std::unique_ptr<FrmAmain> finestra;
};

TEST(AvvioTest, WithoutTheSystemsFolderShowsTheMessageAndEndsWithoutWindowOrExitQuestion) {
    const CartellaProvvisoria programma;
    MessaggiCopione messaggi;
    EXPECT_NE(EseguiStampaElencario(*qApp, programma.Testo(), messaggi, nullptr), 0);
    EXPECT_EQ(messaggi.chiesti, std::vector{AvvisoErrore(testi::kNonTrovoSistemi)});
    for (const QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible());
}

// Run from a copy in a folder whose name is not UTF-8, the program names that folder exactly.
TEST(AvvioTest, TheProgramsFolderKeepsItsOwnBytes) {
    if (const QByteArray attesa = qgetenv("ELENCARIO_CARTELLA"); !attesa.isEmpty())
        std::_Exit(CartellaEseguibile() == attesa.toStdString() ? 0 : 1);
    const CartellaProvvisoria provvisoria;
    const fs::path copia = provvisoria.path() / "cart\xE0" / "app_tests";
    fs::create_directory(copia.parent_path());
    fs::copy_file(CartellaEseguibile() + "/app_tests", copia);
    const std::string comando = "ELENCARIO_CARTELLA='" + copia.parent_path().native() + "' '" +
                                copia.native() + "' --gtest_filter=*Bytes >/dev/null";
    EXPECT_EQ(std::system(comando.c_str()), 0);
}

// Each control of the layout table at its place in its parent with its font, its caption
// whole and aligned; each drop-down's entries and the one shown; a fixed window that cannot be
// maximised; the counter's own colours, and a count too wide for its font shrunk to fit. Then
// centred by its frame, the focus in File1; Tab in the window's order, ringed; Enter presses. Keys
// and drags load each name they pass, a failed one too; only a plain primary click chooses; the
// print takes the options as typed ("1" not completed to "10"); the exit question decides.
TEST(FinestraTest, EveryControlSitsWholeAtItsPlaceAndKeysTabsDragsAndPlainClicksReachThem) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri(true));
    FrmAmain& f = *prova.finestra;
    const auto intero = [](const QLabel& l, const QFont& k) {  // its text fits its box in `k`
        return QRect({}, l.contentsRect().size()).contains({{}, QFontMetrics(k).size(0, l.text())});
    };
    EXPECT_EQ(std::pair(f.minimumSize(), f.maximumSize()),
              std::pair(QSize(591, 527), QSize(591, 527)));
    EXPECT_EQ(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
              Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f.windowIcon().pixmap(32).isNull());
    const auto trova = [&](const char* nome) -> QWidget* {
        if (!nome) return &f;
        const QString n = QString::fromLatin1(nome);
        for (QWidget* w : f.findChildren<QWidget*>(n.section('#', 0, 0)))
            if (!n.contains('#') || w->property("Index").toString() == n.section('#', 1)) return w;
        return nullptr;
    };
    constexpr Qt::Alignment kAllineato[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (const SchedaControllo& c : Controlli()) {
        SCOPED_TRACE(c.nome);
        const QWidget* w = trova(c.nome);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), trova(c.contenitore));
        EXPECT_EQ(w->geometry(), QRect(Pixel(c.left, 96), Pixel(c.top, 96), Pixel(c.width, 96),
                                       Pixel(c.height, 96)));
        EXPECT_EQ(w->font().pointSizeF(), c.punti);
        const auto* l = qobject_cast<const QLabel*>(w);
        const auto* b = qobject_cast<const QAbstractButton*>(w);
        if (c.testo && (l || b)) {
            EXPECT_EQ((l ? l->text() : b->text()).toStdString(), c.testo);
        }
        EXPECT_TRUE(!l ||
                    (intero(*l, l->font()) && (!l->text().isEmpty() || !l->pixmap().isNull()) &&
                     (l->alignment() & Qt::AlignHorizontal_Mask) ==
                         kAllineato[static_cast<int>(c.allineamento)]));
        EXPECT_TRUE(!b || b->sizeHint().width() <= b->width());
    }
    for (const auto& [nome, attese] : Tendine()) {
        const auto* c = prova.Controllo<QComboBox>(nome);
        std::vector<std::string> offerte;
        for (int i = 0; i < c->count(); ++i) offerte.push_back(c->itemText(i).toStdString());
        offerte.push_back(std::to_string(c->currentIndex()));
        EXPECT_EQ(offerte, attese);
        EXPECT_EQ(c->currentText(), c->itemText(c->currentIndex()));
    }
    auto* contatore = prova.Controllo<QLabel>("lblCatturate");
    for (const auto ruolo : {QPalette::Window, QPalette::WindowText})  // its own, not the window's
        EXPECT_NE(contatore->palette().color(ruolo), f.palette().color(ruolo)) << ruolo;
    const QFont carattere = contatore->font();
    ScriviAdattato(*contatore, "2147483647", carattere);
    QFont piuGrande = contatore->font();  // shrunk only as far as needed
    piuGrande.setPointSizeF(piuGrande.pointSizeF() + 0.25);
    EXPECT_TRUE(intero(*contatore, contatore->font()) && !intero(*contatore, piuGrande));
    ScriviAdattato(*contatore, "7", carattere);
    EXPECT_EQ(contatore->font(), carattere);
    f.CentraSulloSchermo();
    ASSERT_NE(f.frameGeometry(), f.geometry());  // else the centring proves nothing
    const QPoint scarto = f.frameGeometry().center() - f.screen()->availableGeometry().center();
    EXPECT_LE(scarto.manhattanLength(), 1);
    EXPECT_TRUE(prova.Controllo<QWidget>("File1")->hasFocus());
    const auto* anello = f.findChild<QFocusFrame*>();
    for (const char* nome : {"Dir1", "cmbMargine", "cmbColonneRiga", "cmbGrandezza", "cmbCarattere",
                             "chkNumeriInGioco", "chkNomeSistema", "cmdElencario", "File1"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(anello->widget() == prova.Controllo<QWidget>(nome) && anello->isVisible())
            << nome;
    }
    QTest::keyClick(prova.Controllo<QWidget>("cmdElencario"), Qt::Key_Return);
    auto* file1 = prova.Controllo("File1");  // has the focus again, on no name yet
    for (const auto& [nome, conteggio] : {std::pair{D, 2}, {D, 2}, {S1, 5}}) {
        QTest::keyClick(file1, Qt::Key_Down);  // to du?.txt, rotto.txt, Sistema1.txt
        prova.Caricato(nome, conteggio);
    }
    QTest::mousePress(file1->viewport(), L, {}, prova.Centro("File1", 0));
    prova.Caricato(D, 2);
    QTest::mouseMove(file1->viewport(), prova.Centro("File1", 2));  // jumps over rotto.txt
    QTest::mouseRelease(file1->viewport(), L, {}, prova.Centro("File1", 2));
    prova.Caricato(S1, 5);
    EXPECT_EQ(prova.messaggi.chiesti,
              std::vector({AvvisoErrore(testi::kSelezionareSistema), AvvisoErrore(kErrore9)}));
    // clang-format off
    const std::pair<Qt::MouseButton, Qt::KeyboardModifier> altre[] = {{Qt::RightButton, {}},
        {Qt::BackButton, {}}, {L, Qt::ControlModifier}, {L, Qt::ShiftModifier}, {L, Qt::AltModifier}};
    // clang-format on
    for (const auto& [tasto, tasti] : altre) prova.Clicca(D, tasto, tasti);
    prova.Caricato(S1, 5);  // none of them chose, nor moved the highlight
    prova.Controllo<QAbstractButton>("chkNomeSistema")->click();
    for (const auto& [nome, testo] : {std::pair{"cmbMargine", "1"}, {"cmbCarattere", "Arial"}}) {
        auto* cmb = prova.Controllo<QComboBox>(nome);
        cmb->setFocus();
        cmb->lineEdit()->selectAll();
        QTest::keyClicks(cmb->lineEdit(), testo);
    }
    prova.messaggi.risposte = {Risposta::Si, Risposta::No, Risposta::Si};
    prova.Controllo<QAbstractButton>("cmdElencario")->click();
    const auto& c = prova.stampante.chiamate;
    EXPECT_EQ(std::vector(c.begin(), c.begin() + 2),
              (Lines{"font Arial", "size " + std::to_string(9.0f)}));
    // The header shows the typed margin and the check box.
    EXPECT_EQ(prova.stampante.Elenco().at(2), " SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5");
    EXPECT_FALSE(prova.finestra->close());
    EXPECT_TRUE(prova.finestra->close());
    EXPECT_EQ(prova.messaggi.chiesti.back(), DomandaUscita());
}

// Enter or a double click opens a folder, one click only chooses; File1 follows, highlighting the
// system loaded in its own folder only; an unreadable folder is refused. The lists follow the
// disk, cursor and highlight on their names, nothing loaded again; a removal reported once.
TEST(FinestraTest, Dir1OpensOrRefusesAFolderAndTheListsFollowTheDisk) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    auto* dir1 = prova.Controllo<ElencoCartelle>("Dir1");
    const fs::path s = prova.sistemi;
    const auto sistemi = static_cast<int>(prova.Voci("Dir1").size()) - 2;
    ASSERT_EQ(prova.Voci("Dir1").mid(sistemi), (QStringList{"Sistemi", QString::fromUtf8(A)}));
    EXPECT_EQ(dir1->currentRow(), sistemi);
    prova.Clicca(S1);
    dir1->setCurrentRow(sistemi + 1);
    QTest::keyClick(dir1, Qt::Key_Return);
    EXPECT_EQ(prova.Voci("File1"), QStringList{S1});
    EXPECT_TRUE(prova.Voci("File1", true).isEmpty());  // the same name in another folder
    prova.Clicca(S1);
    EXPECT_EQ(prova.finestra->Variabili().FileSistema, TestoDaPercorso(s / A / S1));
    QTest::mouseClick(dir1->viewport(), L, {}, prova.Centro("Dir1", sistemi));
    EXPECT_EQ(dir1->Cartella(), s / A);
    QTest::mouseDClick(dir1->viewport(), L, {}, prova.Centro("Dir1", sistemi));
    EXPECT_EQ(dir1->Cartella(), s);
    fs::rename(s / A, s / "gamma");
    dir1->setCurrentRow(sistemi + 1);
    QTest::keyClick(dir1, Qt::Key_Enter);
    EXPECT_EQ(prova.messaggi.chiesti, std::vector{AvvisoErrore(testi::kCartellaNonAccessibile)});
    EXPECT_EQ(dir1->currentRow(), sistemi);
    prova.Clicca(S1);
    const auto liste = [&] { return prova.Voci("File1") + prova.Voci("Dir1").mid(sistemi + 1); };
    const auto segue = [&](const QStringList& attese) {  // File1, then the subfolders in Dir1
        EXPECT_TRUE(QTest::qWaitFor([&] { return liste() == attese; }, 2000))
            << liste().join(' ').toStdString();
    };
    dir1->setCurrentRow(0);
    std::ofstream(s / S1) << "1\r\n";
    std::ofstream(s / "nuovo.TXT") << "1\r\n";
    fs::create_directory(s / "Beta.txt");
    segue({QString::fromUtf8(D), "nuovo.TXT", "rotto.txt", S1, "Beta.txt", "gamma"});
    prova.Caricato(S1, 5);
    EXPECT_EQ(std::pair(prova.Controllo("File1")->currentRow(), dir1->currentRow()),
              std::pair(3, 0));
    dir1->setCurrentRow(sistemi + 2);  // gamma, renamed below: back to the listed folder
    fs::remove(s / D);
    fs::rename(s / S1, s / "s2.txt");
    fs::rename(s / "gamma", s / A);
    segue({"nuovo.TXT", "rotto.txt", "s2.txt", "Beta.txt", QString::fromUtf8(A)});
    EXPECT_EQ(dir1->currentRow(), sistemi);
    EXPECT_TRUE(prova.Voci("File1", true).isEmpty());
    fs::remove_all(s);  // the lists stay
    EXPECT_TRUE(QTest::qWaitFor([&] { return prova.messaggi.chiesti.size() > 1; }, 2000));
    std::ofstream(s.parent_path() / "altro") << "";  // a further change beside it
    QTest::qWait(300);
    EXPECT_EQ(prova.messaggi.chiesti.size(), 2u);
    EXPECT_EQ(prova.Voci("File1"), (QStringList{"nuovo.TXT", "rotto.txt", "s2.txt"}));
    dir1->ApriVoce(0);  // the root opens too
    EXPECT_EQ(dir1->Cartella(), s.root_path());
}

struct Box {
    RichiestaMessaggio richiesta;
    QMessageBox::Icon icona;
    const char* vista;  // title|text|buttons, the default one marked *, Escape's one ^
    Risposta risposta;  // of the first button
};

// Each box as asked, in Italian; the first button pressed gives its answer.
TEST(QtMessageServiceTest, AskShowsEachBoxAsAskedAndAnswersTheButtonPressed) {
    ASSERT_TRUE(PreparaQt(*qApp)) << "traduzione qtbase_it non trovata";
    for (const Box& b :
         {Box{AvvisoErrore(" Non trovo Shared\\Sistemi ..! "), QMessageBox::Critical,
              "STAMPA ELENCARIO| Non trovo Shared\\Sistemi ..! |OK*^ ", Risposta::Ok},
          Box{DomandaUscita(), QMessageBox::Warning,
              "            Fine Sessione| Confermi uscita dal programma ?  |Sì No*^ ",
              Risposta::Si}}) {
        SCOPED_TRACE(b.vista);
        QObject contesto;
        QTimer::singleShot(0, &contesto, [&b] {  // inside the box's own event loop
            auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* scatola = qobject_cast<QMessageBox*>(dialogo);
            if (!scatola && dialogo) dialogo->reject();  // else the failure below would never end
            ASSERT_NE(scatola, nullptr) << "nessuna finestra di messaggio aperta";
            EXPECT_TRUE(scatola->icon() == b.icona && scatola->textFormat() == Qt::PlainText);
            QString vista = scatola->windowTitle() + '|' + scatola->text() + '|';
            for (QAbstractButton* p : scatola->buttons())
                vista += p->text().remove('&') + (p == scatola->defaultButton() ? "*" : "") +
                         (p == scatola->escapeButton() ? "^" : "") + ' ';
            EXPECT_EQ(vista.toStdString(), b.vista);
            scatola->buttons().constFirst()->click();
        });
        EXPECT_EQ(ServizioMessaggiQt().Chiedi(b.richiesta), b.risposta);
    }
}

}  // namespace
}  // namespace elencario::test
