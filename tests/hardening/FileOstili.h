#pragma once

// Hostile entries for the systems folder, made at test time.

#include <cstddef>
#include <string>

#include "tests/support/TempFolder.h"

namespace elencario::test {

// A row of `pezzi` numbers, "1 2 … 90 1 2 …", ended by CR LF.
[[nodiscard]] std::string RigaDiPezzi(std::size_t pezzi);

}  // namespace elencario::test
