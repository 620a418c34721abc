#include "verifica/Verifica.h"

#include <algorithm>
#include <new>
#include <set>
#include <string_view>

#include "verifica/TestiVerifica.h"

namespace elencario {

namespace {

constexpr std::size_t kPremi = 4;          // combinations of the hits taken 2, 3, 4 and 5 at a time
constexpr std::size_t kLotto = 64 * 1024;  // text handed to the printer at a time

// Combinazioni[h][k]: the combinations of h hits taken k + 2 at a time.
constexpr auto kCombinazioni = [] {
    std::array<std::array<std::uint64_t, kPremi>, kNumeroMassimo + 1> tabella{};
    for (std::uint64_t h = 0; h <= kNumeroMassimo; ++h) {
        std::uint64_t c = h * (h - 1) / 2;  // h taken 2, then 3, 4, 5 at a time
        for (std::uint64_t k = 0; k < kPremi && h >= k + 2; ++k) {
            tabella[h][k] = c;
            c = c * (h - k - 2) / (k + 3);
        }
    }
    return tabella;
}();

void DueCifre(std::string& testo, int n) {
    testo.push_back(static_cast<char>('0' + n / 10));
    testo.push_back(static_cast<char>('0' + n % 10));
}

void Numeri(std::string& testo, const InsiemeNumeri& numeri) {
    bool primo = true;
    numeri.PerOgni([&](int n) {
        if (!primo) testo.push_back(' ');
        primo = false;
        DueCifre(testo, n);
    });
}

// The report's text, each line after the margin and ended by '\n', handed to the printer a
// lot at a time.
class Testo {
  public:
    Testo(std::string margine, StampanteTesto& p) : margine_(std::move(margine)), p_(p) {}

    // A new line opened by the margin: what follows goes on it.
    std::string& Riga() {
        testo_ += margine_;
        return testo_;
    }
    // Ends the line under way.
    StatoStampa Fine() {
        testo_.push_back('\n');
        return testo_.size() < kLotto ? StatoStampa::Ok : Consegna();
    }
    void Vuota() { testo_.push_back('\n'); }
    StatoStampa Consegna() {
        const StatoStampa s =
            testo_.empty() ? StatoStampa::Ok : p_.StampaRighe({testo_, margine_.size()});
        testo_.clear();
        return s;
    }

  private:
    std::string margine_;
    StampanteTesto& p_;
    std::string testo_;
};

std::string Totali(const Resoconto& r) {
    return testi::kResocontoCombinazioni + std::to_string(r.combinazioni) + testi::kVincenti +
           std::to_string(r.vincenti.size());
}

std::string LineaEstrazione(const Resoconto& r) {
    std::string linea = testi::kEstrazione;
    Numeri(linea, r.estrazione);
    return linea;
}

std::string Punti(const Resoconto& r) {
    std::size_t massimo = 2;
    for (std::size_t h = 2; h < r.perPunti.size(); ++h) {
        if (r.perPunti[h] != 0) massimo = h;
    }
    std::string punti = testi::kPunti;
    for (std::size_t h = 2; h <= massimo; ++h) {
        punti.append(" ").append(std::to_string(h)).append("=");
        punti.append(std::to_string(r.perPunti[h]));
    }
    return punti;
}

std::string Premi(const Resoconto& r) {
    return testi::kAmbi + std::to_string(r.premi[0]) + testi::kTerni + std::to_string(r.premi[1]) +
           testi::kQuaterne + std::to_string(r.premi[2]) + testi::kCinquine +
           std::to_string(r.premi[3]);
}

// The hits of rows against one draw, counted with a table: each number's bit in the draw, none
// for a number not drawn.
class Conteggio {
  public:
    explicit Conteggio(const InsiemeNumeri& estrazione) {
        estrazione.PerOgni([this](int n) {
            (n < 64 ? basso_ : alto_)[static_cast<std::size_t>(n)] = std::uint64_t{1} << (n & 63);
        });
    }
    // The reader lets in only pieces of digits (after a plus sign perhaps) worth 1..90.
    [[nodiscard]] InsiemeNumeri Presi(std::string_view riga) const {
        std::uint64_t basso = 0;
        std::uint64_t alto = 0;
        unsigned n = 0;
        for (const char c : riga) {
            const unsigned cifra = static_cast<unsigned char>(c) - unsigned{'0'};
            if (cifra < 10) {
                n = std::min(n * 10 + cifra, kFuori);
            } else if (c == ' ') {
                basso |= basso_[n];
                alto |= alto_[n];
                n = 0;
            }
        }
        basso |= basso_[n];
        alto |= alto_[n];
        return {basso, alto};
    }

