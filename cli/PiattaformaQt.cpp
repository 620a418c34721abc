#include "cli/Piattaforma.h"
#include "cli/QtOutputs.h"

namespace elencario {

std::unique_ptr<FornitoreUscite> FornitorePiattaforma() {
    return std::make_unique<QtOutputs>();
}

}  // namespace elencario
