#pragma once

// The print options: as the window's controls hold them, and converted and checked.

#include <cstdint>
#include <optional>
#include <string>

#include "printing/ScelteOpzioni.h"

namespace elencario {

// The print options as the window holds them: the texts of the four drop-downs and the two
// check boxes.
struct OpzioniStampa {
    std::string carattere{kSceltaCarattere.Iniziale()};
    std::string grandezza{kSceltaGrandezza.Iniziale()};
    std::string colonneRiga{kSceltaColonneRiga.Iniziale()};
    std::string margine{kSceltaMargine.Iniziale()};
    bool nomeSistema = false;
    bool numeriInGioco = false;

    bool operator==(const OpzioniStampa&) const = default;
};

// The same options converted and checked.
struct OpzioniConvertite {
    std::string carattere;
    std::int16_t grandezza = 0;
    std::int16_t colonneRiga = 0;
    std::int16_t margine = 0;
    bool nomeSistema = false;
    bool numeriInGioco = false;

    bool operator==(const OpzioniConvertite&) const = default;
};

// Converts the options in the order the printout reads them (per-line count, font size,
// margin). On the first one that does not convert or is out of range, gives nothing and
// sets `messaggio` to its refusal text.
[[nodiscard]] std::optional<OpzioniConvertite> ConvertiOpzioni(const OpzioniStampa& opzioni,
                                                               std::string& messaggio);

}  // namespace elencario
