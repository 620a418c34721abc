// The window as it starts and as it looks: start-up, layout, keyboard order and focus, counter.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QScreen>

#include "app/Avvio.h"
#include "app/Eseguibile.h"
#include "printing/ScelteOpzioni.h"
#include "systems/Messages.h"
#include "tests/app/FinestraDiProva.h"

namespace elencario::test {
namespace {

TEST(AvvioTest, WithoutTheSystemsFolderShowsTheMessageAndEndsWithoutWindowOrExitQuestion) {
    const TempFolder programma;
    ScriptedMessages messaggi;
    EXPECT_NE(EseguiStampaElencario(*qApp, programma.Text(), messaggi, nullptr), 0);
    EXPECT_EQ(messaggi.asked, std::vector{ErrorBox(testi::kNonTrovoSistemi)});
    for (const QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible());
}

// Run from a copy in a folder whose name is not UTF-8, the program names that folder exactly.
TEST(AvvioTest, TheProgramsFolderKeepsItsOwnBytes) {
    if (const QByteArray attesa = qgetenv("ELENCARIO_CARTELLA"); !attesa.isEmpty())
        std::_Exit(CartellaEseguibile() == attesa.toStdString() ? 0 : 1);
    const TempFolder temp;
    const std::filesystem::path copia = temp.path() / "cart\xE0" / "app_tests";
    std::filesystem::create_directory(copia.parent_path());
    std::filesystem::copy_file(CartellaEseguibile() + "/app_tests", copia);
    const std::string comando = "ELENCARIO_CARTELLA='" + copia.parent_path().native() + "' '" +
                                copia.native() + "' --gtest_filter=*Bytes >/dev/null";
    EXPECT_EQ(std::system(comando.c_str()), 0);
}

// The layout in pixels (the twips drawn, divided by 15) and the font's points; "Label1#2" is
// member 2 of the array Label1.
struct Posto {
    const char *nome, *contenitore;
    int left, top, width, height;
    double punti = 8.25;
};
// clang-format off
constexpr Posto kPosti[] = {
    {"Frame3", "frmAmain", 12, 8, 337, 501}, {"Dir1", "Frame3", 10, 14, 315, 244, 9},
    {"File1", "Frame3", 10, 264, 315, 227, 9.75}, {"Frame1", "frmAmain", 362, 8, 213, 501},
    {"Label1#2", "Frame1", 14, 24, 183, 17}, {"Frame7#0", "Frame1", 16, 40, 179, 53},
    {"cmbCarattere", "Frame7#0", 12, 20, 149, 25, 9.75}, {"Label1#0", "Frame1", 18, 106, 83, 17},
    {"Label1#1", "Frame1", 108, 106, 87, 17}, {"Frame7#1", "Frame1", 16, 122, 87, 53},
    {"Frame7#2", "Frame1", 108, 122, 87, 53}, {"cmbGrandezza", "Frame7#1", 12, 20, 63, 25, 9.75},
    {"cmbColonneRiga", "Frame7#2", 12, 20, 63, 25, 9.75}, {"Frame7#3", "Frame1", 16, 182, 179, 53},
    {"Label1#3", "Frame7#3", 10, 28, 77, 17}, {"cmbMargine", "Frame7#3", 104, 20, 63, 25, 9.75},
    {"imgLink", "Frame1", 46, 246, 120, 31}, {"Frame7#4", "Frame1", 16, 278, 179, 71},
    {"chkNomeSistema", "Frame7#4", 12, 16, 159, 21},
    {"chkNumeriInGioco", "Frame7#4", 12, 42, 159, 21}, {"Label1#4", "Frame1", 32, 370, 83, 17},
    {"lblCatturate", "Frame1", 134, 364, 45, 21, 9.75},
    {"cmdElencario", "Frame1", 24, 412, 165, 71, 9},
};
// clang-format on

// The label's text fits its box whole in the font `f`.
bool Intero(const QLabel& l, const QFont& f) {
    return QRect({}, l.contentsRect().size()).contains({{}, QFontMetrics(f).size(0, l.text())});
}

// Each control at its place, inside its parent, overlapping no sibling, its caption whole, each
// drop-down showing the entry it has chosen, in a fixed window that cannot be maximised; each
// count up to the largest whole in the counter's box, shrunk only as far as needed.
TEST(FinestraTest, EveryControlAndEveryCountSitsWholeAtItsPlaceInAFixedWindow) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    QWidget& f = prova.Finestra();
    EXPECT_EQ(f.minimumSize(), QSize(591, 527));
    EXPECT_EQ(f.maximumSize(), f.minimumSize());
    EXPECT_EQ(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
              Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f.windowIcon().isNull());
    const auto trova = [&](const QString& n) -> QWidget* {
        for (QWidget* w : f.findChildren<QWidget*>(n.section('#', 0, 0)))
            if (!n.contains('#') || w->property("Index").toString() == n.section('#', 1)) return w;
        return n == "frmAmain" ? &f : nullptr;
    };
    for (const Posto& p : kPosti) {
        SCOPED_TRACE(p.nome);
        const QWidget* w = trova(p.nome);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), trova(p.contenitore));
        EXPECT_EQ(w->geometry(), QRect(p.left, p.top, p.width, p.height));
        EXPECT_EQ(w->font().pointSizeF(), p.punti);
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()));
        for (const QWidget* altro : w->parentWidget()->findChildren<QWidget*>()) {
            const QRect comune = altro->geometry() & w->geometry();  // a label may touch a frame
            EXPECT_TRUE(altro == w || altro->parentWidget() != w->parentWidget() ||
                        altro->objectName().isEmpty() || comune.width() <= 1 ||
                        comune.height() <= 1);
        }
        const auto* l = qobject_cast<const QLabel*>(w);
        EXPECT_TRUE(!l ||
                    (Intero(*l, l->font()) && (!l->text().isEmpty() || !l->pixmap().isNull())));
        const auto* b = qobject_cast<const QAbstractButton*>(w);
        EXPECT_TRUE(!b || b->sizeHint().width() <= b->width());
    }
    for (const auto& [nome, scelte] : {std::pair{"cmbCarattere", kSceltaCarattere},
                                       {"cmbGrandezza", kSceltaGrandezza},
                                       {"cmbColonneRiga", kSceltaColonneRiga},
                                       {"cmbMargine", kSceltaMargine}}) {
        const auto* c = prova.Controllo<QComboBox>(nome);
        QStringList attese, offerte;
        for (const std::string_view v : scelte.voci)
            attese << QString::fromUtf8(v.data(), v.size());
        for (int i = 0; i < c->count(); ++i) offerte << c->itemText(i);
        EXPECT_EQ(offerte, attese) << nome;
        EXPECT_EQ(c->currentIndex(), int(scelte.iniziale)) << nome;
        EXPECT_EQ(c->currentText(), c->itemText(c->currentIndex())) << nome;
    }
    auto* contatore = prova.Controllo<QLabel>("lblCatturate");
    for (const auto ruolo : {QPalette::Window, QPalette::WindowText})  // its own, not the window's
        EXPECT_NE(contatore->palette().color(ruolo), f.palette().color(ruolo)) << ruolo;
    EXPECT_TRUE(contatore->alignment() & Qt::AlignHCenter);
    const QFont carattere = contatore->font();
    for (int cifre = 10; cifre >= 1; --cifre) {
        ScriviAdattato(*contatore, QString::number(2147483647).left(cifre), carattere);
        QFont piuGrande = contatore->font();
        piuGrande.setPointSizeF(piuGrande.pointSizeF() + 0.25);
        EXPECT_TRUE(Intero(*contatore, contatore->font())) << cifre;
        EXPECT_TRUE(contatore->font() == carattere || !Intero(*contatore, piuGrande)) << cifre;
        EXPECT_EQ(contatore->text().size(), cifre);
        EXPECT_EQ(contatore->geometry(), QRect(134, 364, 45, 21));
    }
    EXPECT_EQ(contatore->font(), carattere);
}

