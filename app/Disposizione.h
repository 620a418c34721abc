#pragma once

// The window's controls as both windows draw them: kind, container, caption (UTF-8), place and
// size in twips (1/1440 inch, so 15 to a pixel at 96 DPI) from the top-left corner of the
// container's client area, and font size. Listed in the order they are created, which is the
// keyboard order: the controls that take the focus first, frames last so that they lie beneath what
// they hold.

#include <span>
#include <string_view>

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

// The controls of these kinds take the focus, in the table's order.
[[nodiscard]] constexpr bool PrendeFuoco(Tipo tipo) {
    return tipo == Tipo::Opzione || tipo == Tipo::Casella || tipo == Tipo::Pulsante ||
           tipo == Tipo::Cartelle || tipo == Tipo::File;
}

// The window's font size, for every control that names none of its own.
inline constexpr double kPuntiFinestra = 8.25;

struct SchedaControllo {
    const char* nome;  // "Label1#2" is member 2 of the array Label1
    Tipo tipo;
    const char* contenitore;  // nullptr: the window
    const char* testo;        // nullptr: the control has none
    int left, top, width, height;
    double punti = kPuntiFinestra;
    Allineamento allineamento = Allineamento::Sinistra;
};

inline constexpr int kLarghezzaFinestra = 8865;  // client area, twips
inline constexpr int kAltezzaFinestra = 7905;

[[nodiscard]] std::span<const SchedaControllo> Controlli();
// The control so named; nullptr when there is none.
[[nodiscard]] const SchedaControllo* Scheda(std::string_view nome);

// Where `controllo` lies in the window's client area, in twips.
struct Posto {
    int left, top;
};
[[nodiscard]] Posto PostoNellaFinestra(const SchedaControllo& controllo);

// Twips to pixels at `dpi`, rounded to the nearest (half away from zero).
[[nodiscard]] int Pixel(int twips, int dpi);

}  // namespace elencario
