#pragma once

#include <string>

#include "app/qt/FrmAmain.h"

class QApplication;

namespace elencario {

// The whole run of the program from the folder of its executable (path text): Qt's texts in
// Italian and the font table, the window started, centred and shown, then the event loop. Returns
// the exit status; not zero, without any window shown, when the systems folder is missing.
[[nodiscard]] int EseguiStampaElencario(QApplication& applicazione,
                                        const std::string& cartellaEseguibile,
                                        ServizioMessaggi& messaggi,
                                        FabbricaStampante fabbricaStampante);

}  // namespace elencario
