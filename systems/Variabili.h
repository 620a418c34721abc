#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "systems/ArchivioRighe.h"

namespace elencario {

inline constexpr int kNumeroMassimo = 90;

// The state the window's handlers share: the systems folder and the loaded system. The window
// owns the one instance; the reader replaces the system, the printout only reads it.
struct VARIABILI {
    std::string PercorsoSistemi;  // UTF-8, ends with the path separator
    std::string FileSistema;      // UTF-8 full path of the last system loaded
    ArchivioRighe
        Combinazioni;  // the rows of the loaded system in file order, no blanks at their ends
    std::int32_t TotCombinazioni = 0;
    std::array<std::int16_t, kNumeroMassimo + 1> NumeriGioco{};  // 1..90; entry 0 unused
    std::int16_t TotNumeri = 0;

    bool operator==(const VARIABILI&) const = default;
};

}  // namespace elencario
