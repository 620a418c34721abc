// The window as it starts and as it looks: start-up, layout, keyboard order and focus, counter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "app/Avvio.h"
#include "app/Eseguibile.h"
#include "systems/Messages.h"
#include "systems/Routines.h"
#include "tests/app/FinestraDiProva.h"

namespace elencario::test {
namespace {

// The parameter: a file named Sistemi stands where the systems folder should be.
class AvvioRifiutatoTest : public ::testing::TestWithParam<bool> {};

TEST_P(AvvioRifiutatoTest, ShowsTheMessageAndEndsWithoutWindowOrExitQuestion) {
    TempFolder programma;
    if (GetParam()) {
        std::filesystem::create_directory(programma.path() / "Shared");
        programma.Write("Shared/Sistemi", "1 2 3\r\n");
    }
    ScriptedMessages messaggi;
    EXPECT_NE(EseguiStampaElencario(*qApp, programma.Text(), messaggi, nullptr), 0);
    EXPECT_EQ(messaggi.asked, std::vector{ErrorBox(" Non trovo Shared\\Sistemi ..! ")});
    for (const QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Avvio, AvvioRifiutatoTest, ::testing::Bool(), [](const auto& info) {
    return info.param ? "SistemiIsAFile" : "NothingBesideTheProgram";
});

// Run again from a copy in a folder whose name is not UTF-8, the program finds that folder.
TEST(AvvioTest, TheProgramsFolderKeepsItsOwnBytes) {
    if (const QByteArray attesa = qgetenv("ELENCARIO_CARTELLA_ATTESA"); !attesa.isEmpty()) {
        EXPECT_EQ(CartellaEseguibile(), attesa.toStdString());
        return;
    }
#ifndef _WIN32
    TempFolder temp;
    const std::filesystem::path cartella = temp.path() / "cart\xE0";
    std::filesystem::create_directory(cartella);
    const std::filesystem::path copia = cartella / "app_tests";
    std::error_code e;
    std::filesystem::create_hard_link(CartellaEseguibile() + "/app_tests", copia, e);
    if (e) std::filesystem::copy_file(CartellaEseguibile() + "/app_tests", copia);
    const std::string comando = "ELENCARIO_CARTELLA_ATTESA='" + cartella.native() + "' '" +
                                copia.native() + "' --gtest_filter=AvvioTest.TheProgram* 2>&1";
    FILE* figlio = ::popen(comando.c_str(), "r");
    ASSERT_NE(figlio, nullptr);
    std::string uscita(1 << 16, '\0');
    uscita.resize(std::fread(uscita.data(), 1, uscita.size(), figlio));
    EXPECT_EQ(::pclose(figlio), 0) << uscita;
#endif
}

// The window's layout in twips, as it was drawn; 15 twips make a pixel.
struct Posto {
    const char* nome;
    int indice;  // members of Label1 and Frame7; -1 for the others
    const char* contenitore;
    int contenitoreIndice, left, top, width, height;
};

constexpr Posto kPosti[] = {
    {"Frame3", -1, "frmAmain", -1, 180, 120, 5055, 7515},
    {"Dir1", -1, "Frame3", -1, 150, 210, 4725, 3660},
    {"File1", -1, "Frame3", -1, 150, 3960, 4725, 3405},
    {"Frame1", -1, "frmAmain", -1, 5430, 120, 3195, 7515},
    {"Label1", 2, "Frame1", -1, 210, 360, 2745, 255},
    {"Frame7", 0, "Frame1", -1, 240, 600, 2685, 795},
    {"cmbCarattere", -1, "Frame7", 0, 180, 300, 2235, 375},
    {"Label1", 0, "Frame1", -1, 270, 1590, 1245, 255},
    {"Label1", 1, "Frame1", -1, 1620, 1590, 1305, 255},
    {"Frame7", 1, "Frame1", -1, 240, 1830, 1305, 795},
    {"cmbGrandezza", -1, "Frame7", 1, 180, 300, 945, 375},
    {"Frame7", 2, "Frame1", -1, 1620, 1830, 1305, 795},
    {"cmbColonneRiga", -1, "Frame7", 2, 180, 300, 945, 375},
    {"Frame7", 3, "Frame1", -1, 240, 2730, 2685, 795},
    {"Label1", 3, "Frame7", 3, 150, 420, 1155, 255},
    {"cmbMargine", -1, "Frame7", 3, 1560, 300, 945, 375},
    {"imgLink", -1, "Frame1", -1, 690, 3690, 1800, 465},
    {"Frame7", 4, "Frame1", -1, 240, 4170, 2685, 1065},
    {"chkNomeSistema", -1, "Frame7", 4, 180, 240, 2385, 315},
    {"chkNumeriInGioco", -1, "Frame7", 4, 180, 630, 2385, 315},
    {"Label1", 4, "Frame1", -1, 480, 5550, 1245, 255},
    {"lblCatturate", -1, "Frame1", -1, 2010, 5460, 675, 315},
    {"cmdElencario", -1, "Frame1", -1, 360, 6180, 2475, 1065},
};

QWidget* Trova(QWidget& finestra, const char* nome, int indice) {
    if (QString(nome) == "frmAmain") return &finestra;
    for (QWidget* w : finestra.findChildren<QWidget*>(nome)) {
        if (indice < 0 || w->property("Index").toInt() == indice) return w;
    }
    return nullptr;
}

TEST(FinestraTest, EveryControlSitsWholeInItsContainerAtItsPlaceOverlappingNone) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    QWidget& f = prova.Finestra();
    for (const Posto& p : kPosti) {
        SCOPED_TRACE(std::string(p.nome) + " " + std::to_string(p.indice));
        const QWidget* w = Trova(f, p.nome, p.indice);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), Trova(f, p.contenitore, p.contenitoreIndice));
        EXPECT_EQ(w->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()));
        for (const Posto& q : kPosti) {
            const QWidget* altro = Trova(f, q.nome, q.indice);
            if (altro == w || altro->parentWidget() != w->parentWidget()) continue;
            const QRect comune = altro->geometry() & w->geometry();  // a label may touch a frame
            EXPECT_TRUE(comune.width() <= 1 || comune.height() <= 1) << q.nome;
        }
        if (const auto* l = qobject_cast<const QLabel*>(w); l && !l->text().isEmpty()) {
            EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->contentsRect().width());
            EXPECT_LE(l->fontMetrics().height(), l->contentsRect().height());
        }
        if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
            EXPECT_LE(b->sizeHint().width(), b->width());
        }
    }
}

