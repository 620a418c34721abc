#include "fuzz/ModelloRiferimento.h"

namespace elencario {

namespace {

std::vector<std::string> Campi(std::string_view t) {
    std::vector<std::string> campi;
    std::size_t i = 0;
    const auto fine = [&] { return i >= t.size(); };
    const auto consumaFine = [&] {
        if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
        ++i;
    };
    while (!fine()) {
        while (!fine() && (t[i] == ' ' || t[i] == '\t')) ++i;
        if (fine()) {
            campi.emplace_back();
            break;
        }
        if (t[i] == '"') {
            const std::size_t chiusa = t.find('"', i + 1);
            if (chiusa == std::string_view::npos) {
                campi.emplace_back(t.substr(i + 1));
                break;
            }
            campi.emplace_back(t.substr(i + 1, chiusa - i - 1));
            i = t.find_first_of(",\r\n", chiusa + 1);
            if (i == std::string_view::npos) break;
            consumaFine();
        } else {
            const std::size_t dopo = t.find_first_of(",\r\n", i);
            campi.emplace_back(t.substr(i, dopo - i));
            if (dopo == std::string_view::npos) break;
            i = dopo;
            consumaFine();
        }
    }
    return campi;
}

std::string Rifila(const std::string& s) {
    const std::size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::string Sostituisci(const std::string& s, const std::string& da, const std::string& a) {
    std::string r;
    std::size_t i = 0;
    for (std::size_t j; (j = s.find(da, i)) != std::string::npos; i = j + da.size()) {
        r += s.substr(i, j - i) + a;
    }
    return r + s.substr(i);
}

// 0 and the value, or the error of a piece that is not a 16-bit number.
int Intero(const std::string& p, long& valore) {
    std::size_t i = (!p.empty() && (p[0] == '+' || p[0] == '-')) ? 1 : 0;
    if (i == p.size()) return 13;
    long v = 0;
    for (std::size_t k = i; k < p.size(); ++k) {
        if (p[k] < '0' || p[k] > '9') return 13;
    }
    for (std::size_t k = i; k < p.size(); ++k) {
        v = v * 10 + (p[k] - '0');
        if (v > 40000) return 6;
    }
    if (p[0] == '-') v = -v;
    if (v < -32768 || v > 32767) return 6;
    valore = v;
    return 0;
}

}  // namespace

EsitoRiferimento CaricaRiferimento(std::string_view testo) {
    EsitoRiferimento esito;
    for (const std::string& campo : Campi(testo)) {
        if (campo.empty()) continue;
        std::string riga = Sostituisci(Rifila(campo), "\t", " ");
        riga = Sostituisci(Rifila(riga), ",", " ");
        riga = Sostituisci(Rifila(riga), "  ", " ");
        esito.righe.push_back(riga);
        if (riga.empty()) continue;
        std::vector<std::string> pezzi;
        std::size_t i = 0;
        for (std::size_t j; (j = riga.find(' ', i)) != std::string::npos; i = j + 1) {
            pezzi.push_back(riga.substr(i, j - i));
        }
        pezzi.push_back(riga.substr(i));
        // The piece index is a 16-bit counter: it cannot even start on more than 32768 pieces,
        // and steps past its range after the last of exactly 32768.
        if (pezzi.size() > 32768) esito.errore = 6;
        for (std::size_t k = 0; k < pezzi.size() && esito.errore == 0; ++k) {
            long n = 0;
            esito.errore = Intero(pezzi[k], n);
            if (esito.errore == 0 && (n < 1 || n > 90)) esito.errore = 9;
            if (esito.errore == 0) esito.numeri[static_cast<std::size_t>(n)] = 1;
        }
        if (esito.errore == 0 && pezzi.size() == 32768) esito.errore = 6;
        if (esito.errore != 0) return esito;
    }
    return esito;
}

}  // namespace elencario
