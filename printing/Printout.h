#pragma once

// The printed listing of the loaded system: two empty lines, the header with the counts
// (optionally after the system's name), two empty lines, optionally the numbers in play thirty
// to a line, then the rows several to a printed line joined by "   -   ", every text line opened
// by the margin's spaces.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "printing/MessageService.h"
#include "printing/ScelteOpzioni.h"
#include "printing/TextPrinter.h"
#include "systems/Variabili.h"

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

// The print button: refuses when nothing is loaded, asks for confirmation, checks the options
// and the printer, then sends the whole listing. Every refusal or failure is shown through
// `messaggi`; the state is only read.
EsitoStampa StampaElencario(const VARIABILI& v, const OpzioniStampa& opzioni,
                            MessageService& messaggi, TextPrinter& stampante);

// Sends the listing alone, with no question asked: sets the font, checks that the margin and the
// widest number fit, then prints; stops at the first printer failure. Running out of memory is a
// print error.
[[nodiscard]] EsitoComposizione ComponiElencario(const VARIABILI& v,
                                                 const OpzioniConvertite& opzioni,
                                                 TextPrinter& stampante);

// The numbers of the rows, each written form once, in the order they first come: what a row
// broken at its blanks must fit on a line.
[[nodiscard]] std::vector<std::string> NumeriPiuLarghi(const VARIABILI& v);

}  // namespace elencario
