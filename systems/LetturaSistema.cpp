#include "systems/LetturaSistema.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "systems/Conversione.h"
#include "systems/Percorsi.h"
#include "systems/RigheBrevi.h"
#include "systems/SorgenteFilePiattaforma.h"
#include "systems/Testi.h"

namespace elencario {

namespace {

constexpr std::size_t kBlocco = 256 * 1024;
constexpr std::size_t kCopiaBreve = 16;      // a short row's copy
constexpr std::size_t kMargineBlocco = 128;  // readable bytes after a block's own
// Kept as the stored files have always been judged: a field's pieces are counted by a 16-bit
// index, so a field of 32768 pieces or more fails with overflow (6) even when every piece is a
// good number. A file that loaded before loads the same and one refused is refused the same;
// the reference model of the fuzz checks and the reader's tests hold the same count.
constexpr std::size_t kPezziMassimi = 32768;

// Kept as the stored files have always been read: the blanks within a field go through one
// pass that turns each pair of blanks into one, so three become two and a run of n leaves
// (n + 1) / 2. One blank left between two numbers is the row's separator; two or more leave
// empty pieces, which fail with type mismatch (13): numbers two blanks apart load, three apart
// do not. Which stored rows load, and the text they load as, depend on it.
constexpr std::size_t SpaziDopoUnaPassata(std::size_t spazi) {
    return (spazi + 1) / 2;
}

bool Cifra(char c) {
    return c >= '0' && c <= '9';
}

// What a byte is to the field reader.
enum Classe : std::uint8_t { kAltro, kSpazio, kVirgola, kFineRiga, kVirgolette };

constexpr std::array<Classe, 256> kClassi = [] {
    std::array<Classe, 256> classi{};
    classi[' '] = classi['\t'] = kSpazio;
    classi[','] = kVirgola;
    classi['\r'] = classi['\n'] = kFineRiga;
    classi['"'] = kVirgolette;
    return classi;
}();

Classe ClasseDi(char c) {
    return kClassi[static_cast<unsigned char>(c)];
}

// 1 for the bytes that end a piece, else 0 (eight are or-ed at once): blanks and field ends;
// inside quotes a line end belongs to the piece, outside a quote does.
constexpr std::array<std::uint8_t, 256> FermaPezzo(bool virgolettato) {
    std::array<std::uint8_t, 256> ferma{};
    for (int c = 0; c < 256; ++c) {
        const Classe classe = kClassi[static_cast<std::size_t>(c)];
        ferma[static_cast<std::size_t>(c)] =
            classe == kSpazio || classe == kVirgola ||
                    (virgolettato ? classe == kVirgolette : classe == kFineRiga)
                ? 1
                : 0;
    }
    return ferma;
}
constexpr std::array<std::uint8_t, 256> kFermaLibero = FermaPezzo(false);
constexpr std::array<std::uint8_t, 256> kFermaVirgolettato = FermaPezzo(true);

// One row built from the bytes of its field as they come: blanks at either end dropped, every
// run of blanks within it halved once (SpaziDopoUnaPassata), each piece checked
// as soon as it ends. Once a piece fails the row is decided and no longer kept: only its pieces
// are still counted, since more than kPezziMassimi of them fail before any is converted.
class RigaInCorso {
  public:
    explicit RigaInCorso(std::array<std::int16_t, kNumeroMassimo + 1>& numeri) : numeri_(numeri) {}

    void Inizia() {
        testo_.clear();
        pezzi_ = 0;
        spazi_ = 0;
        inPezzo_ = false;
        errore_ = 0;
    }
    // The first failing piece is known: the bytes now only count pieces.
    [[nodiscard]] bool Decisa() const { return errore_ != 0; }
    // More pieces than the piece index can count: the row fails with overflow at once.
    [[nodiscard]] bool Troppi() const { return pezzi_ > kPezziMassimi; }

