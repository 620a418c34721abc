#include "systems/Conversione.h"

namespace elencario {

int ConvertiIntero16(std::string_view testo, std::int16_t& valore) {
    Intero16InCorso conversione;
    for (const char c : testo) conversione.Aggiungi(c);
    return conversione.Esito(valore);
}

}  // namespace elencario
