#pragma once

class QCoreApplication;

namespace elencario {

// Keeps Qt's own diagnostics (a missing XDG_RUNTIME_DIR, a font it cannot find) off the user's
// terminal: called before the application object, whose start-up may warn.
void ZittisciAvvisiQt();

// What both programs need once Qt has started: Qt's own texts in Italian (standard buttons read
// "Sì", "No", "Annulla") and the table of fonts that stand in for missing ones. False when the
// Italian translation could not be loaded (the program still works, in English).
bool PreparaQt(QCoreApplication& applicazione);

}  // namespace elencario
