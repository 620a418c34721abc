#include "printing/Impaginatore.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace elencario {

namespace {

using enum StatoStampa;

constexpr std::size_t kBlocco = 1 << 20;
constexpr std::size_t kRigheTraControlli = 512;
// A broken line keeps "   -" of the separator where it breaks, to show that it goes on.
constexpr std::size_t kFineSeparatore = 4;

std::size_t Spazi(std::string_view testo, std::size_t da) {
    while (da < testo.size() && testo[da] == ' ') ++da;
    return da;
}

bool InizioCarattere(std::string_view testo, std::size_t i) {
    return i >= testo.size() || (static_cast<unsigned char>(testo[i]) & 0xC0) != 0x80;
}

}  // namespace

Impaginatore::Impaginatore(std::unique_ptr<DispositivoPagine> dispositivo,
                           std::unique_ptr<Avanzamento> avanzamento)
    : dispositivo_(std::move(dispositivo)), avanzamento_(std::move(avanzamento)) {}

Impaginatore::~Impaginatore() {
    dispositivo_->Abbandona();
    if (iniziato_ && avanzamento_) avanzamento_->Fine();
}

bool Impaginatore::Continua() {
    if (!avanzamento_) return true;
    if (!iniziato_) {
        iniziato_ = true;
        avanzamento_->Inizio();
    }
    return avanzamento_->Continua();
}

StatoStampa Impaginatore::Interrompi(StatoStampa stato) {
    dispositivo_->Abbandona();
    // The progress goes before the caller says why the job stopped, never under its message.
    if (iniziato_ && avanzamento_) avanzamento_->Fine();
    iniziato_ = false;
    aperto_ = false;
    blocchi_.clear();
    linee_ = 0;
    guasto_ = stato;
    return stato;
}

StatoStampa Impaginatore::Prepara() {
    if (!tentato_) {
        tentato_ = true;
        preparato_ = dispositivo_->Prepara([this] { return Continua(); });
        if (preparato_ != Ok) Interrompi(preparato_);
    }
    return preparato_;
}

StatoStampa Impaginatore::Misura() {
    if (guasto_ != Ok) return guasto_;
    if (const StatoStampa stato = Prepara(); stato != Ok) return stato;
    if (!misurato_) {
        dispositivo_->Carattere(carattere_, punti_);
        misure_ = dispositivo_->Misure();
        spazio_ = dispositivo_->Larghezza(" ");
        misurato_ = true;
    }
    return Ok;
}

Spazio Impaginatore::VerificaSpazio(int margine, const RigheCandidate& righe) {
    // The failure shows at the first print, which the caller sends next.
    if (Misura() != Ok) return Spazio::Ok;
    if (!(misure_.altezzaRiga <= misure_.altezza)) return Spazio::CarattereTroppoGrande;
    double numero = 0;
    for (const std::string& r : righe()) numero = std::max(numero, dispositivo_->Larghezza(r));
    // Huge margins are measured as many single blanks, not as one huge text.
    const double spazi = spazio_ * margine;
    if (spazi + numero <= misure_.larghezza) return Spazio::Ok;
    return numero <= misure_.larghezza ? Spazio::MargineTroppoLargo : Spazio::CarattereTroppoGrande;
}

StatoStampa Impaginatore::ImpostaCarattere(const std::string& nome) {
    if (guasto_ != Ok) return guasto_;
    carattere_ = nome;
    misurato_ = false;
    return Ok;
}

StatoStampa Impaginatore::ImpostaGrandezza(float punti) {
    if (guasto_ != Ok) return guasto_;
    // A size no font can take leaves the previous one in force.
    if (punti > 0) punti_ = punti;
    misurato_ = false;
    return Ok;
}

StatoStampa Impaginatore::StampaRiga(std::string_view testo) {
    riga_.append(testo);
    return ACapo();
}

