#pragma once

// The window's controls as they are drawn: kind, container, caption, place and size in twips
// (1/1440 inch, so 15 to a pixel at 96 DPI) from the top-left corner of the container's client
// area, and font size. Listed in the order they are created, which is the keyboard order: the
// controls that take the focus first, frames last so that they lie beneath what they hold.

#include <span>

namespace elencario {

enum class Tipo {
    Riquadro,
    Etichetta,
    Contatore,
    Opzione,
    Casella,
    Pulsante,
    Cartelle,
    File,
    Immagine
};
enum class Allineamento { Sinistra, Centro, Destra };

struct SchedaControllo {
    const char* nome;  // "Label1#2" is member 2 of the array Label1
    Tipo tipo;
    const char* contenitore;  // nullptr: the window
    const wchar_t* testo;
    int left, top, width, height;
    double punti = 8.25;
    Allineamento allineamento = Allineamento::Sinistra;
};

inline constexpr int kLarghezzaFinestra = 8865;  // client area, twips
inline constexpr int kAltezzaFinestra = 7905;

[[nodiscard]] std::span<const SchedaControllo> Controlli();

// Where `controllo` lies in the window's client area, in twips.
struct Posto {
    int left, top;
};
[[nodiscard]] Posto PostoNellaFinestra(const SchedaControllo& controllo);

// Twips to pixels at `dpi`, rounded to the nearest.
[[nodiscard]] int Pixel(int twips, int dpi);

}  // namespace elencario
