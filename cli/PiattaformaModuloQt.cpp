#include "cli/ModuloQt.h"
#include "cli/Piattaforma.h"

namespace elencario {

std::unique_ptr<FornitoreUscite> FornitorePiattaforma() {
    return std::make_unique<ModuloQt>();
}

}  // namespace elencario
