#include "printing/OpzioniStampa.h"

#include "systems/Conversione.h"
#include "systems/Testi.h"

namespace elencario {

std::optional<OpzioniConvertite> ConvertiOpzioni(const OpzioniStampa& opzioni,
                                                 std::string& messaggio) {
    OpzioniConvertite convertite;
    convertite.carattere = opzioni.carattere;
    convertite.nomeSistema = opzioni.nomeSistema;
    convertite.numeriInGioco = opzioni.numeriInGioco;
    struct Controllo {
        const std::string& testo;
        std::int16_t& valore;
        bool (*valido)(std::int16_t);
        const char* rifiuto;
    };
    // A negative count per line splits the grid like its magnitude (i % -4 is 0 where i % 4
    // is): only 0 has no meaning.
    const Controllo controlli[] = {
        {opzioni.colonneRiga, convertite.colonneRiga, [](std::int16_t n) { return n != 0; },
         testi::kColonneNonValide},
        {opzioni.grandezza, convertite.grandezza, [](std::int16_t n) { return n >= 1; },
         testi::kGrandezzaNonValida},
        {opzioni.margine, convertite.margine, [](std::int16_t n) { return n >= 0; },
         testi::kMargineNonValido},
    };
    for (const Controllo& c : controlli) {
        if (ConvertiIntero16(c.testo, c.valore) != 0 || !c.valido(c.valore)) {
            messaggio = c.rifiuto;
            return std::nullopt;
        }
    }
    return convertite;
}

}  // namespace elencario
