#include "printing/Printout.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

#include "systems/Conversione.h"
#include "systems/Messages.h"
#include "systems/Routines.h"

namespace elencario {

namespace {

// With its NUL, eight bytes: one move.
constexpr char kSeparatoreMosso[] = "   -   ";
constexpr std::string_view kSeparatore(kSeparatoreMosso, sizeof kSeparatoreMosso - 1);
constexpr int kNumeriPerRiga = 30;

std::string Intestazione(const VARIABILI& v, const OpzioniConvertite& o,
                         const std::string& margine) {
    std::string riga = margine;
    if (o.nomeSistema) {
        riga += NomeSistema(v.FileSistema);
        riga += " -  Numeri: ";
    } else {
        riga += "Numeri: ";
    }
    riga += std::to_string(v.TotNumeri);
    riga += " - Combinazioni: ";
    riga += std::to_string(v.TotCombinazioni);
    return riga;
}

PrinterStatus NumeriInGioco(const VARIABILI& v, const std::string& margine, TextPrinter& p) {
    using enum PrinterStatus;
    PrinterStatus s = p.PrintAndEndLine(margine + "IN GIOCO:");
    if (s == Ok) s = p.PrintAndStay(margine);
    int stampati = 0;
    for (int n = 1; n <= kNumeroMassimo && s == Ok; ++n) {
        if (v.NumeriGioco[static_cast<std::size_t>(n)] != 1) continue;
        ++stampati;
        const char numero[] = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10),
                               ' '};
        s = p.PrintAndStay(std::string_view(numero, 3));
        if (s == Ok && stampati % kNumeriPerRiga == 0) {
            s = p.EndLine();
            if (s == Ok) s = p.PrintAndStay(margine);
        }
    }
    for (int i = 0; i < 3 && s == Ok; ++i) s = p.EndLine();
    return s;
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

// The grid's lines, written through a pointer into a buffer that always has room for one more
// row, separator and line end, and handed to the printer many lines at a time.
class Righe {
  public:
    Righe(std::string_view margine, TextPrinter& p) : margine_(margine), p_(p) {
        Cresci(kLotto);
        Apri();
    }

    // Adds a row and a separator after it: the line's last one is taken back when it ends.
    void Aggiungi(std::string_view t) {
        if (Libero() < t.size() + sizeof kSeparatoreMosso) Cresci(t.size());
        Copia(scrivi_, t.data(), t.size());
        // The NUL lands on the room kept for the line end.
        std::memcpy(scrivi_ + t.size(), kSeparatoreMosso, sizeof kSeparatoreMosso);
        scrivi_ += t.size() + kSeparatore.size();
    }
    // Ends the line under way, its text trimmed after the margin; sends the lines ended so far
    // once there are enough of them.
    PrinterStatus Chiudi() {
        scrivi_ -= kSeparatore.size();
        char* const testo = testo_.data() + riga_ + margine_.size();
        while (scrivi_ > testo && scrivi_[-1] == ' ') --scrivi_;
        const char* inizio = testo;
        while (inizio < scrivi_ && *inizio == ' ') ++inizio;
        if (inizio > testo) {
            std::memmove(testo, inizio, static_cast<std::size_t>(scrivi_ - inizio));
            scrivi_ -= inizio - testo;
        }
        *scrivi_++ = '\n';
        PrinterStatus s = PrinterStatus::Ok;
        if (Scritti() >= kLotto) {
            s = p_.PrintLines({testo_.data(), Scritti()});
            scrivi_ = testo_.data();
        }
        Apri();
        return s;
    }
    // Sends the lines ended and not sent yet, once the last is.
    PrinterStatus Finisci() {
        return riga_ == 0 ? PrinterStatus::Ok : p_.PrintLines({testo_.data(), riga_});
    }

  private:
    static constexpr std::size_t kLotto = 64 * 1024;