TEST(FinestraTest, FixedSizeCentredByItsFrameMinimisableNeverMaximisable) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    FrmAmain& f = prova.Finestra();
    EXPECT_EQ(f.size(), QSize(591, 527));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_TRUE(f.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(f.windowTitle(), "   STAMPA ELENCARIO - by Vorlix");
    EXPECT_EQ(f.windowIcon().actualSize(QSize(48, 48)), QSize(48, 48));
    prova.Mostra();
    f.CentraSulloSchermo();
    ASSERT_NE(f.frameGeometry(), f.geometry());  // else this proves nothing
    const QPoint scarto = f.frameGeometry().center() - f.screen()->availableGeometry().center();
    EXPECT_LE(scarto.manhattanLength(), 1);
}

// Focus starts in File1; Tab visits the controls in the window's order, and each shows a ring
// around itself while it has the focus.
TEST(FinestraTest, TabFollowsTheWindowOrderAndTheFocusIsSeenOnEveryControl) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    prova.Mostra();
    const char* const giro[] = {"Dir1",           "cmbMargine",   "cmbColonneRiga",
                                "cmbGrandezza",   "cmbCarattere", "chkNumeriInGioco",
                                "chkNomeSistema", "cmdElencario", "File1"};
    const auto anello = [&](const QWidget* w) {
        return w->parentWidget()->grab(w->geometry().adjusted(-2, -2, 2, 2)).toImage();
    };
    QWidget* prima = prova.Controllo<QWidget>("File1");
    for (const char* nome : giro) {
        SCOPED_TRACE(nome);
        EXPECT_TRUE(prima->isAncestorOf(QApplication::focusWidget()) ||
                    prima == QApplication::focusWidget());
        QWidget* w = prova.Controllo<QWidget>(nome);
        const QImage senza = anello(w);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(w == QApplication::focusWidget() ||
                    w->isAncestorOf(QApplication::focusWidget()));
        const QImage con = anello(w);
        int cambiati = 0;
        int bordo = 0;
        for (int y = 0; y < con.height(); ++y) {
            for (int x = 0; x < con.width(); ++x) {
                if (x >= 2 && y >= 2 && x < con.width() - 2 && y < con.height() - 2) continue;
                ++bordo;
                cambiati += con.pixel(x, y) != senza.pixel(x, y);
            }
        }
        EXPECT_GT(cambiati, bordo * 3 / 4);
        prima = w;
    }
}

// Every count up to the largest shows whole in the counter's box, shrunk only as far as needed.
TEST(FinestraTest, TheCounterShowsOneToTenDigitsWholeInItsBox) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    auto* contatore = prova.Controllo<QLabel>("lblCatturate");
    const QFont carattere = contatore->font();
    const QRect posto = contatore->geometry();
    for (int cifre = 1; cifre <= 10; ++cifre) {
        const QString testo = QString::number(2147483647).left(cifre);
        ScriviAdattato(*contatore, testo, carattere);
        SCOPED_TRACE(testo.toStdString());
        const QFontMetrics misure = contatore->fontMetrics();
        EXPECT_LE(misure.horizontalAdvance(testo), contatore->contentsRect().width());
        EXPECT_LE(misure.height(), contatore->contentsRect().height());
        EXPECT_EQ(contatore->text(), testo);
        EXPECT_EQ(contatore->geometry(), posto);
        QFont piuGrande = contatore->font();
        piuGrande.setPointSizeF(piuGrande.pointSizeF() + 0.25);
        const QFontMetrics grande(piuGrande);
        EXPECT_TRUE(contatore->font() == carattere ||
                    grande.horizontalAdvance(testo) > contatore->contentsRect().width() ||
                    grande.height() > contatore->contentsRect().height());
    }
    ScriviAdattato(*contatore, "7", carattere);
    EXPECT_EQ(contatore->font(), carattere);
}

}  // namespace
}  // namespace elencario::test
