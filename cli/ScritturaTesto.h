#pragma once

#include <cstdio>
#include <string_view>

namespace elencario {

// Writes the UTF-8 text `testo` to `f`: on a Windows console as UTF-16, which the console shows
// whatever its code page, elsewhere (files, pipes, any terminal off Windows) as its own bytes.
// False when it could not be written whole.
bool ScriviTesto(std::FILE* f, std::string_view testo);

}  // namespace elencario
