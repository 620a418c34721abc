#include "verifica/ArchivioEstrazioni.h"

#include <algorithm>
#include <array>

#include "verifica/TestiVerifica.h"

namespace elencario {

namespace {

constexpr std::string_view kRuote = "BA CA FI GE MI NA PA RM TO VE RN";
constexpr std::size_t kCampi = 7;  // date, wheel, five numbers

bool Cifre(std::string_view testo) {
    return !testo.empty() &&
           std::ranges::all_of(testo, [](char c) { return c >= '0' && c <= '9'; });
}

int Valore(std::string_view cifre) {
    int n = 0;
    for (const char c : cifre) n = n * 10 + (c - '0');
    return n;
}

// The line's draw, or nothing when it does not have the archive's shape.
std::optional<EstrazioneRuota> LeggiRiga(std::string_view riga) {
    std::array<std::string_view, kCampi> campi;
    std::size_t n = 0;
    for (std::size_t inizio = 0;; ++n) {
        const std::size_t tab = riga.find('\t', inizio);
        if (n == kCampi) return std::nullopt;
        campi[n] = riga.substr(inizio, tab - inizio);
        if (tab == std::string_view::npos) break;
        inizio = tab + 1;
    }
    if (n + 1 != kCampi || !DataValida(campi[0]) || !RuotaValida(campi[1])) return std::nullopt;
    EstrazioneRuota estrazione{std::string(campi[0]), std::string(campi[1]), {}};
    for (std::size_t i = 2; i < kCampi; ++i) {
        if (!Cifre(campi[i]) || campi[i].size() > 2) return std::nullopt;
        const int numero = Valore(campi[i]);
        if (numero < 1 || numero > kNumeroMassimo || estrazione.numeri.Contiene(numero)) {
            return std::nullopt;
        }
        estrazione.numeri.Aggiungi(numero);
    }
    return estrazione;
}

}  // namespace

bool DataValida(std::string_view data) {
    if (data.size() != 10 || data[4] != '/' || data[7] != '/' || !Cifre(data.substr(0, 4)) ||
        !Cifre(data.substr(5, 2)) || !Cifre(data.substr(8, 2))) {
        return false;
    }
    const int anno = Valore(data.substr(0, 4));
    const int mese = Valore(data.substr(5, 2));
    const int giorno = Valore(data.substr(8, 2));
    if (mese < 1 || mese > 12 || giorno < 1) return false;
    const bool bisestile = (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0;
    constexpr int kGiorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return giorno <= kGiorni[mese - 1] + (mese == 2 && bisestile ? 1 : 0);
}

bool RuotaValida(std::string_view ruota) {
    if (ruota.size() != 2) return false;
    for (std::size_t i = 0; i < kRuote.size(); i += 3) {
        if (kRuote.substr(i, 2) == ruota) return true;
    }
    return false;
}

std::string_view CodiciRuote() {
    return kRuote;
}

std::optional<std::vector<EstrazioneRuota>> CercaEstrazioni(std::string_view archivio,
                                                            std::string_view data,
                                                            std::string_view ruota,
                                                            std::string& errore) {
    // A first line may open with the mark of UTF-8.
    if (archivio.starts_with("\xEF\xBB\xBF")) archivio.remove_prefix(3);
    std::vector<EstrazioneRuota> trovate;
    bool dataTrovata = false;
    std::size_t numeroRiga = 0;
    for (std::size_t inizio = 0; inizio < archivio.size();) {
        ++numeroRiga;
        const std::size_t fine = std::min(archivio.find('\n', inizio), archivio.size());
        std::string_view riga = archivio.substr(inizio, fine - inizio);
        if (riga.ends_with('\r')) riga.remove_suffix(1);
        inizio = fine + 1;
        auto estrazione = LeggiRiga(riga);
        if (!estrazione) {
            errore = testi::RigaArchivioNonValida(numeroRiga);
            return std::nullopt;
        }
        if (estrazione->data != data) continue;
        dataTrovata = true;
        if (ruota.empty() || estrazione->ruota == ruota) trovate.push_back(std::move(*estrazione));
    }
    if (!dataTrovata) {
        errore = testi::NessunaEstrazione(data);
    } else if (trovate.empty()) {
        errore = testi::RuotaSenzaEstrazione(ruota, data);
    } else {
        return trovate;
    }
    return std::nullopt;
}

}  // namespace elencario
