// The window as it starts and as it looks: start-up, layout, keyboard order and focus, counter.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "app/Avvio.h"
#include "app/Eseguibile.h"
#include "systems/Messages.h"
#include "tests/app/FinestraDiProva.h"

namespace elencario::test {
namespace {

TEST(AvvioTest, WithoutTheSystemsFolderShowsTheMessageAndEndsWithoutWindowOrExitQuestion) {
    const TempFolder programma;
    ScriptedMessages messaggi;
    EXPECT_NE(EseguiStampaElencario(*qApp, programma.Text(), messaggi, nullptr), 0);
    EXPECT_EQ(messaggi.asked, std::vector{ErrorBox(" Non trovo Shared\\Sistemi ..! ")});
    for (const QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible());
}

#ifndef _WIN32
// Run from a copy in a folder whose name is not UTF-8, the program names that folder exactly.
TEST(AvvioTest, TheProgramsFolderKeepsItsOwnBytes) {
    if (const QByteArray attesa = qgetenv("ELENCARIO_CARTELLA"); !attesa.isEmpty()) {
        ASSERT_EQ(CartellaEseguibile(), attesa.toStdString());
        return;
    }
    const TempFolder temp;
    const std::filesystem::path copia = temp.path() / "cart\xE0" / "app_tests";
    std::filesystem::create_directory(copia.parent_path());
    std::filesystem::copy_file(CartellaEseguibile() + "/app_tests", copia);
    const std::string comando = "ELENCARIO_CARTELLA='" + copia.parent_path().native() + "' '" +
                                copia.native() + "' --gtest_filter=AvvioTest.* >/dev/null";
    EXPECT_EQ(std::system(comando.c_str()), 0);
}
#endif

// The window's layout in twips, as it was drawn (15 twips make a pixel); "Label1#2" is the
// member 2 of the array Label1.
struct Posto {
    const char *nome, *contenitore;
    int left, top, width, height;
};

constexpr Posto kPosti[] = {
    {"Frame3", "frmAmain", 180, 120, 5055, 7515},
    {"Dir1", "Frame3", 150, 210, 4725, 3660},
    {"File1", "Frame3", 150, 3960, 4725, 3405},
    {"Frame1", "frmAmain", 5430, 120, 3195, 7515},
    {"Label1#2", "Frame1", 210, 360, 2745, 255},
    {"Frame7#0", "Frame1", 240, 600, 2685, 795},
    {"cmbCarattere", "Frame7#0", 180, 300, 2235, 375},
    {"Label1#0", "Frame1", 270, 1590, 1245, 255},
    {"Label1#1", "Frame1", 1620, 1590, 1305, 255},
    {"Frame7#1", "Frame1", 240, 1830, 1305, 795},
    {"cmbGrandezza", "Frame7#1", 180, 300, 945, 375},
    {"Frame7#2", "Frame1", 1620, 1830, 1305, 795},
    {"cmbColonneRiga", "Frame7#2", 180, 300, 945, 375},
    {"Frame7#3", "Frame1", 240, 2730, 2685, 795},
    {"Label1#3", "Frame7#3", 150, 420, 1155, 255},
    {"cmbMargine", "Frame7#3", 1560, 300, 945, 375},
    {"imgLink", "Frame1", 690, 3690, 1800, 465},
    {"Frame7#4", "Frame1", 240, 4170, 2685, 1065},
    {"chkNomeSistema", "Frame7#4", 180, 240, 2385, 315},
    {"chkNumeriInGioco", "Frame7#4", 180, 630, 2385, 315},
    {"Label1#4", "Frame1", 480, 5550, 1245, 255},
    {"lblCatturate", "Frame1", 2010, 5460, 675, 315},
    {"cmdElencario", "Frame1", 360, 6180, 2475, 1065},
};

QWidget* Trova(QWidget& finestra, const QString& nome) {
    const QStringList parti = nome.split('#');
    if (nome == "frmAmain") return &finestra;
    for (QWidget* w : finestra.findChildren<QWidget*>(parti[0])) {
        if (parti.size() == 1 || w->property("Index").toString() == parti[1]) return w;
    }
    return nullptr;
}

TEST(FinestraTest, EveryControlSitsWholeAtItsPlaceInAFixedWindowThatCannotBeMaximised) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    QWidget& f = prova.Finestra();
    EXPECT_EQ(f.minimumSize(), QSize(591, 527));
    EXPECT_EQ(f.maximumSize(), QSize(591, 527));
    EXPECT_EQ(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
              Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(f.windowTitle(), "   STAMPA ELENCARIO - by Vorlix");
    EXPECT_FALSE(f.windowIcon().isNull());
    for (const Posto& p : kPosti) {
        SCOPED_TRACE(p.nome);
        const QWidget* w = Trova(f, p.nome);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), Trova(f, p.contenitore));
        EXPECT_EQ(w->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()));
        for (const QWidget* altro : w->parentWidget()->findChildren<QWidget*>()) {
            if (altro == w || altro->parentWidget() != w->parentWidget()) continue;
            const QRect comune = altro->geometry() & w->geometry();  // a label may touch a frame
            EXPECT_TRUE(comune.width() <= 1 || comune.height() <= 1 ||
                        altro->objectName().isEmpty());
        }
        if (const auto* l = qobject_cast<const QLabel*>(w)) {
            EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->contentsRect().width());
            EXPECT_LE(l->fontMetrics().height(), l->contentsRect().height());
            EXPECT_TRUE(!l->text().isEmpty() || !l->pixmap().isNull());
        }
        if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
            EXPECT_LE(b->sizeHint().width(), b->width());
        }
    }
}

