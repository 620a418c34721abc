#include "fuzz/ControlliCaricamento.h"

#include <algorithm>
#include <array>

#include "fuzz/ModelloRiferimento.h"
#include "fuzz/NormalizzaCampo.h"
#include "printing/ComposizioneElencario.h"
#include "systems/Conversione.h"
#include "systems/LetturaSistema.h"
#include "systems/Percorsi.h"
#include "tests/support/SorgenteMemoria.h"

namespace elencario {

namespace {

const std::string kCartella = "Sistemi";
const std::string kNomeFile = "prova.TXT";

// Counts the printed lines; everything else is thrown away.
class ContaRighe final : public StampanteTesto {
  public:
    StatoStampa ImpostaCarattere(const std::string&) override { return StatoStampa::Ok; }
    StatoStampa ImpostaGrandezza(float) override { return StatoStampa::Ok; }
    StatoStampa StampaRiga(std::string_view) override { return ACapo(); }
    StatoStampa Stampa(std::string_view) override { return StatoStampa::Ok; }
    StatoStampa ACapo() override {
        ++righe;
        return StatoStampa::Ok;
    }
    StatoStampa ChiudiDocumento() override {
        ++documenti;
        return StatoStampa::Ok;
    }
    std::int64_t righe = 0;
    int documenti = 0;
};

VARIABILI SistemaPrecedente() {
    VARIABILI v;
    v.PercorsoSistemi = kCartella + kSeparatoreCartelle;
    SorgenteMemoria sorgente("01 2 3\r\n45,90\r\n\"7 8\"\r\n");
    if (CaricaSistema(v, "Altri", "prima.txt", sorgente) != 0) std::abort();
    return v;
}

std::string ControllaRiuscito(const VARIABILI& v, std::string_view byte) {
    if (v.FileSistema != kCartella + kSeparatoreCartelle + kNomeFile)
        return "FileSistema sbagliato";
    if (v.TotCombinazioni < 0 ||
        static_cast<std::size_t>(v.TotCombinazioni) != v.Combinazioni.size()) {
        return "TotCombinazioni diverso dal numero di righe";
    }
    // Every field ends at a comma, a line end or the end of the file.
    const auto fineCampo = [](char c) { return c == ',' || c == '\r' || c == '\n'; };
    const auto campi = std::count_if(byte.begin(), byte.end(), fineCampo) + 1;
    if (v.TotCombinazioni > campi) return "più righe che campi";

    std::array<std::int16_t, kNumeroMassimo + 1> visti{};
    std::size_t testo = 0;
    for (std::size_t i = 0; i < v.Combinazioni.size(); ++i) {
        const std::string_view riga = v.Combinazioni[i];
        testo += riga.size();
        if (NormalizzaCampo(riga) != riga) return "riga non normalizzata";
        // Only a quoted field of blanks can give an empty row.
        if (riga.empty()) {
            if (byte.find('"') == std::string_view::npos) return "riga vuota senza virgolette";
            continue;
        }
        std::size_t inizio = 0;
        for (;;) {
            const std::size_t spazio = riga.find(' ', inizio);
            const std::string_view pezzo = riga.substr(inizio, spazio - inizio);
            std::int16_t n = 0;
            if (ConvertiIntero16(pezzo, n) != 0 || n < 1 || n > kNumeroMassimo) {
                return "riga accettata con un pezzo che non è un numero da 1 a 90";
            }
            visti[static_cast<std::size_t>(n)] = 1;
            if (spazio == std::string_view::npos) break;
            inizio = spazio + 1;
        }
    }
    if (testo > byte.size()) return "righe più lunghe del file";
    if (v.NumeriGioco != visti) return "NumeriGioco non corrisponde ai numeri delle righe";
    if (v.TotNumeri != std::count(visti.begin(), visti.end(), 1)) {
        return "TotNumeri diverso dai numeri in gioco";
    }

    ContaRighe stampante;
    std::string rifiuto;
    const auto opzioni = ConvertiOpzioni(OpzioniStampa{}, rifiuto);
    if (!opzioni || ComponiElencario(v, *opzioni, stampante) != StatoStampa::Ok ||
        stampante.documenti != 1) {
        return "stampa non riuscita";
    }
    // Two empty lines, the header, two empty lines, then four rows to a printed line.
    if (stampante.righe != 5 + (v.TotCombinazioni + 3) / 4) return "righe stampate sbagliate";
    return {};
}

struct Esito {
    int errore;
    VARIABILI v;
    bool apertoDopo;
};

Esito Carica(const VARIABILI& precedente, std::string_view byte, std::size_t maxRead,
             LimitiCaricamento limiti) {
    Esito e{0, precedente, false};
    SorgenteMemoria sorgente{std::string(byte), maxRead};
    e.errore = CaricaSistema(e.v, kCartella, kNomeFile, sorgente, limiti);
    e.apertoDopo = sorgente.Aperta();
    return e;
}

}  // namespace

std::string ControllaCaricamento(std::string_view byte) {
    static const VARIABILI precedente = SistemaPrecedente();

    const Esito intero = Carica(precedente, byte, SorgenteMemoria::kNever, {});
    if (intero.apertoDopo) return "file lasciato aperto";
    if (intero.errore != 0) {
        // Memory is plentiful and the source never fails: only the content can be at fault.
        const std::array attesi{kErroreOverflow, kErroreIndice, kErroreTipo};
        if (std::find(attesi.begin(), attesi.end(), intero.errore) == attesi.end()) {
            return "errore inatteso " + std::to_string(intero.errore);
        }
        if (intero.v != precedente) return "caricamento fallito ma stato cambiato";
    } else if (std::string guasto = ControllaRiuscito(intero.v, byte); !guasto.empty()) {
        return guasto;
    }

    // The plain model of the format must agree on the outcome and, on success, on everything.
    const EsitoRiferimento modello = CaricaRiferimento(byte);
    if (modello.errore != intero.errore) {
        return "errore " + std::to_string(intero.errore) + ", il modello dà " +
               std::to_string(modello.errore);
    }
    if (intero.errore == 0) {
        std::vector<std::string> righe;
        for (std::size_t i = 0; i < intero.v.Combinazioni.size(); ++i) {
            righe.emplace_back(intero.v.Combinazioni[i]);
        }
        if (righe != modello.righe) return "righe diverse dal modello";
        if (intero.v.NumeriGioco != modello.numeri) return "numeri diversi dal modello";
    }

    const Esito unByte = Carica(precedente, byte, 1, {});
    if (unByte.errore != intero.errore || unByte.v != intero.v) {
        return "letture di un byte danno un altro esito";
    }

    // A limit below what the rows need: either the same outcome, or error 7 and nothing lost.
    const Esito limitato =
        Carica(precedente, byte, SorgenteMemoria::kNever, LimitiCaricamento{byte.size() / 2 + 16});
    if (limitato.apertoDopo) return "file lasciato aperto dopo il limite di memoria";
    const bool uguale = limitato.errore == intero.errore && limitato.v == intero.v;
    const bool memoria = limitato.errore == kErroreMemoria && limitato.v == precedente;
    if (!uguale && !memoria) return "il limite di memoria cambia l'esito";
    return {};
}

}  // namespace elencario
