#include "app/qt/Avvio.h"

#include <QApplication>
#include <cstdlib>

#include "printing/qt/AmbienteQt.h"

namespace elencario {

int EseguiStampaElencario(QApplication& applicazione, const std::string& cartellaEseguibile,
                          ServizioMessaggi& messaggi, FabbricaStampante fabbricaStampante) {
    PreparaQt(applicazione);
    const auto finestra =
        FrmAmain::Apri(cartellaEseguibile, messaggi, std::move(fabbricaStampante));
    if (!finestra) return EXIT_FAILURE;
    finestra->show();
    finestra->CentraSulloSchermo();  // by its frame, known once shown
    return applicazione.exec();
}

}  // namespace elencario
