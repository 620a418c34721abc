#include "printing/PulsanteStampa.h"

#include <string>

#include "printing/Printout.h"
#include "systems/Testi.h"

namespace elencario {

EsitoStampa StampaElencario(const VARIABILI& v, const OpzioniStampa& opzioni,
                            MessageService& messaggi, TextPrinter& stampante) {
    if (v.TotCombinazioni < 1) {
        messaggi.Ask(ErrorBox(testi::kSelezionareSistema));
        return EsitoStampa::NessunSistema;
    }
    const MessageRequest conferma{testi::kConfermiStampa, Buttons::YesNo, Icon::None,
                                  DefaultButton::First, std::nullopt};
    if (messaggi.Ask(conferma) != Answer::Yes) return EsitoStampa::Annullato;

    std::string rifiuto;
    const auto convertite = ConvertiOpzioni(opzioni, rifiuto);
    if (!convertite) {
        messaggi.Ask(ErrorBox(rifiuto));
        return EsitoStampa::OpzioneNonValida;
    }
    EsitoComposizione esito{stampante.Prepara()};
    if (esito.stato == StatoStampa::Ok) esito = ComponiElencario(v, *convertite, stampante);
    // The box says what the program says: the printer's own account is not shown.
    if (const std::string messaggio = MessaggioEsito(esito); !messaggio.empty()) {
        messaggi.Ask(ErrorBox(messaggio));
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
