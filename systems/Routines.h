#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace elencario {

// Between the folders of a path.
#ifdef _WIN32
inline constexpr char kSeparatoreCartelle = '\\';
#else
inline constexpr char kSeparatoreCartelle = '/';
#endif

// The system's display name: the last component of `percorso` (split at the platform's
// separator only), upper-cased. "…/città.txt" gives "CITTÀ.TXT".
[[nodiscard]] std::string NomeSistema(const std::string& percorso);

// True when `percorso` names an existing folder (a trailing separator is fine); false for
// anything else and on any failure.
[[nodiscard]] bool EsisteCartella(const std::string& percorso);

// The systems folder beside the program: `cartellaEseguibile` + "/Shared/Sistemi/".
[[nodiscard]] std::string PercorsoSistemiDa(const std::string& cartellaEseguibile);

// The systems folder the window starts on: the one beside the program (the portable layout) when
// it exists, else the installed PREFIX/share/stampa-elencario/Sistemi/ next to the program's
// PREFIX/bin, else the one beside the program again, which the start-up refusal then names.
[[nodiscard]] std::string CercaPercorsoSistemi(const std::string& cartellaEseguibile);

// Upper-cases ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters of UTF-8 text;
// everything else, invalid bytes included, is kept as it is.
[[nodiscard]] std::string MaiuscoloUtf8(std::string_view testo);

// Conversions between the core's path texts and the platform's paths, exact both ways: on POSIX
// the text is the name's own bytes (UTF-8 or not), on Windows the UTF-8 of its wide name.
[[nodiscard]] std::filesystem::path PercorsoDaTesto(const std::string& utf8);
[[nodiscard]] std::string TestoDaPercorso(const std::filesystem::path& percorso);

}  // namespace elencario