  private:
    static constexpr unsigned kFuori = 127;  // any value past 90: no bit
    std::array<std::uint64_t, kFuori + 1> basso_{};
    std::array<std::uint64_t, kFuori + 1> alto_{};
};

StatoStampa ScriviResoconto(const VARIABILI& v, const VerificaRichiesta& richiesta,
                            const Resoconto& r, Testo& t) {
    using enum StatoStampa;
    StatoStampa s = Ok;
    const Conteggio conteggio(r.estrazione);
    if (!richiesta.titolo.empty()) {
        t.Riga() += richiesta.titolo;
        s = t.Fine();
    }
    t.Riga() += LineaEstrazione(r);
    if (s == Ok) s = t.Fine();
    t.Riga() += Totali(r);
    if (s == Ok) s = t.Fine();
    for (std::size_t i = 0; i < r.vincenti.size() && s == Ok; ++i) {
        const std::string_view riga = v.Combinazioni[r.vincenti[i]];
        const InsiemeNumeri presi = conteggio.Presi(riga);
        std::string& testo = t.Riga();
        testo.append("Riga ").append(std::to_string(r.vincenti[i] + std::uint64_t{1}));
        testo.append(": ").append(riga).append(" - punti ");
        testo.append(std::to_string(presi.Quanti())).append(" (");
        Numeri(testo, presi);
        testo.push_back(')');
        s = t.Fine();
    }
    t.Riga() += Premi(r);
    if (s == Ok) s = t.Fine();
    t.Riga() += Punti(r);
    if (s == Ok) s = t.Fine();
    return s;
}

// The words of the reports that may be the widest on paper: a line goes on over further lines at
// its blanks, so only a word must fit whole. Those of every line but the winning rows; of those,
// the numbers of the system's rows and the other words at their widest.
std::vector<std::string> ParoleLarghe(const VARIABILI& v,
                                      std::span<const VerificaRichiesta> richieste,
                                      const std::vector<Resoconto>& resoconti) {
    std::set<std::string, std::less<>> parole;
    const auto separa = [&parole](std::string_view linea) {
        for (std::size_t inizio = 0; inizio < linea.size();) {
            const std::size_t fine = std::min(linea.find(' ', inizio), linea.size());
            if (fine > inizio) parole.emplace(linea.substr(inizio, fine - inizio));
            inizio = fine + 1;
        }
    };
    for (std::size_t i = 0; i < resoconti.size(); ++i) {
        const Resoconto& r = resoconti[i];
        for (const std::string& linea :
             {richieste[i].titolo, LineaEstrazione(r), Totali(r), Premi(r), Punti(r)}) {
            separa(linea);
        }
        if (!r.vincenti.empty()) {
            separa("Riga " + std::to_string(r.vincenti.back() + std::uint64_t{1}) +
                   ": - punti 90 (88 88)");
        }
    }
    std::vector<std::string> larghe(parole.begin(), parole.end());
    for (std::string& numero : NumeriPiuLarghi(v)) larghe.push_back(std::move(numero));
    return larghe;
}

}  // namespace

Resoconto Verifica(const VARIABILI& v, const InsiemeNumeri& estrazione) {
    Resoconto r;
    r.estrazione = estrazione;
    auto restanti = static_cast<std::size_t>(std::max(v.TotCombinazioni, 0));
    r.combinazioni = static_cast<std::int64_t>(std::min(restanti, v.Combinazioni.size()));
    const Conteggio conteggio(estrazione);
    std::uint32_t indice = 0;
    v.Combinazioni.PerOgni([&](std::string_view riga) {
        if (restanti == 0) return false;
        --restanti;
        const auto punti = static_cast<std::size_t>(conteggio.Presi(riga).Quanti());
        ++r.perPunti[punti];
        if (punti >= 2) {
            r.vincenti.push_back(indice);
            for (std::size_t k = 0; k < kPremi; ++k) r.premi[k] += kCombinazioni[punti][k];
        }
        ++indice;
        return true;
    });
    return r;
}

EsitoComposizione ComponiVerifiche(const VARIABILI& v, std::span<const VerificaRichiesta> richieste,
                                   const OpzioniConvertite& o, StampanteTesto& p) {
    using enum StatoStampa;
    try {
        StatoStampa s = p.ImpostaCarattere(o.carattere);
        if (s == Ok) s = p.ImpostaGrandezza(static_cast<float>(o.grandezza));
        if (s != Ok) return {s};
        std::vector<Resoconto> resoconti;
        for (const VerificaRichiesta& richiesta : richieste) {
            resoconti.push_back(Verifica(v, richiesta.estrazione));
        }
        const auto parole = [&] { return ParoleLarghe(v, richieste, resoconti); };
        if (const Spazio spazio = p.VerificaSpazio(o.margine, parole); spazio != Spazio::Ok) {
            return {Ok, spazio};
        }
        Testo testo(std::string(static_cast<std::size_t>(o.margine), ' '), p);
        for (std::size_t i = 0; i < richieste.size() && s == Ok; ++i) {
            if (i > 0) testo.Vuota();
            s = ScriviResoconto(v, richieste[i], resoconti[i], testo);
        }
        if (s == Ok) s = testo.Consegna();
        if (s == Ok) s = p.ChiudiDocumento();
        return {s};
    } catch (const std::bad_alloc&) {
        return {Fallita};
    }
}

}  // namespace elencario