    void Spazio() {
        if (inPezzo_) ChiudiPezzo();
        if (pezzi_ > 0) ++spazi_;  // blanks in front of the first piece go
    }
    void Altro(char c) {
        if (!inPezzo_) ApriPezzo();
        if (errore_ != 0) return;
        testo_.push_back(c);
        pezzo_.Aggiungi(c);
        if (pezzo_.NonNumero()) errore_ = kErroreTipo;
    }
    // Skips, in a decided row, the rest of the piece under way: up to the first blank or end of
    // the field from `p`. Eight bytes a time: a hostile file may hold gigabytes of one piece.
    const char* SaltaPezzo(const char* p, const char* fine, bool virgolettato) const {
        if (!inPezzo_) return p;
        const std::array<std::uint8_t, 256>& ferma =
            virgolettato ? kFermaVirgolettato : kFermaLibero;
        const auto f = [&](const char* q) -> unsigned {
            return ferma[static_cast<unsigned char>(*q)];
        };
        while (fine - p >= 8 && (f(p) | f(p + 1) | f(p + 2) | f(p + 3) | f(p + 4) | f(p + 5) |
                                 f(p + 6) | f(p + 7)) == 0) {
            p += 8;
        }
        while (p != fine && f(p) == 0) ++p;
        return p;
    }
    // 0 and the normalised row, or the error number that decides the row.
    int Termina(std::string_view& riga) {
        if (inPezzo_) ChiudiPezzo();
        if (errore_ != 0) return errore_;
        // The counter steps past its range after the last of kPezziMassimi pieces.
        if (pezzi_ == kPezziMassimi) return kErroreOverflow;
        riga = testo_;
        return 0;
    }

  private:
    void ApriPezzo() {
        if (pezzi_ > 0) {
            const std::size_t separatori = SpaziDopoUnaPassata(spazi_);
            pezzi_ += separatori - 1;  // the empty pieces between them
            if (errore_ == 0 && separatori > 1) errore_ = kErroreTipo;
            if (errore_ == 0) testo_.push_back(' ');
        }
        ++pezzi_;
        spazi_ = 0;
        inPezzo_ = true;
        pezzo_ = {};
    }
    void ChiudiPezzo() {
        inPezzo_ = false;
        if (errore_ != 0) return;
        std::int16_t valore = 0;
        errore_ = pezzo_.Esito(valore);
        if (errore_ == 0 && (valore < 1 || valore > kNumeroMassimo)) errore_ = kErroreIndice;
        if (errore_ == 0) numeri_[static_cast<std::size_t>(valore)] = 1;
    }

    std::array<std::int16_t, kNumeroMassimo + 1>& numeri_;
    std::string testo_;
    std::size_t pezzi_ = 0;
    std::size_t spazi_ = 0;
    bool inPezzo_ = false;
    int errore_ = 0;
    Intero16InCorso pezzo_;
};

// Reads a system file field by field, a block at a time.
class LettoreCampi {
  public:
    explicit LettoreCampi(SorgenteFile& sorgente)
        : sorgente_(sorgente), blocco_(kBlocco + kMargineBlocco) {}

    // True when nothing is left to read (or reading failed: see Errore()).
    bool FineFile() { return !Disponibile(); }

