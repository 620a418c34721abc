#pragma once

// The four print options: the choices each one offers and the one it starts on, and the font
// names. The window's drop-downs and captions, the printout's defaults, the fonts stood in for
// and the command's usage text all read them from here.

#include <cstddef>
#include <span>
#include <string_view>

namespace elencario {

struct ScelteOpzione {
    std::span<const std::string_view> voci;
    std::size_t iniziale;

    [[nodiscard]] constexpr std::string_view Iniziale() const { return voci[iniziale]; }
};

// The fonts a listing may be printed in; the window's own captions are drawn in the first.
inline constexpr std::string_view kSegoeUi = "Segoe UI";
inline constexpr std::string_view kCourierNew = "Courier New";
inline constexpr std::string_view kVerdana = "Verdana";
inline constexpr std::string_view kTrebuchet = "Trebuchet";
inline constexpr std::string_view kCarattereFinestra = kSegoeUi;

inline constexpr std::string_view kVociCarattere[] = {kSegoeUi, kCourierNew, kVerdana, kTrebuchet};
inline constexpr std::string_view kVociGrandezza[] = {"8", "9", "10", "11", "12"};
inline constexpr std::string_view kVociColonneRiga[] = {"2", "3", "4", "5", "6", "7", "8"};
inline constexpr std::string_view kVociMargine[] = {"4",  "6",  "8",  "10", "12",
                                                    "14", "16", "18", "20"};

inline constexpr ScelteOpzione kSceltaCarattere{kVociCarattere, 0};
inline constexpr ScelteOpzione kSceltaGrandezza{kVociGrandezza, 1};
inline constexpr ScelteOpzione kSceltaColonneRiga{kVociColonneRiga, 2};
inline constexpr ScelteOpzione kSceltaMargine{kVociMargine, 4};

}  // namespace elencario
