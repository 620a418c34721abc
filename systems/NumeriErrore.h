#pragma once

// The error numbers a failed load reports, in the numbering the messages show to the user.

namespace elencario {

inline constexpr int kErroreOverflow = 6;       // past the range of a counter or an integer
inline constexpr int kErroreMemoria = 7;        // out of memory
inline constexpr int kErroreIndice = 9;         // a number outside 1 to 90
inline constexpr int kErroreTipo = 13;          // text that is not a number
inline constexpr int kErroreNomeFile = 52;      // a name the file system cannot take
inline constexpr int kErroreFileMancante = 53;  // no such file
inline constexpr int kErroreDispositivo = 57;   // a read that failed, or a file changed meanwhile
inline constexpr int kErroreTroppiFile = 67;    // no file handle left
inline constexpr int kErrorePermesso = 70;      // permission denied
inline constexpr int kErroreDiscoNonPronto = 71;
inline constexpr int kErroreAccesso = 75;   // not a readable regular file
inline constexpr int kErroreCartella = 76;  // no such folder

}  // namespace elencario