// Shown, the window is centred by its frame and the focus is in File1; Tab visits the controls
// in the window's order, and each shows a ring around itself while it has the focus.
TEST(FinestraTest, CentredTabFollowsTheWindowOrderAndTheFocusIsSeenOnEveryControl) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    prova.Mostra();
    FrmAmain& f = prova.Finestra();
    f.CentraSulloSchermo();
    ASSERT_NE(f.frameGeometry(), f.geometry());  // else the centring proves nothing
    EXPECT_LE(
        (f.frameGeometry().center() - f.screen()->availableGeometry().center()).manhattanLength(),
        1);
    const auto anello = [](const QWidget* w) {
        return w->parentWidget()->grab(w->geometry().adjusted(-2, -2, 2, 2)).toImage();
    };
    const auto conFuoco = [](const QWidget* w) {
        return w->isAncestorOf(QApplication::focusWidget()) || w->hasFocus();
    };
    EXPECT_TRUE(conFuoco(prova.Controllo<QWidget>("File1")));
    for (const char* nome : {"Dir1", "cmbMargine", "cmbColonneRiga", "cmbGrandezza", "cmbCarattere",
                             "chkNumeriInGioco", "chkNomeSistema", "cmdElencario", "File1"}) {
        SCOPED_TRACE(nome);
        const QWidget* w = prova.Controllo<QWidget>(nome);
        const QImage senza = anello(w);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(conFuoco(w));
        const QImage con = anello(w);
        const QRect interno(2, 2, con.width() - 4, con.height() - 4);
        int cambiati = 0;
        for (int y = 0; y < con.height(); ++y) {
            for (int x = 0; x < con.width(); ++x) {
                cambiati += !interno.contains(x, y) && con.pixel(x, y) != senza.pixel(x, y);
            }
        }
        const int anello = con.width() * con.height() - interno.width() * interno.height();
        EXPECT_GT(cambiati, anello * 3 / 4);
    }
}

// Every count up to the largest shows whole in the counter's box, shrunk only as far as needed.
TEST(FinestraTest, TheCounterShowsOneToTenDigitsWholeInItsBox) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    auto* contatore = prova.Controllo<QLabel>("lblCatturate");
    const QFont carattere = contatore->font();
    const QRect posto = contatore->geometry(), dentro = contatore->contentsRect();
    const auto entra = [&](const QFont& f, const QString& testo) {
        return QFontMetrics(f).horizontalAdvance(testo) <= dentro.width() &&
               QFontMetrics(f).height() <= dentro.height();
    };
    for (int cifre = 1; cifre <= 10; ++cifre) {
        const QString testo = QString::number(2147483647).left(cifre);
        ScriviAdattato(*contatore, testo, carattere);
        QFont piuGrande = contatore->font();
        piuGrande.setPointSizeF(piuGrande.pointSizeF() + 0.25);
        EXPECT_TRUE(entra(contatore->font(), testo)) << cifre;
        EXPECT_TRUE(contatore->font() == carattere || !entra(piuGrande, testo)) << cifre;
        EXPECT_EQ(contatore->text(), testo);
        EXPECT_EQ(contatore->geometry(), posto);
    }
    ScriviAdattato(*contatore, "7", carattere);
    EXPECT_EQ(contatore->font(), carattere);
}

}  // namespace
}  // namespace elencario::test
