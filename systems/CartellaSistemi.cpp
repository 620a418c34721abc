#include "systems/CartellaSistemi.h"

#include <filesystem>

#include "systems/Percorsi.h"
#include "systems/Routines.h"

namespace elencario {

std::string PercorsoSistemiDa(const std::string& cartellaEseguibile) {
    std::string percorso = cartellaEseguibile;
    for (const char* parte : {"Shared", "Sistemi"}) {
        percorso += kSeparatoreCartelle;
        percorso += parte;
    }
    percorso += kSeparatoreCartelle;
    return percorso;
}

std::string CercaPercorsoSistemi(const std::string& cartellaEseguibile) {
    const std::string accanto = PercorsoSistemiDa(cartellaEseguibile);
    if (EsisteCartella(accanto)) return accanto;
    // Relative to the program, so that any installation prefix works.
    const std::filesystem::path condivisi =
        PercorsoDaTesto(cartellaEseguibile) / ".." / "share" / "stampa-elencario" / "Sistemi" / "";
    const std::string installati = TestoDaPercorso(condivisi.lexically_normal());
    return EsisteCartella(installati) ? installati : accanto;
}

}  // namespace elencario