    // Reads the next field into `riga`. Gives false when the field is empty (no row) or reading
    // failed (see Errore()); true when the field holds a row, decided in `riga`.
    bool LeggiCampo(RigaInCorso& riga) {
        while (Disponibile() && ClasseDi(blocco_[posizione_]) == kSpazio) ++posizione_;
        if (!Disponibile()) return false;
        riga.Inizia();
        const bool virgolettato = blocco_[posizione_] == '"';
        if (virgolettato) ++posizione_;
        std::uint64_t lunghezza = 0;
        bool chiuso = false;
        while (!chiuso && !riga.Troppi() && Disponibile()) {
            const char* p = blocco_.data() + posizione_;
            const char* const fine = blocco_.data() + fine_;
            const char* const inizio = p;
            while (p != fine && !riga.Troppi()) {
                if (riga.Decisa()) {
                    p = riga.SaltaPezzo(p, fine, virgolettato);
                    if (p == fine) break;
                }
                const Classe classe = ClasseDi(*p);
                if (virgolettato ? classe == kVirgolette
                                 : (classe == kVirgola || classe == kFineRiga)) {
                    chiuso = true;
                    break;
                }
                if (classe == kSpazio || (virgolettato && classe == kVirgola)) {
                    riga.Spazio();
                } else {
                    riga.Altro(*p);
                }
                ++p;
            }
            lunghezza += static_cast<std::uint64_t>(p - inizio);
            posizione_ = static_cast<std::size_t>(p - blocco_.data());
        }
        if (riga.Troppi() || errore_ != 0) return true;
        if (virgolettato && chiuso) {
            ++posizione_;  // the closing quote; what follows it up to the field's end is ignored
            chiuso = false;
            while (!chiuso && Disponibile()) {
                const char* const fine = blocco_.data() + fine_;
                const char* p = std::find_if(
                    static_cast<const char*>(blocco_.data() + posizione_), fine,
                    [](char c) { return ClasseDi(c) == kVirgola || ClasseDi(c) == kFineRiga; });
                chiuso = p != fine;
                posizione_ = static_cast<std::size_t>(p - blocco_.data());
            }
        }
        if (chiuso) ConsumaFine();
        return lunghezza > 0;
    }

    // The common rows, read in one pass: unquoted fields within the block made of numbers of
    // one or two digits from 1 to 90 separated by single spaces. Each is counted in `totale`
    // (past 2,147,483,647 the reading stops with overflow) and appended to `righe`, its numbers
    // added to `segnati` (bit n for number n). Stops before the first field of any other shape,
    // which LeggiCampo then reads, or with the error number that ends the load.
    int LeggiRigheSemplici(ArchivioRighe& righe, std::int32_t& totale,
                           std::array<std::uint64_t, 2>& segnati) {
        // Longer rows take the general road, which counts their pieces.
        constexpr std::ptrdiff_t kLunghezzaMassima = 191;
        // Once every number is marked, rows need no marking.
        constexpr std::uint64_t kTuttiBassi = ~std::uint64_t{1};
        constexpr std::uint64_t kTuttiAlti = (std::uint64_t{1} << (kNumeroMassimo - 63)) - 1;
        const char* p = blocco_.data() + posizione_;
        // The count and the marks live in registers: numbers 1 to 63 in `bassi`, 64 to 90 in
        // `alti`; so does the store's cursor, taken with Accoda: the store itself is not used
        // until Riprendi has handed it back, on every way out (`fine`) and before an Append.
        std::int32_t contate = totale;
        std::uint64_t bassi = segnati[0];
        std::uint64_t alti = segnati[1];
        ArchivioRighe::Coda coda = righe.Accoda();
        const char* const base = blocco_.data();
        const char* inizio = p;  // of the row under way
        const auto fine = [&](int errore) {
            righe.Riprendi(coda);
            totale = contate;
            segnati = {bassi, alti};
            posizione_ = static_cast<std::size_t>(inizio - base);
            return errore;
        };
        for (;;) {
#ifdef ELENCARIO_RIGHE_BREVI
            // Whole windows of rows, while the store and the count have room for all their rows
            // (at most one per two bytes) without growing. The block's slack
            // (kMargineBlocco bytes) makes a window readable from any position up to its end.
            while (coda.fineTesto - coda.testo >= static_cast<std::ptrdiff_t>(2 * kFinestra) &&
                   coda.fineFini - coda.fine >= kFinestra / 2 &&
                   contate <= std::numeric_limits<std::int32_t>::max() - int{kFinestra / 2}) {
                const RigheBrevi finestra = LeggiRigheBrevi(p);
                if (finestra.letti == 0) break;
                if (bassi != kTuttiBassi || alti != kTuttiAlti) {
                    SegnaRigheBrevi(p, finestra, bassi, alti);
                }
                std::uint64_t ultimi = finestra.ultimi;
                for (std::uint64_t inizi = finestra.inizi; inizi != 0; inizi &= inizi - 1) {
                    const char* const riga = p + std::countr_zero(inizi);
                    const auto lunghezza =
                        static_cast<std::size_t>(p + std::countr_zero(ultimi) + 1 - riga);
                    ultimi &= ultimi - 1;
                    std::memcpy(coda.testo, riga, kCopiaBreve);
                    if (lunghezza > kCopiaBreve) {
                        std::memcpy(coda.testo + kCopiaBreve, riga + kCopiaBreve,
                                    lunghezza - kCopiaBreve);
                    }
                    coda.testo += lunghezza;
                    *coda.fine++ = static_cast<std::uint32_t>(coda.testo - coda.base);
                    ++contate;
                }
                p += finestra.letti;
            }
#endif
            inizio = p;
            // Commas and line ends here are empty fields, which give no row.
            if (ClasseDi(*p) == kVirgola || ClasseDi(*p) == kFineRiga) {
                ++p;
                continue;
            }
            std::uint64_t rigaBassi = 0;
            std::uint64_t rigaAlti = 0;
            // The NUL after the block's bytes is neither a digit nor a field end: it stops a
            // row that runs to the end of the block without a test of its own.
            for (;;) {
                if (!Cifra(*p)) return fine(0);
                unsigned valore = static_cast<unsigned>(*p++ - '0');
                if (Cifra(*p)) valore = valore * 10 + static_cast<unsigned>(*p++ - '0');
                if (valore < 1 || valore > kNumeroMassimo) return fine(0);
                const std::uint64_t bit = std::uint64_t{1} << (valore & 63);
                rigaBassi |= valore < 64 ? bit : 0;
                rigaAlti |= valore < 64 ? 0 : bit;
                if (*p != ' ') break;
                ++p;
            }
            const Classe classe = ClasseDi(*p);
            if ((classe != kVirgola && classe != kFineRiga) || p - inizio > kLunghezzaMassima) {
                return fine(0);
            }
            bassi |= rigaBassi;
            alti |= rigaAlti;
            if (contate == std::numeric_limits<std::int32_t>::max()) return fine(kErroreOverflow);
            ++contate;
            const auto lunghezza = static_cast<std::size_t>(p - inizio);
            // A short row is copied as one fixed-size move: the block has kMargineBlocco bytes of
            // slack after its own, and what lands past the row in the store's room is overwritten
            // by the next one.
            if (coda.fineTesto - coda.testo >= static_cast<std::ptrdiff_t>(kCopiaBreve) &&
                coda.fine != coda.fineFini && lunghezza <= kCopiaBreve) {
                std::memcpy(coda.testo, inizio, kCopiaBreve);
                coda.testo += lunghezza;
                *coda.fine++ = static_cast<std::uint32_t>(coda.testo - coda.base);
            } else {
                righe.Riprendi(coda);
                const bool preso = righe.AggiungiRiga({inizio, lunghezza});
                coda = righe.Accoda();
                if (!preso) return fine(kErroreMemoria);
            }
            // The field end, and the LF of a CR LF (the NUL after the block is no LF).
            p += p[0] == '\r' && p[1] == '\n' ? 2 : 1;
        }
    }

