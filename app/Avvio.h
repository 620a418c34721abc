#pragma once

#include <string>

#include "app/FrmAmain.h"

class QApplication;

namespace elencario {

// Fonts the machine lacks are drawn in the ones that stand in for them (the captions were sized
// for "Segoe UI", drawn in "Open Sans" where missing), as on paper.
void SostituisciCaratteri();

// The whole run of the program from the folder of its executable (path text): Qt's texts in
// Italian and the font table, the window started,
// centred and shown, then the event loop. Returns the exit status; not zero, without any window
// shown, when the systems folder is missing.
[[nodiscard]] int EseguiStampaElencario(QApplication& app, const std::string& cartellaEseguibile,
                                        MessageService& messaggi,
                                        FabbricaStampante fabbricaStampante);

}  // namespace elencario
