#pragma once

#include <string>

#include "app/FrmAmain.h"

class QApplication;

namespace elencario {

// Where "Segoe UI" is not installed, texts in it are drawn in "Open Sans", which has nearly
// the same widths: the captions were sized for it.
void SostituisciCaratteri();

// The whole run of the program from the folder of its executable (path text): the window started,
// centred and shown, then the event loop. Returns the exit status; not zero, without any window
// shown, when the systems folder is missing.
[[nodiscard]] int EseguiStampaElencario(QApplication& app, const std::string& cartellaEseguibile,
                                        MessageService& messaggi,
                                        FabbricaStampante fabbricaStampante);

}  // namespace elencario