// Shown, the window is centred by its frame and the focus is in File1; Tab visits the controls
// in the window's order, each ringed while it has the focus; Enter presses the button.
TEST(FinestraTest, CentredTabFollowsTheWindowOrderAndTheFocusIsSeenOnEveryControl) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri(true));
    FrmAmain& f = prova.Finestra();
    f.CentraSulloSchermo();
    ASSERT_NE(f.frameGeometry(), f.geometry());  // else the centring proves nothing
    const QPoint scarto = f.frameGeometry().center() - f.screen()->availableGeometry().center();
    EXPECT_LE(scarto.manhattanLength(), 1);
    EXPECT_TRUE(prova.Controllo<QWidget>("File1")->hasFocus());
    for (const char* nome : {"Dir1", "cmbMargine", "cmbColonneRiga", "cmbGrandezza", "cmbCarattere",
                             "chkNumeriInGioco", "chkNomeSistema", "cmdElencario", "File1"}) {
        const QWidget* w = prova.Controllo<QWidget>(nome);
        const QRect intorno = w->geometry() + QMargins(2, 2, 2, 2);
        const QImage senza = w->parentWidget()->grab(intorno).toImage();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(w->isAncestorOf(QApplication::focusWidget()) || w->hasFocus()) << nome;
        const QImage con = w->parentWidget()->grab(intorno).toImage();
        const QRect dentro = con.rect() - QMargins(2, 2, 2, 2);
        int cambiati = 0;  // three in four of the ring around the control change
        for (int i = 0; i < con.width() * con.height(); ++i) {
            const QPoint q(i % con.width(), i / con.width());
            cambiati += dentro.contains(q) ? 0 : con.pixel(q) != senza.pixel(q) ? 1 : -3;
        }
        EXPECT_GT(cambiati, 0) << nome;
    }
    QTest::keyClick(prova.Controllo<QWidget>("cmdElencario"), Qt::Key_Return);
    EXPECT_EQ(prova.messaggi.asked, std::vector{ErrorBox(testi::kSelezionareSistema)});
}

}  // namespace
}  // namespace elencario::test
