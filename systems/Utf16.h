#pragma once

// The core's texts are UTF-8; Windows takes UTF-16. Both ways exact for valid text; invalid
// UTF-8 comes out with U+FFFD where it fails.

#ifdef _WIN32
#include <string>
#include <string_view>

namespace elencario {

[[nodiscard]] std::wstring Utf16(std::string_view utf8);
[[nodiscard]] std::string Utf8(std::wstring_view utf16);

}  // namespace elencario
#endif
