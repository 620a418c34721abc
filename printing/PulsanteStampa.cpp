#include "printing/PulsanteStampa.h"

#include <string>

#include "printing/ComposizioneElencario.h"
#include "systems/Testi.h"

namespace elencario {

EsitoStampa StampaElencario(const VARIABILI& v, const OpzioniStampa& opzioni,
                            ServizioMessaggi& messaggi, StampanteTesto& stampante) {
    if (v.TotCombinazioni < 1) {
        messaggi.Chiedi(AvvisoErrore(testi::kSelezionareSistema));
        return EsitoStampa::NessunSistema;
    }
    const RichiestaMessaggio conferma{testi::kConfermiStampa, Pulsanti::SiNo, Icona::Nessuna,
                                      PulsantePredefinito::Primo, std::nullopt};
    if (messaggi.Chiedi(conferma) != Risposta::Si) return EsitoStampa::Annullato;

    std::string rifiuto;
    const auto convertite = ConvertiOpzioni(opzioni, rifiuto);
    if (!convertite) {
        messaggi.Chiedi(AvvisoErrore(rifiuto));
        return EsitoStampa::OpzioneNonValida;
    }
    EsitoComposizione esito{stampante.Prepara()};
    if (esito.stato == StatoStampa::Ok) esito = ComponiElencario(v, *convertite, stampante);
    // The box says what the program says: the printer's own account is not shown.
    if (const std::string messaggio = MessaggioEsito(esito); !messaggio.empty()) {
        messaggi.Chiedi(AvvisoErrore(messaggio));
    }
    if (esito.spazio != Spazio::Ok) return EsitoStampa::OpzioneNonValida;
    switch (esito.stato) {
        case StatoStampa::Ok:
            return EsitoStampa::Stampato;
        case StatoStampa::Interrotta:
            return EsitoStampa::Interrotto;
        case StatoStampa::SenzaStampante:
            return EsitoStampa::NessunaStampante;
        case StatoStampa::Fallita:
            break;
    }
    return EsitoStampa::ErroreStampa;
}

}  // namespace elencario
