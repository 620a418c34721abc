#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace elencario {

// What loading a system file gives, worked out the plainest way: the whole text in memory,
// one rule at a time, no speed tricks. The fuzz target holds the real reader to it.
struct EsitoRiferimento {
    int errore = 0;
    std::vector<std::string> righe;         // when errore is 0
    std::array<std::int16_t, 91> numeri{};  // when errore is 0
};

[[nodiscard]] EsitoRiferimento CaricaRiferimento(std::string_view testo);

}  // namespace elencario
