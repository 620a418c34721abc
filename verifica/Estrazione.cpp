#include "verifica/Estrazione.h"

#include <algorithm>

#include "verifica/TestiVerifica.h"

namespace elencario {

namespace {

bool Spazio(char c) {
    return c == ' ' || c == '\t';
}

// The number that `pezzo` writes, digits only, or 0 when it writes none of 1..90.
int Numero(std::string_view pezzo) {
    if (pezzo.empty() || !std::ranges::all_of(pezzo, [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    const std::size_t cifre = pezzo.find_first_not_of('0');
    if (cifre == std::string_view::npos || pezzo.size() - cifre > 2) return 0;
    const int n = std::stoi(std::string(pezzo.substr(cifre)));
    return n <= kNumeroMassimo ? n : 0;
}

}  // namespace

std::optional<InsiemeNumeri> LeggiEstrazione(std::string_view testo, std::string& errore) {
    InsiemeNumeri estrazione;
    bool numeroDallaVirgola = true;  // no comma yet, or a number since the last one
    std::size_t i = 0;
    while (i < testo.size()) {
        if (Spazio(testo[i])) {
            ++i;
            continue;
        }
        if (testo[i] == ',') {
            if (!numeroDallaVirgola || estrazione.Quanti() == 0) {
                errore = testi::EstrazioneNonValida(testi::kMancaPrimaDellaVirgola);
                return std::nullopt;
            }
            numeroDallaVirgola = false;
            ++i;
            continue;
        }
        std::size_t fine = i;
        while (fine < testo.size() && !Spazio(testo[fine]) && testo[fine] != ',') ++fine;
        const std::string_view pezzo = testo.substr(i, fine - i);
        const int n = Numero(pezzo);
        if (n == 0) {
            errore = testi::EstrazioneNonValida(testi::NonUnNumero(pezzo));
            return std::nullopt;
        }
        if (estrazione.Contiene(n)) {
            errore = testi::EstrazioneNonValida(testi::NumeroRipetuto(pezzo));
            return std::nullopt;
        }
        estrazione.Aggiungi(n);
        numeroDallaVirgola = true;
        i = fine;
    }
    if (estrazione.Quanti() == 0) {
        errore = testi::kEstrazioneVuota;
        return std::nullopt;
    }
    if (!numeroDallaVirgola) {
        errore = testi::EstrazioneNonValida(testi::kMancaDopoLaVirgola);
        return std::nullopt;
    }
    return estrazione;
}

}  // namespace elencario
