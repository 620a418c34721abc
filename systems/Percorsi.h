#pragma once

// Path texts: the core holds paths as text; these are its conversions to and from the platform's
// paths, and the separator between folders.

#include <filesystem>
#include <string>

namespace elencario {

// Between the folders of a path.
#ifdef _WIN32
inline constexpr char kSeparatoreCartelle = '\\';
#else
inline constexpr char kSeparatoreCartelle = '/';
#endif

// Exact both ways: on POSIX the text is the name's own bytes (UTF-8 or not), on Windows the
// UTF-8 of its wide name.
[[nodiscard]] std::filesystem::path PercorsoDaTesto(const std::string& utf8);
[[nodiscard]] std::string TestoDaPercorso(const std::filesystem::path& percorso);

// Where the links from `file` lead; `file` itself when it is no link. A loop of links ends after
// a bound: opening what it gives says so.
[[nodiscard]] std::filesystem::path SeguiCollegamenti(std::filesystem::path file);

}  // namespace elencario
