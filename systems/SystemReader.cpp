#include "systems/SystemReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "systems/Conversione.h"
#include "systems/Messages.h"
#include "systems/PlatformFileSource.h"
#include "systems/Routines.h"

namespace elencario {

namespace {

constexpr std::size_t kBlocco = 256 * 1024;
constexpr std::size_t kPezziMassimi = 32768;  // the piece index is a 16-bit counter

bool Cifra(char c) {
    return c >= '0' && c <= '9';
}

struct NumeriRiga {
    std::array<std::uint8_t, 32> valori;
    std::size_t quanti = 0;
};

// Reads a system file field by field, a block at a time. A field that lies within one block is
// handed out as a view into it; only fields that span blocks, and quoted ones, are copied.
class LettoreCampi {
  public:
    explicit LettoreCampi(FileSource& sorgente) : sorgente_(sorgente), blocco_(kBlocco) {}

    // True when nothing is left to read (or reading failed: see Errore()).
    bool FineFile() { return !Disponibile(); }

    // The next field, valid until the next call; false when reading failed.
    bool LeggiCampo(std::string_view& campo) {
        campo = {};
        while (Disponibile() && (blocco_[pos_] == ' ' || blocco_[pos_] == '\t')) ++pos_;
        if (!Disponibile()) return errore_ == 0;
        if (blocco_[pos_] == '"') {
            ++pos_;
            std::string_view virgolettato;
            const bool chiuso = LeggiFinoA([](char c) { return c == '"'; }, &virgolettato);
            // Copied: skipping what follows the closing quote may refill the block.
            virgolettato_.assign(virgolettato);
            campo = virgolettato_;
            if (!chiuso) return errore_ == 0;  // runs to the end of the file
            ++pos_;  // the closing quote; what follows it up to the field's end is ignored
            if (!LeggiFinoA(FineCampo{}, nullptr)) return errore_ == 0;
        } else if (!LeggiFinoA(FineCampo{}, &campo)) {
            return errore_ == 0;
        }
        ConsumaFine();
        return errore_ == 0;
    }

    // The common row, read in one pass: an unquoted field within the block made of numbers of
    // one or two digits separated by single spaces. Gives the row and its numbers and consumes
    // it; false, consuming nothing, for anything else (which LeggiCampo then reads).
    bool LeggiRigaSemplice(std::string_view& riga, NumeriRiga& numeri) {
        const char* const inizio = blocco_.data() + pos_;
        const char* const limite = blocco_.data() + fine_;
        const char* p = inizio;
        numeri.quanti = 0;
        for (;;) {
            if (p == limite || !Cifra(*p)) return false;
            int valore = *p++ - '0';
            if (p != limite && Cifra(*p)) valore = valore * 10 + (*p++ - '0');
            if (p == limite || valore < 1 || valore > kNumeroMassimo) return false;
            if (numeri.quanti == numeri.valori.size()) return false;
            numeri.valori[numeri.quanti++] = static_cast<std::uint8_t>(valore);
            if (*p != ' ') break;
            ++p;
        }
        if (!FineCampo{}(*p)) return false;
        riga = std::string_view(inizio, static_cast<std::size_t>(p - inizio));
        pos_ = static_cast<std::size_t>(p - blocco_.data());
        ConsumaFine();
        return true;
    }

    [[nodiscard]] int Errore() const { return errore_; }

  private:
    struct FineCampo {
        bool operator()(char c) const { return c == ',' || c == '\n' || c == '\r'; }
    };

    // True when a byte is ready at pos_; refills the block as needed.
    bool Disponibile() {
        if (pos_ < fine_) return true;
        if (finito_ || errore_ != 0) return false;
        const std::ptrdiff_t letti = sorgente_.Read(blocco_.data(), blocco_.size(), errore_);
        if (letti <= 0) {
            finito_ = true;
            if (letti < 0 && errore_ == 0) errore_ = 57;
            return false;
        }
        pos_ = 0;
        fine_ = static_cast<std::size_t>(letti);
        return true;
    }

