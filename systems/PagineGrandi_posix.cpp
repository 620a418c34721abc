#include <sys/mman.h>

#include <cstdint>

#include "systems/PagineGrandi.h"

namespace elencario {

void ConsigliaPagineGrandi(char* inizio, std::size_t byte) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kPagina = std::uintptr_t{2} << 20;
    const auto primo = (reinterpret_cast<std::uintptr_t>(inizio) + kPagina - 1) & ~(kPagina - 1);
    const auto fine = (reinterpret_cast<std::uintptr_t>(inizio) + byte) & ~(kPagina - 1);
    if (fine > primo) ::madvise(reinterpret_cast<void*>(primo), fine - primo, MADV_HUGEPAGE);
#else
    (void)inizio;
    (void)byte;
#endif
}

}  // namespace elencario
