#pragma once

#include <filesystem>

class QString;

namespace elencario {

// `percorso` as text to show; bytes that are no character show as a replacement mark.
[[nodiscard]] QString TestoMostrato(const std::filesystem::path& percorso);
// The name shown for the last component of `percorso` (the root shows as itself).
[[nodiscard]] QString NomeMostrato(const std::filesystem::path& percorso);

}  // namespace elencario
