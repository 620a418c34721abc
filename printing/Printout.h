#pragma once

// The printed listing of the loaded system: two empty lines, the header with the counts
// (optionally after the system's name), two empty lines, optionally the numbers in play thirty
// to a line, then the rows several to a printed line joined by "   -   ", every text line opened
// by the margin's spaces.

#include <cstdint>
#include <optional>
#include <string>

#include "printing/MessageService.h"
#include "printing/TextPrinter.h"
#include "systems/Variabili.h"

namespace elencario {

// The print options as the window holds them: the texts of the four drop-downs and the two
// check boxes.
struct OpzioniStampa {
    std::string carattere = "Segoe UI";
    std::string grandezza = "9";
    std::string colonneRiga = "4";
    std::string margine = "12";
    bool nomeSistema = false;
    bool numeriInGioco = false;

    bool operator==(const OpzioniStampa&) const = default;
};

// The same options converted and checked.
struct OpzioniConvertite {
    std::string carattere;
    std::int16_t grandezza = 9;
    std::int16_t colonneRiga = 4;
    std::int16_t margine = 12;
    bool nomeSistema = false;
    bool numeriInGioco = false;

    bool operator==(const OpzioniConvertite&) const = default;
};

// Converts the options in the order the printout reads them (per-line count, font name, font
// size, margin). On the first one that does not convert or is out of range, gives nothing and
// sets `messaggio` to its refusal text.
[[nodiscard]] std::optional<OpzioniConvertite> ConvertiOpzioni(const OpzioniStampa& opzioni,
                                                               std::string& messaggio);

enum class EsitoStampa {
    Stampato,
    NessunSistema,
    Annullato,
    OpzioneNonValida,
    NessunaStampante,
    ErroreStampa
};

// The print button: refuses when nothing is loaded, asks for confirmation, checks the options
// and the printer, then sends the whole listing. Every refusal or failure is shown through
// `messaggi`; the state is only read.
EsitoStampa StampaElencario(const VARIABILI& v, const OpzioniStampa& opzioni,
                            MessageService& messaggi, TextPrinter& stampante);

// Sends the listing alone, with no question asked; stops at the first printer failure.
[[nodiscard]] PrinterStatus ComponiElencario(const VARIABILI& v, const OpzioniConvertite& opzioni,
                                             TextPrinter& stampante);

}  // namespace elencario
