#pragma once

#include <QPixmap>

namespace elencario {

// The program's own pictures, drawn in code so that no image file has to travel with it.

// The window icon: a printer, 48 x 48.
[[nodiscard]] QPixmap IconaStampante();
// The decorative strip of the options panel, 120 x 31: a row of lottery balls.
[[nodiscard]] QPixmap ImmagineLink();

}  // namespace elencario
