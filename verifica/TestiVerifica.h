#pragma once

// The check's texts, exactly as the user reads them: what it says of a draw or an archive it
// refuses, and the headings and labels of its report.

#include <cstddef>
#include <string>
#include <string_view>

namespace elencario::testi {

// A draw refused, with the reason.
[[nodiscard]] std::string EstrazioneNonValida(std::string_view motivo);
[[nodiscard]] std::string NonUnNumero(std::string_view pezzo);
[[nodiscard]] std::string NumeroRipetuto(std::string_view pezzo);
inline constexpr const char* kMancaPrimaDellaVirgola = "manca un numero prima della virgola";
inline constexpr const char* kMancaDopoLaVirgola = "manca un numero dopo l'ultima virgola";
inline constexpr const char* kEstrazioneVuota = "Estrazione vuota: indicare da 1 a 90 numeri";

// An archive of draws that does not give the draws asked for.
[[nodiscard]] std::string RigaArchivioNonValida(std::size_t riga);
[[nodiscard]] std::string NessunaEstrazione(std::string_view data);
[[nodiscard]] std::string RuotaSenzaEstrazione(std::string_view ruota, std::string_view data);

// The report: the heading of a wheel's part, then its lines' labels.
[[nodiscard]] std::string IntestazioneRuota(std::string_view ruota, std::string_view data);
inline constexpr const char* kResocontoCombinazioni = "Combinazioni: ";
inline constexpr const char* kVincenti = " - Vincenti: ";
inline constexpr const char* kEstrazione = "Estrazione: ";
inline constexpr const char* kPunti = "Punti:";
inline constexpr const char* kAmbi = "Ambi: ";
inline constexpr const char* kTerni = " - Terni: ";
inline constexpr const char* kQuaterne = " - Quaterne: ";
inline constexpr const char* kCinquine = " - Cinquine: ";

}  // namespace elencario::testi
