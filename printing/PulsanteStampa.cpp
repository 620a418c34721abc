#include "printing/PulsanteStampa.h"

#include <string>

#include "printing/Printout.h"
#include "systems/Messages.h"

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
    if (esito.spazio != Spazio::Ok) {
        messaggi.Ask(ErrorBox(RifiutoSpazio(esito.spazio)));
        return EsitoStampa::OpzioneNonValida;
    }
    switch (esito.stato) {
        case StatoStampa::Ok:
            return EsitoStampa::Stampato;
        case StatoStampa::Interrotta:
            return EsitoStampa::Interrotto;
        case StatoStampa::SenzaStampante:
            messaggi.Ask(ErrorBox(testi::kNessunaStampante));
            return EsitoStampa::NessunaStampante;
        case StatoStampa::Fallita:
            break;
    }
    messaggi.Ask(ErrorBox(testi::kErroreStampa));
    return EsitoStampa::ErroreStampa;
}

}  // namespace elencario
