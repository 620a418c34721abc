#include "printing/ComposizioneElencario.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <set>
#include <string_view>

#include "systems/Routines.h"
#include "systems/Testi.h"

namespace elencario {

namespace {

// The separator with its NUL, eight bytes: one move.
constexpr char kSeparatoreMosso[] = "   -   ";
static_assert(std::string_view(kSeparatoreMosso) == kSeparatore);
constexpr int kNumeriPerRiga = 30;

std::string Intestazione(const VARIABILI& v, const OpzioniConvertite& o,
                         const std::string& margine) {
    std::string riga = margine;
    if (o.nomeSistema) {
        riga += NomeSistema(v.FileSistema);
        riga += testi::kDopoNomeNumeri;
    } else {
        riga += testi::kNumeri;
    }
    riga += std::to_string(v.TotNumeri);
    riga += testi::kDopoNumeriCombinazioni;
    riga += std::to_string(v.TotCombinazioni);
    return riga;
}

StatoStampa NumeriInGioco(const VARIABILI& v, const std::string& margine, StampanteTesto& p) {
    std::string testo = margine + testi::kInGioco + '\n' + margine;
    int stampati = 0;
    for (int n = 1; n <= kNumeroMassimo; ++n) {
        if (v.NumeriGioco[static_cast<std::size_t>(n)] != 1) continue;
        ++stampati;
        const char numero[] = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10),
                               ' '};
        testo.append(numero, 3);
        if (stampati % kNumeriPerRiga == 0) (testo += '\n') += margine;
    }
    // The last line of the block ends, then two empty lines.
    testo += "\n\n\n";
    return p.StampaRighe({testo, margine.size()});
}

// Copies a short text without a call to the library: rows and margins are short and there are
// millions of them.
void Copia(char* a, const char* da, std::size_t n) {
    if (n >= 8 && n <= 16) {
        std::memcpy(a, da, 8);
        std::memcpy(a + n - 8, da + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        std::memcpy(a, da, 4);
        std::memcpy(a + n - 4, da + n - 4, 4);
    } else {
        std::memcpy(a, da, n);
    }
}

constexpr std::size_t kLotto = 64 * 1024;  // lines handed to the printer at a time
// Room kept after every row: a separator with its NUL, or a line end.
constexpr std::size_t kRiserva = sizeof kSeparatoreMosso;

// Grows `testo` so that `byte` more and the room kept after them fit at `w`; gives `w` back, moved
// with the buffer.
char* Allarga(std::string& testo, char* w, std::size_t byte) {
    const auto scritti = static_cast<std::size_t>(w - testo.data());
    testo.resize(std::max(2 * testo.size(), scritti + byte + kRiserva));
    return testo.data() + scritti;
}

// Kept as listings have always been laid out: a line of the grid ends after the row whose
// count leaves no remainder by the rows per line, and the remainder by a negative count is 0
// where the remainder by its magnitude is (i % -4 where i % 4), so "-4" prints four to a line
// like "4". Listings made with a negative count, and the option's tests, depend on it.
std::size_t CombinazioniPerRiga(std::int16_t colonneRiga) {
    return static_cast<std::size_t>(std::abs(int{colonneRiga}));
}

// The grid's lines, written through a plain pointer into a buffer that always has room for one
// more row and separator, and handed to the printer many lines at a time.
StatoStampa Griglia(const VARIABILI& v, const OpzioniConvertite& o, const std::string& margine,
                    StampanteTesto& p) {
    std::size_t restanti =
        std::min(static_cast<std::size_t>(std::max(v.TotCombinazioni, 0)), v.Combinazioni.size());
    if (restanti == 0) return StatoStampa::Ok;
    const std::size_t perRiga = CombinazioniPerRiga(o.colonneRiga);
    std::string testo(kLotto, ' ');
    char* w = testo.data();
    char* fine = w + testo.size();
    std::size_t riga = 0;  // where the line under way starts in the buffer
    // A line starts with its margin.
    const auto apri = [&] {
        if (static_cast<std::size_t>(fine - w) < margine.size() + kRiserva) {
            w = Allarga(testo, w, margine.size());
            fine = testo.data() + testo.size();
        }
        riga = static_cast<std::size_t>(w - testo.data());
        Copia(w, margine.data(), margine.size());
        w += margine.size();
    };
    apri();
    std::size_t nellaRiga = perRiga;      // rows still to come in the line under way
    std::vector<std::size_t> separatori;  // where they start in the buffer
    separatori.reserve(kLotto / 4);
    const auto consegna = [&] {
        const StatoStampa stato =
            p.StampaRighe({{testo.data(), static_cast<std::size_t>(w - testo.data())},
                           margine.size(),
                           separatori});
        w = testo.data();
        separatori.clear();
        return stato;
    };
    StatoStampa s = StatoStampa::Ok;
    v.Combinazioni.PerOgni([&](std::string_view combinazione) {
        if (static_cast<std::size_t>(fine - w) < combinazione.size() + kRiserva) {
            w = Allarga(testo, w, combinazione.size());
            fine = testo.data() + testo.size();
        }
        Copia(w, combinazione.data(), combinazione.size());
        w += combinazione.size();
        --restanti;
        if (--nellaRiga != 0 && restanti != 0) {
            separatori.push_back(static_cast<std::size_t>(w - testo.data()));
            // The NUL lands on the room kept.
            std::memcpy(w, kSeparatoreMosso, sizeof kSeparatoreMosso);
            w += kSeparatore.size();
            return true;
        }
        // The line ends, its text trimmed after the margin (only blank rows leave blanks to
        // trim), and its separators follow the text.
        nellaRiga = perRiga;
        char* const inizio = testo.data() + riga + margine.size();
        while (w > inizio && w[-1] == ' ') --w;
        const char* primo = inizio;
        while (primo < w && *primo == ' ') ++primo;
        if (primo > inizio) {
            std::memmove(inizio, primo, static_cast<std::size_t>(w - primo));
            w -= primo - inizio;
            const auto tolti = static_cast<std::size_t>(primo - inizio);
            const auto daRiga = static_cast<std::size_t>(inizio - testo.data());
            std::erase_if(separatori,
                          [&](std::size_t x) { return x >= daRiga && x < daRiga + tolti; });
            for (std::size_t& x : separatori) {
                if (x >= daRiga) x -= tolti;
            }
        }
        *w++ = '\n';
        if (w - testo.data() >= static_cast<std::ptrdiff_t>(kLotto)) s = consegna();
        if (s != StatoStampa::Ok || restanti == 0) return false;
        apri();
        return true;
    });
    if (s != StatoStampa::Ok || w == testo.data()) return s;
    return consegna();
}

// The listing's lines, the font already set.
StatoStampa Componi(const VARIABILI& v, const OpzioniConvertite& o, StampanteTesto& p) {
    const std::string margine(static_cast<std::size_t>(o.margine), ' ');
    using enum StatoStampa;
    StatoStampa s = p.ACapo();
    if (s == Ok) s = p.ACapo();
    if (s == Ok) s = p.StampaRighe({Intestazione(v, o, margine) + '\n', margine.size()});
    if (s == Ok) s = p.ACapo();
    if (s == Ok) s = p.ACapo();
    if (s == Ok && o.numeriInGioco) s = NumeriInGioco(v, margine, p);
    if (s == Ok) s = Griglia(v, o, margine, p);
    if (s == Ok) s = p.ChiudiDocumento();
    return s;
}

}  // namespace

