#pragma once

#include <cstdint>
#include <string_view>

namespace elencario {

inline constexpr int kErroreTipo = 13;     // text that is not a number
inline constexpr int kErroreOverflow = 6;  // past the range of a counter or an integer
inline constexpr int kErroreIndice = 9;    // index outside a table
inline constexpr int kErroreMemoria = 7;   // out of memory
inline constexpr int kErroreFileMancante = 53;

// Converts an optional sign followed by decimal digits (leading zeros allowed) to a 16-bit
// signed integer. Returns 0 and sets `valore`, kErroreTipo for any other form (empty text,
// blanks, fractions, exponents…), or kErroreOverflow when the value is out of range.
[[nodiscard]] int ConvertiIntero16(std::string_view testo, std::int16_t& valore);

}  // namespace elencario
