#include "app/Disposizione.h"

namespace elencario {

namespace {

using enum Tipo;
constexpr Allineamento kCentro = Allineamento::Centro;
constexpr Allineamento kDestra = Allineamento::Destra;

// clang-format off
constexpr SchedaControllo kControlli[] = {
    {"File1", File, "Frame3", nullptr, 150, 3960, 4725, 3405, 9.75},
    {"Dir1", Cartelle, "Frame3", nullptr, 150, 210, 4725, 3660, 9},
    {"cmbMargine", Opzione, "Frame7#3", "", 1560, 300, 945, 375, 9.75},
    {"cmbColonneRiga", Opzione, "Frame7#2", "", 180, 300, 945, 375, 9.75},
    {"cmbGrandezza", Opzione, "Frame7#1", "", 180, 300, 945, 375, 9.75},
    {"cmbCarattere", Opzione, "Frame7#0", "", 180, 300, 2235, 375, 9.75},
    {"chkNumeriInGioco", Casella, "Frame7#4", "  Stampa Numeri in gioco", 180, 630, 2385, 315},
    {"chkNomeSistema", Casella, "Frame7#4", "  Stampa Nome Sistema", 180, 240, 2385, 315},
    {"cmdElencario", Pulsante, "Frame1", "STAMPA ELENCARIO", 360, 6180, 2475, 1065, 9},
    {"lblCatturate", Contatore, "Frame1", "0", 2010, 5460, 675, 315, 9.75, kCentro},
    {"Label1#4", Etichetta, "Frame1", "COMBINAZIONI", 480, 5550, 1245, 255, 8.25, kDestra},
    {"Label1#3", Etichetta, "Frame7#3", "Margine Sx", 150, 420, 1155, 255, 8.25, kDestra},
    {"Label1#1", Etichetta, "Frame1", "Colonne Riga", 1620, 1590, 1305, 255, 8.25, kCentro},
    {"Label1#0", Etichetta, "Frame1", "Grandezza", 270, 1590, 1245, 255, 8.25, kCentro},
    {"Label1#2", Etichetta, "Frame1", "SELEZIONE FONT CARATTERE", 210, 360, 2745, 255, 8.25, kCentro},
    {"imgLink", Immagine, "Frame1", nullptr, 690, 3690, 1800, 465},
    {"Frame7#4", Riquadro, "Frame1", "", 240, 4170, 2685, 1065},
    {"Frame7#3", Riquadro, "Frame1", "", 240, 2730, 2685, 795},
    {"Frame7#2", Riquadro, "Frame1", "", 1620, 1830, 1305, 795},
    {"Frame7#1", Riquadro, "Frame1", "", 240, 1830, 1305, 795},
    {"Frame7#0", Riquadro, "Frame1", "", 240, 600, 2685, 795},
    {"Frame1", Riquadro, nullptr, "", 5430, 120, 3195, 7515},
    {"Frame3", Riquadro, nullptr, "", 180, 120, 5055, 7515},
};
// clang-format on

}  // namespace

std::span<const SchedaControllo> Controlli() {
    return kControlli;
}

const SchedaControllo* Scheda(std::string_view nome) {
    for (const SchedaControllo& k : kControlli)
        if (nome == k.nome) return &k;
    return nullptr;
}

Posto PostoNellaFinestra(const SchedaControllo& controllo) {
    Posto posto{controllo.left, controllo.top};
    for (const SchedaControllo* c = Scheda(controllo.contenitore ? controllo.contenitore : "");
         c != nullptr; c = c->contenitore ? Scheda(c->contenitore) : nullptr) {
        posto.left += c->left;
        posto.top += c->top;
    }
    return posto;
}

int Pixel(int twips, int dpi) {
    const long long scalato = static_cast<long long>(twips) * dpi;
    const long long meta = scalato < 0 ? -720 : 720;
    return static_cast<int>((scalato + meta) / 1440);
}

}  // namespace elencario
