#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "tests/app/FinestraDiProva.h"

namespace elencario::test {
namespace {

// The window's layout in twips, as it was drawn; 15 twips make a pixel.
struct Posto {
    const char* riga;
    const char* nome;
    int indice;  // members of Label1 and Frame7; -1 for the others
    const char* contenitore;
    int contenitoreIndice;
    int left, top, width, height;
};

constexpr Posto kPosti[] = {
    {"Frame3", "Frame3", -1, "frmAmain", -1, 180, 120, 5055, 7515},
    {"Dir1", "Dir1", -1, "Frame3", -1, 150, 210, 4725, 3660},
    {"File1", "File1", -1, "Frame3", -1, 150, 3960, 4725, 3405},
    {"Frame1", "Frame1", -1, "frmAmain", -1, 5430, 120, 3195, 7515},
    {"Label1_2", "Label1", 2, "Frame1", -1, 210, 360, 2745, 255},
    {"Frame7_0", "Frame7", 0, "Frame1", -1, 240, 600, 2685, 795},
    {"cmbCarattere", "cmbCarattere", -1, "Frame7", 0, 180, 300, 2235, 375},
    {"Label1_0", "Label1", 0, "Frame1", -1, 270, 1590, 1245, 255},
    {"Label1_1", "Label1", 1, "Frame1", -1, 1620, 1590, 1305, 255},
    {"Frame7_1", "Frame7", 1, "Frame1", -1, 240, 1830, 1305, 795},
    {"cmbGrandezza", "cmbGrandezza", -1, "Frame7", 1, 180, 300, 945, 375},
    {"Frame7_2", "Frame7", 2, "Frame1", -1, 1620, 1830, 1305, 795},
    {"cmbColonneRiga", "cmbColonneRiga", -1, "Frame7", 2, 180, 300, 945, 375},
    {"Frame7_3", "Frame7", 3, "Frame1", -1, 240, 2730, 2685, 795},
    {"Label1_3", "Label1", 3, "Frame7", 3, 150, 420, 1155, 255},
    {"cmbMargine", "cmbMargine", -1, "Frame7", 3, 1560, 300, 945, 375},
    {"imgLink", "imgLink", -1, "Frame1", -1, 690, 3690, 1800, 465},
    {"Frame7_4", "Frame7", 4, "Frame1", -1, 240, 4170, 2685, 1065},
    {"chkNomeSistema", "chkNomeSistema", -1, "Frame7", 4, 180, 240, 2385, 315},
    {"chkNumeriInGioco", "chkNumeriInGioco", -1, "Frame7", 4, 180, 630, 2385, 315},
    {"Label1_4", "Label1", 4, "Frame1", -1, 480, 5550, 1245, 255},
    {"lblCatturate", "lblCatturate", -1, "Frame1", -1, 2010, 5460, 675, 315},
    {"cmdElencario", "cmdElencario", -1, "Frame1", -1, 360, 6180, 2475, 1065},
};

QWidget* Trova(const QWidget& finestra, const char* nome, int indice) {
    if (QString(nome) == "frmAmain") return const_cast<QWidget*>(&finestra);
    for (QWidget* w : finestra.findChildren<QWidget*>(nome)) {
        if (indice < 0 || w->property("Index").toInt() == indice) return w;
    }
    return nullptr;
}

class DisposizioneTest : public ::testing::TestWithParam<Posto> {
  protected:
    void SetUp() override { ASSERT_TRUE(prova.Apri()); }
    FinestraDiProva prova;
};

TEST_P(DisposizioneTest, SitsInItsContainerAtItsPlace) {
    const Posto& p = GetParam();
    const QWidget* w = Trova(prova.Finestra(), p.nome, p.indice);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), Trova(prova.Finestra(), p.contenitore, p.contenitoreIndice));
    EXPECT_EQ(w->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
    EXPECT_TRUE(w->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Finestra, DisposizioneTest, ::testing::ValuesIn(kPosti),
                         [](const auto& info) { return std::string(info.param.riga); });

TEST(FinestraTest, FixedSizeMinimisableNotMaximisable) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    const QWidget& f = prova.Finestra();
    EXPECT_EQ(f.size(), QSize(591, 527));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_TRUE(f.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(f.windowTitle(), "   STAMPA ELENCARIO - by Vorlix");
    EXPECT_EQ(f.windowIcon().actualSize(QSize(48, 48)), QSize(48, 48));
    EXPECT_EQ(prova.Controllo<QLabel>("imgLink")->pixmap().size(), QSize(120, 31));
}

TEST(FinestraTest, EveryCaptionShowsWhole) {
    FinestraDiProva prova;
    ASSERT_TRUE(prova.Apri());
    for (const QLabel* l : prova.Finestra().findChildren<QLabel*>()) {
        if (l->text().isEmpty()) continue;
        const int larghezza = l->fontMetrics().horizontalAdvance(l->text()) + 2 * l->frameWidth();
        EXPECT_LE(larghezza, l->width()) << l->text().toStdString();
        EXPECT_LE(l->fontMetrics().height(), l->height()) << l->text().toStdString();
    }
    for (const QAbstractButton* b : prova.Finestra().findChildren<QAbstractButton*>()) {
        EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString();
    }
}

}  // namespace
}  // namespace elencario::test