StatoStampa Impaginatore::Stampa(std::string_view testo) {
    if (guasto_ != Ok) return guasto_;
    riga_.append(testo);
    return Ok;
}

StatoStampa Impaginatore::ACapo() {
    if (const StatoStampa stato = Misura(); stato != Ok) return stato;
    const StatoStampa stato = Accoda(riga_, Spazi(riga_, 0), {});
    riga_.clear();
    if (stato != Ok) return stato;
    if (++righeDaControllo_ < kRigheTraControlli) return Ok;
    righeDaControllo_ = 0;
    return Continua() ? Ok : Interrompi(Interrotta);
}

StatoStampa Impaginatore::StampaRighe(const LottoRighe& lotto) {
    if (const StatoStampa stato = Misura(); stato != Ok) return stato;
    const std::string_view testo = lotto.testo;
    std::vector<std::size_t> separatori;
    std::size_t prossimo = 0;  // the first separator not yet handed on
    for (std::size_t inizio = 0; inizio < testo.size();) {
        const std::size_t fine = std::min(testo.find('\n', inizio), testo.size());
        separatori.clear();
        for (; prossimo < lotto.separatori.size() && lotto.separatori[prossimo] < fine;
             ++prossimo) {
            if (lotto.separatori[prossimo] >= inizio)
                separatori.push_back(lotto.separatori[prossimo] - inizio);
        }
        const StatoStampa stato =
            Accoda(testo.substr(inizio, fine - inizio), lotto.margine, separatori);
        if (stato != Ok) return stato;
        if (++righeDaControllo_ >= kRigheTraControlli) {
            righeDaControllo_ = 0;
            if (!Continua()) return Interrompi(Interrotta);
        }
        inizio = fine + 1;
    }
    return Ok;
}

void Impaginatore::Conserva(std::string_view linea) {
    if (blocchi_.empty() || blocchi_.back().capacity() - blocchi_.back().size() <= linea.size()) {
        blocchi_.emplace_back().reserve(std::max(kBlocco, linea.size() + 1));
    }
    blocchi_.back().append(linea).push_back('\n');
    ++linee_;
}

StatoStampa Impaginatore::Accoda(std::string_view riga, std::size_t margine,
                                 std::span<const std::size_t> separatori) {
    const double spazio = misure_.larghezza;
    if (dispositivo_->Larghezza(riga) <= spazio) {
        Conserva(riga);
        return Ok;
    }
    margine = std::min(margine, Spazi(riga, 0));
    if (dispositivo_->Larghezza(riga.substr(0, margine)) >= spazio) margine = 0;
    std::string resto(riga);
    std::vector<std::size_t> pausa(separatori.begin(), separatori.end());
    std::vector<std::size_t> confini;  // where a character of `resto` starts, and its end
    while (dispositivo_->Larghezza(resto) > spazio) {
        const std::size_t testo = Spazi(resto, 0);
        // The longest start of `resto` that fits, found among its characters' starts.
        confini.clear();
        for (std::size_t i = 0; i <= resto.size(); ++i) {
            if (InizioCarattere(resto, i)) confini.push_back(i);
        }
        std::size_t entra = 0;  // index in `confini`: fits
        std::size_t troppo = confini.size();
        while (troppo - entra > 1) {
            const std::size_t mezzo = entra + (troppo - entra) / 2;
            if (dispositivo_->Larghezza(std::string_view(resto).substr(0, confini[mezzo])) <=
                spazio) {
                entra = mezzo;
            } else {
                troppo = mezzo;
            }
        }
        const std::size_t entrano = confini[entra];
        std::size_t fine = 0;
        std::size_t ripresa = 0;
        const auto dopo = std::upper_bound(pausa.begin(), pausa.end(), entrano);
        if (dopo != pausa.begin() && dopo[-1] > testo) {
            const std::size_t s = dopo[-1];
            fine = s + kFineSeparatore <= entrano ? s + kFineSeparatore : s;
            ripresa = s + kSeparatore.size();
        } else if (const std::size_t b =
                       entrano < resto.size() ? resto.rfind(' ', entrano) : std::string::npos;
                   b != std::string::npos && b > testo) {
            fine = b;
            ripresa = Spazi(resto, b);
        } else {
            // A word wider than the whole line: cut, at a character's start.
            fine = std::max(entrano, testo + 1);
            while (!InizioCarattere(resto, fine)) ++fine;
            ripresa = fine;
        }
        Conserva(std::string_view(resto).substr(0, fine));
        if (ripresa >= resto.size()) return Ok;
        resto = std::string(margine, ' ') + resto.substr(ripresa);
        std::erase_if(pausa, [&](std::size_t s) { return s < ripresa; });
        for (std::size_t& s : pausa) s = s - ripresa + margine;
    }
    Conserva(resto);
    return Ok;
}

