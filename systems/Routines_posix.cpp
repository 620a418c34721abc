#include <sys/stat.h>

#include "systems/Percorsi.h"
#include "systems/Routines.h"

namespace elencario {

bool EsisteCartella(const std::string& percorso) {
    struct stat st {};
    return !percorso.empty() && ::stat(PercorsoDaTesto(percorso).c_str(), &st) == 0 &&
           S_ISDIR(st.st_mode);
}

}  // namespace elencario
