#pragma once

// An archive of Lotto draws, one a line in the usual tab-separated form: the date AAAA/MM/GG,
// the wheel's code (BA CA FI GE MI NA PA RM TO VE RN), then its five numbers. Lines end with
// LF or CR LF; the last one may have no end.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "verifica/InsiemeNumeri.h"

namespace elencario {

struct EstrazioneRuota {
    std::string data;
    std::string ruota;
    InsiemeNumeri numeri;

    bool operator==(const EstrazioneRuota&) const = default;
};

// Whether `data` is a date of the calendar written AAAA/MM/GG.
[[nodiscard]] bool DataValida(std::string_view data);
// Whether `ruota` is the code of a wheel.
[[nodiscard]] bool RuotaValida(std::string_view ruota);
// The codes of the wheels, one blank between.
[[nodiscard]] std::string_view CodiciRuote();

// The draws of `archivio` made on `data`, in file order, only those of `ruota` when it is not
// empty. Every line must have the archive's shape, else gives nothing and sets `errore` to a
// message naming the first line that does not; a date or a wheel with no draw is a message too.
[[nodiscard]] std::optional<std::vector<EstrazioneRuota>> CercaEstrazioni(std::string_view archivio,
                                                                          std::string_view data,
                                                                          std::string_view ruota,
                                                                          std::string& errore);

}  // namespace elencario