StatoStampa Impaginatore::ChiudiDocumento() {
    if (guasto_ != Ok) return guasto_;
    // A line left open is ended; if that stops the job, the job is stopped.
    if (!riga_.empty()) {
        if (const StatoStampa stato = ACapo(); stato != Ok) return stato;
    }
    if (linee_ == 0) return Ok;
    StatoStampa stato = Fallita;
    try {
        stato = Disegna();
    } catch (const std::bad_alloc&) {
        stato = Interrompi(Fallita);
    }
    blocchi_.clear();
    linee_ = 0;
    if (iniziato_ && avanzamento_) avanzamento_->Fine();
    iniziato_ = false;
    return stato;
}

StatoStampa Impaginatore::Disegna() {
    if (const StatoStampa stato = Misura(); stato != Ok) return stato;
    // A job that awaited nothing has not started yet: it starts before its first page is
    // announced.
    if (!Continua()) return Interrompi(Interrotta);
    // Every line is as tall as the font: so many fit on a page, the first one always.
    const double libero = misure_.altezza - misure_.altezzaRiga;
    const std::size_t perPagina =
        !(libero >= 0) || !(misure_.interlinea > 0)
            ? 1
            : 1 + static_cast<std::size_t>(std::min(std::floor(libero / misure_.interlinea), 1e15));
    const std::size_t pagine = (linee_ + perPagina - 1) / perPagina;
    const int pagineAnnunciate =
        static_cast<int>(std::min<std::size_t>(pagine, std::numeric_limits<int>::max()));
    aperto_ = true;
    if (const StatoStampa stato = dispositivo_->Inizia(); stato != Ok) return Interrompi(stato);
    int pagina = 1;
    if (avanzamento_) avanzamento_->Pagina(pagina, pagineAnnunciate);
    std::size_t suPagina = 0;
    for (const std::string& blocco : blocchi_) {
        for (std::size_t inizio = 0; inizio < blocco.size();) {
            const std::size_t fine = blocco.find('\n', inizio);
            if (suPagina == perPagina) {
                if (const StatoStampa stato = dispositivo_->NuovaPagina(); stato != Ok)
                    return Interrompi(stato);
                suPagina = 0;
                if (pagina < pagineAnnunciate) ++pagina;
                if (avanzamento_) avanzamento_->Pagina(pagina, pagineAnnunciate);
                if (!Continua()) return Interrompi(Interrotta);
            }
            if (fine > inizio) {
                const StatoStampa stato =
                    dispositivo_->Disegna(static_cast<double>(suPagina) * misure_.interlinea,
                                          std::string_view(blocco).substr(inizio, fine - inizio));
                if (stato != Ok) return Interrompi(stato);
            }
            ++suPagina;
            inizio = fine + 1;
        }
    }
    const StatoStampa stato = dispositivo_->Termina([this] { return Continua(); });
    if (stato != Ok) return Interrompi(stato);
    aperto_ = false;
    return Ok;
}

}  // namespace elencario
