#pragma once

// The check of a loaded system against a draw. For every row, its hits are the numbers of the row
// that were drawn (a number repeated in a row counts once); a row with 2 hits or more wins. The
// report gives the draw, the rows and the winning ones, each winning row with its hits, the
// prizes of all rows (the combinations of each row's hits taken 2, 3, 4 and 5 at a time) and how
// many rows made each number of hits.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "printing/ComposizioneElencario.h"
#include "printing/StampanteTesto.h"
#include "systems/Variabili.h"
#include "verifica/InsiemeNumeri.h"

namespace elencario {

struct Resoconto {
    InsiemeNumeri estrazione;
    std::int64_t combinazioni = 0;
    std::vector<std::uint32_t> vincenti;  // the winning rows, counted from 0, in file order
    // Ambi, terni, quaterne and cinquine of all rows.
    std::array<std::uint64_t, 4> premi{};
    // Rows with exactly so many hits.
    std::array<std::int64_t, kNumeroMassimo + 1> perPunti{};

    bool operator==(const Resoconto&) const = default;
};

// Checks the first TotCombinazioni rows of `v` against `estrazione`.
[[nodiscard]] Resoconto Verifica(const VARIABILI& v, const InsiemeNumeri& estrazione);

// One draw to report: `titolo`, when not empty, is the line above its report.
struct VerificaRichiesta {
    std::string titolo;
    InsiemeNumeri estrazione;
};

// Sends the reports of `richieste`, one after the other with an empty line between, as one
// document: sets the font, checks that the margin and the report's lines of totals fit, then
// prints every line after the margin. Running out of memory is a print error.
[[nodiscard]] EsitoComposizione ComponiVerifiche(const VARIABILI& v,
                                                 std::span<const VerificaRichiesta> richieste,
                                                 const OpzioniConvertite& opzioni,
                                                 StampanteTesto& stampante);

}  // namespace elencario
