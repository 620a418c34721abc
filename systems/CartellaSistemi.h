#pragma once

// Where the window finds its systems.

#include <string>

namespace elencario {

// The systems folder beside the program: `cartellaEseguibile` + "/Shared/Sistemi/".
[[nodiscard]] std::string PercorsoSistemiDa(const std::string& cartellaEseguibile);

// The systems folder the window starts on: the one beside the program (the portable layout) when
// it exists, else the installed PREFIX/share/stampa-elencario/Sistemi/ next to the program's
// PREFIX/bin, else the one beside the program again, which the start-up refusal then names.
[[nodiscard]] std::string CercaPercorsoSistemi(const std::string& cartellaEseguibile);

}  // namespace elencario
