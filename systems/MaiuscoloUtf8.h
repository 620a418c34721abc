#pragma once

#include <string>
#include <string_view>

namespace elencario {

// Upper-cases ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters of UTF-8 text;
// everything else, invalid bytes included, is kept as it is.
[[nodiscard]] std::string MaiuscoloUtf8(std::string_view testo);

}  // namespace elencario
