#include <QApplication>
#include <memory>

#include "app/Eseguibile.h"
#include "app/qt/Avvio.h"
#include "printing/Impaginatore.h"
#include "printing/qt/AmbienteQt.h"
#include "printing/qt/FinestraAvanzamento.h"
#include "printing/qt/ServizioMessaggiQt.h"
#include "printing/qt/StampantePredefinita.h"

int main(int argc, char** argv) {
    elencario::ZittisciAvvisiQt();
    QApplication applicazione(argc, argv);
    elencario::ServizioMessaggiQt messaggi;
    // The systems folder is looked for beside the program, wherever it is started from.
    return elencario::EseguiStampaElencario(
        applicazione, elencario::CartellaEseguibile(), messaggi, [] {
            return std::make_unique<elencario::Impaginatore>(
                elencario::StampantePredefinita(),
                std::make_unique<elencario::FinestraAvanzamento>());
        });
}
