#pragma once

// The printed listing of the loaded system: two empty lines, the header with the counts
// (optionally after the system's name), two empty lines, optionally the numbers in play thirty
// to a line, then the rows several to a printed line joined by "   -   ", every text line opened
// by the margin's spaces.

#include <string>
#include <vector>

#include "printing/EsitiStampa.h"
#include "printing/OpzioniStampa.h"
#include "printing/StampanteTesto.h"
#include "systems/Variabili.h"

namespace elencario {

// Sends the listing alone, with no question asked: sets the font, checks that the margin and the
// widest number fit, then prints; stops at the first printer failure. Running out of memory is a
// print error.
[[nodiscard]] EsitoComposizione ComponiElencario(const VARIABILI& v,
                                                 const OpzioniConvertite& opzioni,
                                                 StampanteTesto& stampante);

// The numbers of the rows, each written form once, in the order they first come: what a row
// broken at its blanks must fit on a line.
[[nodiscard]] std::vector<std::string> NumeriPiuLarghi(const VARIABILI& v);

}  // namespace elencario
