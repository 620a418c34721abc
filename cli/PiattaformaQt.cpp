#include "cli/Piattaforma.h"
#include "cli/UsciteQt.h"

namespace elencario {

std::unique_ptr<FornitoreUscite> FornitorePiattaforma() {
    return std::make_unique<UsciteQt>();
}

}  // namespace elencario
