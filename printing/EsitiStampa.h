#pragma once

// How a print went: the print button's outcome and the composer's.

#include "printing/TextPrinter.h"

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

// The refusal text of a listing that does not fit; empty when it does.
[[nodiscard]] const char* RifiutoSpazio(Spazio spazio);

}  // namespace elencario
