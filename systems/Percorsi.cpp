#include "systems/Percorsi.h"

namespace elencario {

std::filesystem::path PercorsoDaTesto(const std::string& utf8) {
    const std::u8string testo(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
    return std::filesystem::path(testo);
}

std::string TestoDaPercorso(const std::filesystem::path& percorso) {
    const std::u8string testo = percorso.u8string();
    return std::string(reinterpret_cast<const char*>(testo.data()), testo.size());
}

}  // namespace elencario
