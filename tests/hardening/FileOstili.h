#pragma once

// Hostile entries for the systems folder, made at test time in a folder of their own.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/TempFolder.h"

namespace elencario::test {

// A row of `pezzi` numbers, "1 2 … 90 1 2 …", ended by CR LF.
[[nodiscard]] std::string RigaDiPezzi(std::size_t pezzi);

// Every hostile entry this platform can make, by name: the names end in ".TXT" like the files
// the window lists. Size of the large one: `byteGrande`.
std::vector<std::string> CreaTuttiGliOstili(const TempFolder& cartella, std::size_t byteGrande);

}  // namespace elencario::test
