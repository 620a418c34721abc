// Folders are told by the directory attribute.
#include <windows.h>

#include "systems/Percorsi.h"
#include "systems/Routines.h"

namespace elencario {

namespace {
constexpr DWORD kAttributoCartella = 16;  // FILE_ATTRIBUTE_DIRECTORY
}

bool EsisteCartella(const std::string& percorso) {
    if (percorso.empty()) return false;
    try {
        const DWORD attributi = ::GetFileAttributesW(PercorsoDaTesto(percorso).c_str());
        return attributi != INVALID_FILE_ATTRIBUTES && (attributi & kAttributoCartella) != 0;
    } catch (...) {
        return false;
    }
}

}  // namespace elencario