    [[nodiscard]] std::size_t Scritti() const {
        return static_cast<std::size_t>(scrivi_ - testo_.data());
    }
    [[nodiscard]] std::size_t Libero() const {
        return static_cast<std::size_t>(testo_.data() + testo_.size() - scrivi_);
    }
    // Makes room for `byte` more, then a separator (or a line end).
    void Cresci(std::size_t byte) {
        const std::size_t scritti = testo_.empty() ? 0 : Scritti();
        testo_.resize(std::max(2 * testo_.size(), scritti + byte + sizeof kSeparatoreMosso));
        scrivi_ = testo_.data() + scritti;
    }
    // Starts a line with its margin.
    void Apri() {
        riga_ = Scritti();
        if (Libero() < margine_.size() + sizeof kSeparatoreMosso) Cresci(margine_.size());
        Copia(scrivi_, margine_.data(), margine_.size());
        scrivi_ += margine_.size();
    }

    std::string testo_;
    std::string_view margine_;
    TextPrinter& p_;
    std::size_t riga_ = 0;  // where the line under way starts
    char* scrivi_ = nullptr;
};

PrinterStatus Griglia(const VARIABILI& v, const OpzioniConvertite& o, const std::string& margine,
                      TextPrinter& p) {
    std::size_t restanti =
        std::min(static_cast<std::size_t>(std::max(v.TotCombinazioni, 0)), v.Combinazioni.size());
    if (restanti == 0) return PrinterStatus::Ok;
    // A negative count splits like its magnitude: i % -4 is 0 where i % 4 is.
    const std::size_t perRiga = static_cast<std::size_t>(std::abs(int{o.colonneRiga}));
    Righe righe(margine, p);
    std::size_t nellaRiga = perRiga;  // rows still to come in the line under way
    PrinterStatus s = PrinterStatus::Ok;
    v.Combinazioni.PerOgni([&](std::string_view combinazione) {
        righe.Aggiungi(combinazione);
        --restanti;
        if (--nellaRiga != 0 && restanti != 0) return true;
        nellaRiga = perRiga;
        s = righe.Chiudi();
        return s == PrinterStatus::Ok && restanti != 0;
    });
    return s == PrinterStatus::Ok ? righe.Finisci() : s;
}

// The listing's lines, the font already set.
PrinterStatus Componi(const VARIABILI& v, const OpzioniConvertite& o, TextPrinter& p) {
    const std::string margine(static_cast<std::size_t>(o.margine), ' ');
    using enum PrinterStatus;
    PrinterStatus s = p.EndLine();
    if (s == Ok) s = p.EndLine();
    if (s == Ok) s = p.PrintAndEndLine(Intestazione(v, o, margine));
    if (s == Ok) s = p.EndLine();
    if (s == Ok) s = p.EndLine();
    if (s == Ok && o.numeriInGioco) s = NumeriInGioco(v, margine, p);
    if (s == Ok) s = Griglia(v, o, margine, p);
    if (s == Ok) s = p.EndDocument();
    return s;
}

}  // namespace

std::optional<OpzioniConvertite> ConvertiOpzioni(const OpzioniStampa& opzioni,
                                                 std::string& messaggio) {
    OpzioniConvertite convertite;
    convertite.carattere = opzioni.carattere;
    convertite.nomeSistema = opzioni.nomeSistema;
    convertite.numeriInGioco = opzioni.numeriInGioco;
    struct Controllo {
        const std::string& testo;
        std::int16_t& valore;
        bool (*valido)(std::int16_t);
        const char* rifiuto;
    };
    // A negative count per line splits the grid like its magnitude (i % -4 is 0 where i % 4
    // is): only 0 has no meaning.
    const Controllo controlli[] = {
        {opzioni.colonneRiga, convertite.colonneRiga, [](std::int16_t n) { return n != 0; },
         testi::kColonneNonValide},
        {opzioni.grandezza, convertite.grandezza, [](std::int16_t n) { return n >= 1; },
         testi::kGrandezzaNonValida},
        {opzioni.margine, convertite.margine, [](std::int16_t n) { return n >= 0; },
         testi::kMargineNonValido},
    };
    for (const Controllo& c : controlli) {
        if (ConvertiIntero16(c.testo, c.valore) != 0 || !c.valido(c.valore)) {
            messaggio = c.rifiuto;
            return std::nullopt;
        }
    }
    return convertite;
}

