#pragma once

#include <QString>

namespace elencario {

// The font names the program offers that a machine may not have, and what stands in for each
// one that is missing: the window's captions, the printer and the PDF all draw through this one
// table, so that they agree. Applied once, after Qt has started.
void SostituisciCaratteriMancanti();

}  // namespace elencario
