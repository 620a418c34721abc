#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "printing/qt/AmbienteQt.h"
#include "printing/qt/QtMessageService.h"
#include "systems/Messages.h"

namespace elencario {
namespace {

struct Box {
    const char* riga;
    MessageRequest richiesta;
    QString titolo;
    QMessageBox::Icon icona;
    QMessageBox::StandardButtons bottoni;
    QMessageBox::StandardButton predefinito;
};

class QtMessageServiceTest : public ::testing::TestWithParam<Box> {};

TEST_P(QtMessageServiceTest, BuildsTheBoxAsAsked) {
    const Box& b = GetParam();
    const auto box = QtMessageService::CreaBox(b.richiesta, nullptr);
    EXPECT_EQ(box->text().toStdString(), b.richiesta.text);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->windowTitle(), b.titolo);
    EXPECT_EQ(box->icon(), b.icona);
    EXPECT_EQ(box->standardButtons(), b.bottoni);
    EXPECT_EQ(box->standardButton(box->defaultButton()), b.predefinito);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
}

INSTANTIATE_TEST_SUITE_P(
    Box, QtMessageServiceTest,
    ::testing::Values(Box{"ErrorWithoutTitle", ErrorBox(" Non trovo Shared\\Sistemi ..! "),
                          "STAMPA ELENCARIO", QMessageBox::Critical, QMessageBox::Ok,
                          QMessageBox::Ok},
                      Box{"WarningWithTitleNoByDefault",
                          {" Confermi uscita dal programma ?  ", Buttons::YesNo, Icon::Warning,
                           DefaultButton::Second, "            Fine Sessione"},
                          "            Fine Sessione",
                          QMessageBox::Warning,
                          QMessageBox::Yes | QMessageBox::No,
                          QMessageBox::No}),
    [](const auto& info) { return std::string(info.param.riga); });

TEST(QtMessageServiceItalianTest, ExitQuestionButtonsReadSiAndNo) {
    ASSERT_TRUE(PreparaQt(*qApp)) << "traduzione qtbase_it non trovata";
    const auto box =
        QtMessageService::CreaBox({testi::kDomandaUscita, Buttons::YesNo, Icon::Warning,
                                   DefaultButton::Second, testi::kTitoloUscita},
                                  nullptr);
    EXPECT_EQ(box->button(QMessageBox::Yes)->text().remove('&'), "Sì");
    EXPECT_EQ(box->button(QMessageBox::No)->text().remove('&'), "No");
}

TEST(QtMessageServiceAnswerTest, AskWaitsInAModalBoxForTheAnswer) {
    QtMessageService servizio;
    QObject contesto;
    QString testoVisto;
    // Runs inside the box's own event loop, once the box is up.
    QTimer::singleShot(0, &contesto, [&testoVisto] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        testoVisto = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    const Answer risposta = servizio.Ask(
        {"Confermi la stampa ? ", Buttons::YesNo, Icon::None, DefaultButton::First, {}});
    EXPECT_EQ(testoVisto, "Confermi la stampa ? ");
    EXPECT_EQ(risposta, Answer::Yes);
}

}  // namespace
}  // namespace elencario
