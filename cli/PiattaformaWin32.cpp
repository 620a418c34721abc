#include "cli/Piattaforma.h"
#include "cli/UsciteWin32.h"

namespace elencario {

std::unique_ptr<FornitoreUscite> FornitorePiattaforma() {
    return std::make_unique<UsciteWin32>();
}

}  // namespace elencario
