#include "systems/Conversione.h"

namespace elencario {

int ConvertiIntero16(std::string_view testo, std::int16_t& valore) {
    bool negativo = false;
    if (!testo.empty() && (testo.front() == '+' || testo.front() == '-')) {
        negativo = testo.front() == '-';
        testo.remove_prefix(1);
    }
    if (testo.empty()) return kErroreTipo;
    std::int32_t assoluto = 0;
    bool troppoGrande = false;
    for (const char c : testo) {
        if (c < '0' || c > '9') return kErroreTipo;
        // Keep scanning past the range: a later non-digit still makes it a type mismatch.
        if (!troppoGrande) {
            assoluto = assoluto * 10 + (c - '0');
            troppoGrande = assoluto > 32768;
        }
    }
    const std::int32_t risultato = negativo ? -assoluto : assoluto;
    if (troppoGrande || risultato > 32767) return kErroreOverflow;
    valore = static_cast<std::int16_t>(risultato);
    return 0;
}

}  // namespace elencario