    [[nodiscard]] int Errore() const {
        return errore_;
    }
    [[nodiscard]] std::uint64_t Letti() const {
        return letti_;
    }

  private:
    // True when a byte is ready at posizione_; refills the block as needed.
    bool Disponibile() {
        if (posizione_ < fine_) return true;
        if (finito_ || errore_ != 0) return false;
        const std::ptrdiff_t letti = sorgente_.Leggi(blocco_.data(), kBlocco, errore_);
        if (letti <= 0) {
            finito_ = true;
            if (letti < 0 && errore_ == 0) errore_ = kErroreDispositivo;
            return false;
        }
        posizione_ = 0;
        fine_ = static_cast<std::size_t>(letti);
        blocco_[fine_] = '\0';
        letti_ += static_cast<std::uint64_t>(letti);
        return true;
    }

    // Consumes the comma or line end under posizione_, and the LF of a CR LF when it is at hand. An
    // LF that opens the next block gives an empty field, which loads nothing, just the same.
    void ConsumaFine() {
        const char c = blocco_[posizione_++];
        if (c == '\r' && posizione_ < fine_ && blocco_[posizione_] == '\n') ++posizione_;
    }

    SorgenteFile& sorgente_;
    std::vector<char> blocco_;
    std::size_t posizione_ = 0;
    std::size_t fine_ = 0;
    std::uint64_t letti_ = 0;
    bool finito_ = false;
    int errore_ = 0;
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

// Closes the source whatever way the load ends.
struct ChiusuraFile {
    SorgenteFile& sorgente;
    ~ChiusuraFile() { sorgente.Chiudi(); }
};

int Carica(VARIABILI& v, std::string fileSistema, SorgenteFile& sorgente,
           LimitiCaricamento limiti) {
    std::array<std::int16_t, kNumeroMassimo + 1> numeri{};
    std::int32_t totale = 0;
    ArchivioRighe righe(limiti.byteArchivio);

    if (const int errore = sorgente.Apri(PercorsoDaTesto(fileSistema)); errore != 0) return errore;
    const ChiusuraFile chiusura{sorgente};
    // Rows are never longer than the fields they come from.
    righe.RiservaTesto(static_cast<std::size_t>(std::min<std::uint64_t>(
        sorgente.DimensioneAllApertura(), std::numeric_limits<std::size_t>::max())));

    LettoreCampi lettore(sorgente);
    RigaInCorso inCorso(numeri);
    std::string_view riga;
    std::array<std::uint64_t, 2> segnati{};
    // Every row is counted before its numbers are looked at: a 2,147,483,648th row fails with
    // overflow whatever it holds.
    const auto conta = [&] {
        if (totale == std::numeric_limits<std::int32_t>::max()) return kErroreOverflow;
        ++totale;
        return 0;
    };
    while (!lettore.FineFile()) {
        if (const int errore = lettore.LeggiRigheSemplici(righe, totale, segnati); errore != 0) {
            return errore;
        }
        if (lettore.FineFile()) break;
        const bool piena = lettore.LeggiCampo(inCorso);
        if (lettore.Errore() != 0) return lettore.Errore();
        if (!piena) continue;
        // Counted first: a row past the count fails with overflow whatever its pieces.
        if (const int errore = conta(); errore != 0) return errore;
        if (inCorso.Troppi()) return kErroreOverflow;
        if (const int errore = inCorso.Termina(riga); errore != 0) return errore;
        if (!righe.AggiungiRiga(riga)) return kErroreMemoria;
    }
    if (lettore.Errore() != 0) return lettore.Errore();
    // A file rewritten or replaced while it was read must not pass for a system.
    if (lettore.Letti() != sorgente.DimensioneAllApertura() || sorgente.Cambiato())
        return kErroreDispositivo;

    for (std::size_t n = 1; n <= kNumeroMassimo; ++n) {
        if ((segnati[n >> 6] >> (n & 63)) & 1) numeri[n] = 1;
    }
    const auto totNumeri =
        static_cast<std::int16_t>(std::count(numeri.begin() + 1, numeri.end(), 1));
    righe.Restringi();

    // Everything read: only now does the new system replace the one loaded before.
    v.FileSistema = std::move(fileSistema);
    v.Combinazioni = std::move(righe);
    v.TotCombinazioni = totale;
    v.NumeriGioco = numeri;
    v.TotNumeri = totNumeri;
    return 0;
}

}  // namespace

// Declared for the reader's checks only (fuzz/NormalizzaCampo.h): the program itself stores the
// rows through the reader.
std::string NormalizzaCampo(std::string_view campo) {
    std::string riga;
    NormalizzaIn(campo, riga);
    return riga;
}

int CaricaSistema(VARIABILI& v, const std::string& cartella, const std::string& nomeFile,
                  SorgenteFile& sorgente, LimitiCaricamento limiti) {
    try {
        return Carica(v, cartella + kSeparatoreCartelle + nomeFile, sorgente, limiti);
    } catch (const std::bad_alloc&) {
        return kErroreMemoria;
    } catch (const std::length_error&) {
        return kErroreMemoria;
    }
}

int CaricaSistema(VARIABILI& v, const std::string& cartella, const std::string& nomeFile) {
    SorgenteFilePiattaforma sorgente;
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
