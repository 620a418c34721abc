#include "cli/Piattaforma.h"

namespace elencario {

std::unique_ptr<FornitoreUscite> FornitorePiattaforma() {
    return nullptr;
}

}  // namespace elencario