const char* RifiutoSpazio(Spazio spazio) {
    switch (spazio) {
        case Spazio::MargineTroppoLargo:
            return testi::kMargineNonValido;
        case Spazio::CarattereTroppoGrande:
            return testi::kGrandezzaNonValida;
        case Spazio::Ok:
            break;
    }
    return "";
}

std::vector<std::string> RighePiuLarghe(const VARIABILI& v) {
    // By trimmed length, the first row with most non-blank characters.
    struct Scelta {
        std::string_view riga;
        std::size_t pieni = 0;
        bool presa = false;
    };
    std::vector<Scelta> perLunghezza;
    auto restanti = static_cast<std::size_t>(std::max(v.TotCombinazioni, 0));
    v.Combinazioni.PerOgni([&](std::string_view riga) {
        if (restanti == 0) return false;
        --restanti;
        const auto pieni = static_cast<std::size_t>(
            std::count_if(riga.begin(), riga.end(), [](char c) { return c != ' '; }));
        if (riga.size() >= perLunghezza.size()) perLunghezza.resize(riga.size() + 1);
        Scelta& scelta = perLunghezza[riga.size()];
        if (!scelta.presa || pieni > scelta.pieni) scelta = {riga, pieni, true};
        return true;
    });
    std::vector<std::string> righe;
    for (const Scelta& scelta : perLunghezza) {
        if (scelta.presa) righe.emplace_back(scelta.riga);
    }
    return righe;
}

EsitoComposizione ComponiElencario(const VARIABILI& v, const OpzioniConvertite& o, TextPrinter& p) {
    using enum PrinterStatus;
    try {
        PrinterStatus s = p.SetFontName(o.carattere);
        if (s == Ok) s = p.SetFontSize(static_cast<float>(o.grandezza));
        if (s != Ok) return {s};
        if (const Spazio spazio = p.VerificaSpazio(o.margine, [&v] { return RighePiuLarghe(v); });
            spazio != Spazio::Ok) {
            return {Ok, spazio};
        }
        return {Componi(v, o, p)};
    } catch (const std::bad_alloc&) {
        return {PrintError};
    }
}

EsitoStampa StampaElencario(const VARIABILI& v, const OpzioniStampa& opzioni,
                            MessageService& messaggi, TextPrinter& stampante) {
    if (v.TotCombinazioni < 1) {
        messaggi.Ask(ErrorBox(testi::kSelezionareSistema));
        return EsitoStampa::NessunSistema;
    }
    const MessageRequest conferma{testi::kConfermiStampa, Buttons::YesNo, Icon::None,
                                  DefaultButton::First, std::nullopt};
    if (messaggi.Ask(conferma) != Answer::Yes) return EsitoStampa::Annullato;

    std::string rifiuto;
    const auto convertite = ConvertiOpzioni(opzioni, rifiuto);
    if (!convertite) {
        messaggi.Ask(ErrorBox(rifiuto));
        return EsitoStampa::OpzioneNonValida;
    }
    EsitoComposizione esito{stampante.Prepare()};
    if (esito.stato == PrinterStatus::Ok) esito = ComponiElencario(v, *convertite, stampante);
    if (esito.spazio != Spazio::Ok) {
        messaggi.Ask(ErrorBox(RifiutoSpazio(esito.spazio)));
        return EsitoStampa::OpzioneNonValida;
    }
    switch (esito.stato) {
        case PrinterStatus::Ok:
            return EsitoStampa::Stampato;
        case PrinterStatus::Cancelled:
            return EsitoStampa::Interrotto;
        case PrinterStatus::NoPrinter:
            messaggi.Ask(ErrorBox(testi::kNessunaStampante));
            return EsitoStampa::NessunaStampante;
        case PrinterStatus::PrintError:
            break;
    }
    messaggi.Ask(ErrorBox(testi::kErroreStampa));
    return EsitoStampa::ErroreStampa;
}

}  // namespace elencario