    // Reads up to the first byte that `ferma` accepts and leaves pos_ on it; the bytes read go
    // to `letto` when given. False when the file ends (or fails) first.
    template <class Ferma>
    bool LeggiFinoA(Ferma ferma, std::string_view* letto) {
        bool attraversa = false;  // the bytes span blocks: collected in copia_
        while (Disponibile()) {
            const char* inizio = blocco_.data() + pos_;
            const char* limite = blocco_.data() + fine_;
            const char* trovato = std::find_if(inizio, limite, ferma);
            pos_ = static_cast<std::size_t>(trovato - blocco_.data());
            if (letto != nullptr) {
                if (!attraversa) copia_.clear();
                if (trovato != limite && !attraversa) {
                    *letto = std::string_view(inizio, static_cast<std::size_t>(trovato - inizio));
                    return true;
                }
                copia_.append(inizio, trovato);
                attraversa = true;
                *letto = copia_;
            }
            if (trovato != limite) return true;
        }
        return false;
    }

    // Consumes the comma or line end under pos_, and the LF of a CR LF when it is at hand. An LF
    // that opens the next block gives an empty field, which loads nothing, just the same.
    void ConsumaFine() {
        const char c = blocco_[pos_++];
        if (c == '\r' && pos_ < fine_ && blocco_[pos_] == '\n') ++pos_;
    }

