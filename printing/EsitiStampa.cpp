#include "printing/EsitiStampa.h"

#include "systems/Messages.h"

namespace elencario {

const char* RifiutoSpazio(Spazio spazio) {
    switch (spazio) {
        case Spazio::MargineTroppoLargo:
            return testi::kMargineNonValido;
        case Spazio::CarattereTroppoGrande:
            return testi::kGrandezzaNonValida;
        case Spazio::Ok:
            break;
    }
    return "";
}

}  // namespace elencario
