#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "verifica/InsiemeNumeri.h"

namespace elencario {

// Reads a draw as the user writes it: from 1 to 90 distinct numbers from 1 to 90 (leading zeros
// allowed) separated by blanks or commas, a comma between two numbers at most. On anything else
// gives nothing and sets `errore` to a message that names the wrong piece.
[[nodiscard]] std::optional<InsiemeNumeri> LeggiEstrazione(std::string_view testo,
                                                           std::string& errore);

}  // namespace elencario
