#include "printing/EsitiStampa.h"

#include "systems/Testi.h"

namespace elencario {

std::string MessaggioEsito(const EsitoComposizione& esito, std::string_view spiegazione) {
    switch (esito.spazio) {
        case Spazio::MargineTroppoLargo:
            return testi::kMargineNonValido;
        case Spazio::CarattereTroppoGrande:
            return testi::kGrandezzaNonValida;
        case Spazio::Ok:
            break;
    }
    switch (esito.stato) {
        case StatoStampa::Ok:
        case StatoStampa::Interrotta:
            return {};
        case StatoStampa::SenzaStampante:
        case StatoStampa::Fallita:
            break;
    }
    if (!spiegazione.empty()) return std::string(spiegazione);
    return esito.stato == StatoStampa::SenzaStampante ? testi::kNessunaStampante
                                                      : testi::kErroreStampa;
}

}  // namespace elencario
