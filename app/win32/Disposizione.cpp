#include "app/win32/Disposizione.h"

#include <windows.h>

#include <string_view>

namespace elencario {

namespace {

using enum Tipo;
constexpr Allineamento kCentro = Allineamento::Centro;
constexpr Allineamento kDestra = Allineamento::Destra;

// clang-format off
constexpr SchedaControllo kControlli[] = {
    {"File1", File, "Frame3", nullptr, 150, 3960, 4725, 3405, 9.75},
    {"Dir1", Cartelle, "Frame3", nullptr, 150, 210, 4725, 3660, 9},
    {"cmbMargine", Opzione, "Frame7#3", L"", 1560, 300, 945, 375, 9.75},
    {"cmbColonneRiga", Opzione, "Frame7#2", L"", 180, 300, 945, 375, 9.75},
    {"cmbGrandezza", Opzione, "Frame7#1", L"", 180, 300, 945, 375, 9.75},
    {"cmbCarattere", Opzione, "Frame7#0", L"", 180, 300, 2235, 375, 9.75},
    {"chkNumeriInGioco", Casella, "Frame7#4", L"  Stampa Numeri in gioco", 180, 630, 2385, 315},
    {"chkNomeSistema", Casella, "Frame7#4", L"  Stampa Nome Sistema", 180, 240, 2385, 315},
    {"cmdElencario", Pulsante, "Frame1", L"STAMPA ELENCARIO", 360, 6180, 2475, 1065, 9},
    {"lblCatturate", Contatore, "Frame1", L"0", 2010, 5460, 675, 315, 9.75, kCentro},
    {"Label1#4", Etichetta, "Frame1", L"COMBINAZIONI", 480, 5550, 1245, 255, 8.25, kDestra},
    {"Label1#3", Etichetta, "Frame7#3", L"Margine Sx", 150, 420, 1155, 255, 8.25, kDestra},
    {"Label1#1", Etichetta, "Frame1", L"Colonne Riga", 1620, 1590, 1305, 255, 8.25, kCentro},
    {"Label1#0", Etichetta, "Frame1", L"Grandezza", 270, 1590, 1245, 255, 8.25, kCentro},
    {"Label1#2", Etichetta, "Frame1", L"SELEZIONE FONT CARATTERE", 210, 360, 2745, 255, 8.25, kCentro},
    {"imgLink", Immagine, "Frame1", nullptr, 690, 3690, 1800, 465},
    {"Frame7#4", Riquadro, "Frame1", L"", 240, 4170, 2685, 1065},
    {"Frame7#3", Riquadro, "Frame1", L"", 240, 2730, 2685, 795},
    {"Frame7#2", Riquadro, "Frame1", L"", 1620, 1830, 1305, 795},
    {"Frame7#1", Riquadro, "Frame1", L"", 240, 1830, 1305, 795},
    {"Frame7#0", Riquadro, "Frame1", L"", 240, 600, 2685, 795},
    {"Frame1", Riquadro, nullptr, L"", 5430, 120, 3195, 7515},
    {"Frame3", Riquadro, nullptr, L"", 180, 120, 5055, 7515},
};
// clang-format on

}  // namespace

std::span<const SchedaControllo> Controlli() {
    return kControlli;
}

Posto PostoNellaFinestra(const SchedaControllo& controllo) {
    Posto posto{controllo.left, controllo.top};
    for (const char* c = controllo.contenitore; c != nullptr;) {
        const char* prossimo = nullptr;
        for (const SchedaControllo& k : kControlli) {
            if (std::string_view(k.nome) == c) {
                posto.left += k.left;
                posto.top += k.top;
                prossimo = k.contenitore;
            }
        }
        c = prossimo;
    }
    return posto;
}

int Pixel(int twips, int dpi) {
    return ::MulDiv(twips, dpi, 1440);
}

}  // namespace elencario
