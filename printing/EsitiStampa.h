#pragma once

// How a print went: the print button's outcome and the composer's.

#include <string>
#include <string_view>

#include "printing/StampanteTesto.h"

namespace elencario {

enum class EsitoStampa {
    Stampato,
    NessunSistema,
    Annullato,
    OpzioneNonValida,
    NessunaStampante,
    ErroreStampa,
    Interrotto  // stopped by the user while printing
};

// How composing went: `spazio` not Ok means the listing did not fit and nothing was printed.
struct EsitoComposizione {
    StatoStampa stato = StatoStampa::Ok;
    Spazio spazio = Spazio::Ok;

    bool operator==(const EsitoComposizione&) const = default;
    // Printed through with this status.
    bool operator==(StatoStampa s) const { return spazio == Spazio::Ok && stato == s; }
};

// The message that reports `esito` to the user, empty when there is none to give (printed
// through, or stopped by the user): the refusal of a listing that did not fit, else the failure
// of the printer. `spiegazione` is the printer's own account of its failure (its Errore()); when
// given, it is the message of a failed job instead of the program's general text. The command
// passes it, so that its standard error says what went wrong; the window does not, and its box
// shows the program's text alone.
[[nodiscard]] std::string MessaggioEsito(const EsitoComposizione& esito,
                                         std::string_view spiegazione = {});

}  // namespace elencario
