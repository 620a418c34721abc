#include "printing/qt/ServizioMessaggiQt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "systems/Testi.h"

namespace elencario {

namespace {

QMessageBox::Icon IconaQt(Icona icon) {
    switch (icon) {
        case Icona::Errore:
            return QMessageBox::Critical;
        case Icona::Avviso:
            return QMessageBox::Warning;
        case Icona::Nessuna:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

std::unique_ptr<QMessageBox> ServizioMessaggiQt::CreaBox(const RichiestaMessaggio& request,
                                                         QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowTitle(QString::fromStdString(request.title.value_or(testi::kTitoloProgramma)));
    // Rich text would swallow the leading and trailing spaces of the messages.
    box->setTextFormat(Qt::PlainText);
    box->setText(QString::fromStdString(request.text));
    box->setIcon(IconaQt(request.icon));
    if (request.buttons == Pulsanti::Ok) {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
    } else {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(request.defaultButton == PulsantePredefinito::Primo
                                  ? QMessageBox::Yes
                                  : QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
    }
    return box;
}

Risposta ServizioMessaggiQt::RispostaDi(const QMessageBox& box) {
    QAbstractButton* premuto = box.clickedButton();
    if (premuto == nullptr)
        return box.button(QMessageBox::Ok) != nullptr ? Risposta::Ok : Risposta::No;
    switch (box.standardButton(premuto)) {
        case QMessageBox::Yes:
            return Risposta::Si;
        case QMessageBox::Ok:
            return Risposta::Ok;
        default:
            return Risposta::No;
    }
}

Risposta ServizioMessaggiQt::Chiedi(const RichiestaMessaggio& request) {
    const auto box = CreaBox(request, QApplication::activeWindow());
    box->exec();
    return RispostaDi(*box);
}

}  // namespace elencario
