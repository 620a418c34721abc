#pragma once

#include <cstddef>

namespace elencario {

// Asks the system to back a large buffer with large pages where it can: a system of millions of
// rows then costs a few page faults instead of thousands. Only a hint; it never fails.
void ConsigliaPagineGrandi(char* inizio, std::size_t byte);

}  // namespace elencario