std::vector<std::string> NumeriPiuLarghi(const VARIABILI& v) {
    // The numbers of one or two characters, by their two bytes, and the rare longer ones.
    std::vector<bool> brevi(1 << 16);
    std::set<std::string_view, std::less<>> lunghi;
    std::vector<std::string> numeri;
    auto restanti = static_cast<std::size_t>(std::max(v.TotCombinazioni, 0));
    v.Combinazioni.PerOgni([&](std::string_view riga) {
        if (restanti == 0) return false;
        --restanti;
        for (std::size_t inizio = 0; inizio < riga.size();) {
            std::size_t fine = riga.find(' ', inizio);
            if (fine == std::string_view::npos) fine = riga.size();
            const std::string_view numero = riga.substr(inizio, fine - inizio);
            inizio = fine + 1;
            if (numero.empty()) continue;
            if (numero.size() <= 2) {
                const auto chiave = static_cast<std::size_t>(
                    static_cast<unsigned char>(numero[0]) << 8 |
                    (numero.size() == 2 ? static_cast<unsigned char>(numero[1]) : 0));
                if (brevi[chiave]) continue;
                brevi[chiave] = true;
                numeri.emplace_back(numero);
            } else if (lunghi.insert(numero).second) {
                numeri.emplace_back(numero);
            }
        }
        return true;
    });
    return numeri;
}

EsitoComposizione ComponiElencario(const VARIABILI& v, const OpzioniConvertite& o,
                                   StampanteTesto& p) {
    using enum StatoStampa;
    try {
        StatoStampa s = p.ImpostaCarattere(o.carattere);
        if (s == Ok) s = p.ImpostaGrandezza(static_cast<float>(o.grandezza));
        if (s != Ok) return {s};
        if (const Spazio spazio = p.VerificaSpazio(o.margine, [&v] { return NumeriPiuLarghi(v); });
            spazio != Spazio::Ok) {
            return {Ok, spazio};
        }
        return {Componi(v, o, p)};
    } catch (const std::bad_alloc&) {
        return {Fallita};
    }
}

}  // namespace elencario
