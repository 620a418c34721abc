#include "systems/Routines.h"

#include <string_view>

#include "systems/MaiuscoloUtf8.h"
#include "systems/Percorsi.h"

namespace elencario {

std::string NomeSistema(const std::string& percorso) {
    const std::size_t ultimo = percorso.rfind(kSeparatoreCartelle);
    return SuUnaRiga(MaiuscoloUtf8(ultimo == std::string::npos
                                       ? std::string_view(percorso)
                                       : std::string_view(percorso).substr(ultimo + 1)));
}

std::string SuUnaRiga(std::string nome) {
    for (char& c : nome)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = '?';
    return nome;
}

}  // namespace elencario