    FileSource& sorgente_;
    std::vector<char> blocco_;
    std::size_t pos_ = 0;
    std::size_t fine_ = 0;
    bool finito_ = false;
    int errore_ = 0;
    std::string copia_;
    std::string virgolettato_;
};

// Removes leading and trailing spaces; tabs stay.
void Rifila(std::string& s) {
    const std::size_t inizio = s.find_first_not_of(' ');
    if (inizio == std::string::npos) {
        s.clear();
        return;
    }
    s.erase(s.find_last_not_of(' ') + 1);
    s.erase(0, inizio);
}

// True when normalising `campo` would leave it as it is: no blank at either end, no tab, no
// comma, no two spaces in a row.
bool GiaNormale(std::string_view campo) {
    if (campo.empty() || campo.front() == ' ' || campo.back() == ' ') return campo.empty();
    char prima = 0;
    for (const char c : campo) {
        if (c == '\t' || c == ',' || (c == ' ' && prima == ' ')) return false;
        prima = c;
    }
    return true;
}

void NormalizzaIn(std::string_view campo, std::string& riga) {
    riga.assign(campo);
    Rifila(riga);
    std::replace(riga.begin(), riga.end(), '\t', ' ');
    Rifila(riga);
    std::replace(riga.begin(), riga.end(), ',', ' ');
    Rifila(riga);
    // One left-to-right pass over non-overlapping pairs: three spaces become two.
    std::size_t scritti = 0;
    for (std::size_t i = 0; i < riga.size(); ++i) {
        riga[scritti++] = riga[i];
        if (riga[i] == ' ' && i + 1 < riga.size() && riga[i + 1] == ' ') ++i;
    }
    riga.resize(scritti);
}

// Marks every number of `riga` in `numeri`; 0, or the error number of the first bad piece.
int SegnaNumeri(std::string_view riga, std::array<std::int16_t, kNumeroMassimo + 1>& numeri) {
    if (riga.empty()) return 0;
    std::size_t pezzi = 0;
    // N pieces need N - 1 separators at least: empty pieces take no room.
    if (riga.size() >= kPezziMassimi - 1) {
        pezzi = static_cast<std::size_t>(std::count(riga.begin(), riga.end(), ' ')) + 1;
        if (pezzi > kPezziMassimi) return kErroreOverflow;
    }
    const char* const fine = riga.data() + riga.size();
    for (const char* inizio = riga.data();;) {
        const char* spazio = inizio;
        while (spazio != fine && *spazio != ' ') ++spazio;
        const std::string_view pezzo(inizio, static_cast<std::size_t>(spazio - inizio));
        std::int16_t valore = 0;
        if (const int errore = ConvertiIntero16(pezzo, valore); errore != 0) return errore;
        if (valore < 1 || valore > kNumeroMassimo) return kErroreIndice;
        numeri[static_cast<std::size_t>(valore)] = 1;
        if (spazio == fine) break;
        inizio = spazio + 1;
    }
    // The counter steps past its range after the last of 32768 pieces.
    return pezzi == kPezziMassimi ? kErroreOverflow : 0;
}

// Closes the source whatever way the load ends.
struct ChiusuraFile {
    FileSource& sorgente;
    ~ChiusuraFile() { sorgente.Close(); }
};

int Carica(VARIABILI& v, std::string fileSistema, FileSource& sorgente, LoadLimits limiti) {
    std::array<std::int16_t, kNumeroMassimo + 1> numeri{};
    std::int32_t totale = 0;
    RowStore righe(limiti.rowStoreBytes);

    if (const int errore = sorgente.Open(PercorsoDaTesto(fileSistema)); errore != 0) return errore;
    const ChiusuraFile chiusura{sorgente};
    // Rows are never longer than the fields they come from.
    righe.ReserveText(static_cast<std::size_t>(
        std::min<std::uint64_t>(sorgente.SizeAtOpen(), std::numeric_limits<std::size_t>::max())));

    LettoreCampi lettore(sorgente);
    std::string_view campo;
    std::string normalizzata;
    NumeriRiga semplice;
    // Every row is counted and stored before its numbers are looked at.
    const auto conserva = [&](std::string_view riga) {
        if (totale == std::numeric_limits<std::int32_t>::max()) return kErroreOverflow;
        ++totale;
        return righe.Append(riga) ? 0 : kErroreMemoria;
    };
    while (!lettore.FineFile()) {
        if (lettore.LeggiRigaSemplice(campo, semplice)) {
            if (const int errore = conserva(campo); errore != 0) return errore;
            for (std::size_t i = 0; i < semplice.quanti; ++i) numeri[semplice.valori[i]] = 1;
            continue;
        }
        if (!lettore.LeggiCampo(campo)) return lettore.Errore();
        if (campo.empty()) continue;
        std::string_view riga = campo;
        if (!GiaNormale(campo)) {
            NormalizzaIn(campo, normalizzata);
            riga = normalizzata;
        }
        if (const int errore = conserva(riga); errore != 0) return errore;
        if (const int errore = SegnaNumeri(riga, numeri); errore != 0) return errore;
    }
    if (lettore.Errore() != 0) return lettore.Errore();

    std::int16_t totNumeri = 0;
    if (totale > 0) {
        totNumeri = static_cast<std::int16_t>(std::count(numeri.begin() + 1, numeri.end(), 1));
    }
    righe.ShrinkToFit();

    // Everything read: only now does the new system replace the one loaded before.
    v.FileSistema = std::move(fileSistema);
    v.Combinazioni = std::move(righe);
    v.TotCombinazioni = totale;
    v.NumeriGioco = numeri;
    v.TotNumeri = totNumeri;
    return 0;
}

}  // namespace

std::string NormalizzaCampo(std::string_view campo) {
    std::string riga;
    NormalizzaIn(campo, riga);
    return riga;
}

int CaricaSistema(VARIABILI& v, const std::string& cartella, const std::string& nomeFile,
                  FileSource& sorgente, LoadLimits limiti) {
    try {
        return Carica(v, cartella + kSeparatore + nomeFile, sorgente, limiti);
    } catch (const std::bad_alloc&) {
        return kErroreMemoria;
    } catch (const std::length_error&) {
        return kErroreMemoria;
    }
}

int CaricaSistema(VARIABILI& v, const std::string& cartella, const std::string& nomeFile) {
    PlatformFileSource sorgente;
    return CaricaSistema(v, cartella, nomeFile, sorgente);
}

std::string MessaggioCaricamento(int errore) {
    switch (errore) {
        case kErroreTipo:
            return testi::kFileNonCompatibile;
        case kErroreFileMancante:
            return testi::kFileNonTrovato;
        default:
            return testi::kErroreGenerico + std::to_string(errore);
    }
}

}  // namespace elencario
