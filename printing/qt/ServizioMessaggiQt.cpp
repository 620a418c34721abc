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

std::unique_ptr<QMessageBox> ServizioMessaggiQt::CreaBox(const RichiestaMessaggio& richiesta,
                                                         QWidget* genitore) {
    auto scatola = std::make_unique<QMessageBox>(genitore);
    scatola->setWindowModality(Qt::ApplicationModal);
    scatola->setWindowTitle(
        QString::fromStdString(richiesta.titolo.value_or(testi::kTitoloProgramma)));
    // Rich text would swallow the leading and trailing spaces of the messages.
    scatola->setTextFormat(Qt::PlainText);
    scatola->setText(QString::fromStdString(richiesta.testo));
    scatola->setIcon(IconaQt(richiesta.icona));
    if (richiesta.pulsanti == Pulsanti::Ok) {
        scatola->setStandardButtons(QMessageBox::Ok);
        scatola->setDefaultButton(QMessageBox::Ok);
        scatola->setEscapeButton(QMessageBox::Ok);
    } else {
        scatola->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        scatola->setDefaultButton(richiesta.predefinito == PulsantePredefinito::Primo
                                      ? QMessageBox::Yes
                                      : QMessageBox::No);
        scatola->setEscapeButton(QMessageBox::No);
    }
    return scatola;
}

Risposta ServizioMessaggiQt::RispostaDi(const QMessageBox& scatola) {
    QAbstractButton* premuto = scatola.clickedButton();
    if (premuto == nullptr)
        return scatola.button(QMessageBox::Ok) != nullptr ? Risposta::Ok : Risposta::No;
    switch (scatola.standardButton(premuto)) {
        case QMessageBox::Yes:
            return Risposta::Si;
        case QMessageBox::Ok:
            return Risposta::Ok;
        default:
            return Risposta::No;
    }
}

Risposta ServizioMessaggiQt::Chiedi(const RichiestaMessaggio& richiesta) {
    const auto scatola = CreaBox(richiesta, QApplication::activeWindow());
    scatola->exec();
    return RispostaDi(*scatola);
}

}  // namespace elencario
