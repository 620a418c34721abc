#pragma once

// The four print options: the choices each one offers and the one it starts on. The window's
// drop-downs, the printout's defaults and the command's usage text all read them from here.

#include <cstddef>
#include <span>
#include <string_view>

namespace elencario {

struct ScelteOpzione {
    std::span<const std::string_view> voci;
    std::size_t iniziale;

    [[nodiscard]] constexpr std::string_view Iniziale() const { return voci[iniziale]; }
};

inline constexpr std::string_view kVociCarattere[] = {"Segoe UI", "Courier New", "Verdana",
                                                      "Trebuchet"};
inline constexpr std::string_view kVociGrandezza[] = {"8", "9", "10", "11", "12"};
inline constexpr std::string_view kVociColonneRiga[] = {"2", "3", "4", "5", "6", "7", "8"};
inline constexpr std::string_view kVociMargine[] = {"4",  "6",  "8",  "10", "12",
                                                    "14", "16", "18", "20"};

inline constexpr ScelteOpzione kSceltaCarattere{kVociCarattere, 0};
inline constexpr ScelteOpzione kSceltaGrandezza{kVociGrandezza, 1};
inline constexpr ScelteOpzione kSceltaColonneRiga{kVociColonneRiga, 2};
inline constexpr ScelteOpzione kSceltaMargine{kVociMargine, 4};

}  // namespace elencario
