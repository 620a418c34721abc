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
    QMessageBox::Icon icona;
    QString vista;    // title|text|buttons in Italian, the default one marked *, Escape's one ^
    Answer risposta;  // to the first button
};

class QtMessageServiceTest : public testing::TestWithParam<Box> {};

TEST_P(QtMessageServiceTest, AskShowsTheBoxAsAskedAndAnswersTheButtonPressed) {
    const Box& b = GetParam();
    ASSERT_TRUE(PreparaQt(*qApp)) << "traduzione qtbase_it non trovata";
    QObject contesto;
    QTimer::singleShot(0, &contesto, [&b] {  // inside the box's own event loop
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->icon() == b.icona && box->textFormat() == Qt::PlainText);
        QString vista = box->windowTitle() + '|' + box->text() + '|';
        for (QAbstractButton* button : box->buttons()) {
            const QString testo = button->text().remove('&');
            vista += testo + (button == box->defaultButton() ? "*" : "") +
                     (button == box->escapeButton() ? "^" : "") + ' ';
        }
        EXPECT_EQ(vista.toStdString(), b.vista.toStdString());
        box->buttons().constFirst()->click();
    });
    EXPECT_EQ(QtMessageService().Ask(b.richiesta), b.risposta);
}

INSTANTIATE_TEST_SUITE_P(
    Box, QtMessageServiceTest,
    testing::Values(Box{"Error", ErrorBox(" Non trovo Shared\\Sistemi ..! "), QMessageBox::Critical,
                        "STAMPA ELENCARIO| Non trovo Shared\\Sistemi ..! |OK*^ ", Answer::Ok},
                    Box{"ExitQuestion",
                        {testi::kDomandaUscita, Buttons::YesNo, Icon::Warning,
                         DefaultButton::Second, testi::kTitoloUscita},
                        QMessageBox::Warning,
                        "            Fine Sessione| Confermi uscita dal programma ?  |Sì No*^ ",
                        Answer::Yes}),
    [](const auto& info) { return std::string(info.param.riga); });

}  // namespace
}  // namespace elencario
