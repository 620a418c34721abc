#include "systems/PagineGrandi.h"

namespace elencario {

void ConsigliaPagineGrandi(char*, std::size_t) {
    // Large pages need a privilege that ordinary users lack.
}

}  // namespace elencario
