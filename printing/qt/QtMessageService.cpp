#include "printing/qt/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "systems/Testi.h"

namespace elencario {

namespace {

QMessageBox::Icon IconaQt(Icon icon) {
    switch (icon) {
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

std::unique_ptr<QMessageBox> QtMessageService::CreaBox(const MessageRequest& request,
                                                       QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowTitle(QString::fromStdString(request.title.value_or(testi::kTitoloProgramma)));
    // Rich text would swallow the leading and trailing spaces of the messages.
    box->setTextFormat(Qt::PlainText);
    box->setText(QString::fromStdString(request.text));
    box->setIcon(IconaQt(request.icon));
    if (request.buttons == Buttons::Ok) {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
    } else {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(request.defaultButton == DefaultButton::First ? QMessageBox::Yes
                                                                            : QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
    }
    return box;
}

Answer QtMessageService::RispostaDi(const QMessageBox& box) {
    QAbstractButton* premuto = box.clickedButton();
    if (premuto == nullptr) return box.button(QMessageBox::Ok) != nullptr ? Answer::Ok : Answer::No;
    switch (box.standardButton(premuto)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::Ok:
            return Answer::Ok;
        default:
            return Answer::No;
    }
}

Answer QtMessageService::Ask(const MessageRequest& request) {
    const auto box = CreaBox(request, QApplication::activeWindow());
    box->exec();
    return RispostaDi(*box);
}

}  // namespace elencario
