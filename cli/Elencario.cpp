#include "cli/Elencario.h"

#include <optional>
#include <string_view>

#include "printing/FilePrinter.h"
#include "printing/Printout.h"
#include "systems/Messages.h"
#include "systems/Routines.h"
#include "systems/SystemReader.h"

namespace elencario {

namespace {

constexpr const char* kUso =
    "Uso: elencario [--nome] [--numeri] [--carattere NOME] [--grandezza N] [--colonne N]\n"
    "                [--margine N] [--pdf FILE | --stampa] SISTEMA\n"
    "\n"
    "Carica il sistema SISTEMA e ne scrive l'elenco sullo standard output.\n"
    "  --nome            stampa il nome del sistema nell'intestazione\n"
    "  --numeri          stampa i numeri in gioco\n"
    "  --carattere NOME  carattere di stampa (predefinito: Segoe UI)\n"
    "  --grandezza N     grandezza del carattere in punti (predefinita: 9)\n"
    "  --colonne N       combinazioni per riga (predefinite: 4)\n"
    "  --margine N       margine sinistro in spazi (predefinito: 12)\n"
    "  --pdf FILE        scrive l'elenco nel file PDF indicato\n"
    "  --stampa          invia l'elenco alla stampante predefinita\n"
    "  --help            mostra questo aiuto\n";

struct Richiesta {
    OpzioniStampa opzioni;
    std::string sistema;
    std::optional<std::string> pdf;
    bool stampa = false;
    bool aiuto = false;
};

void Scrivi(std::FILE* f, std::string_view testo) {
    std::fwrite(testo.data(), 1, testo.size(), f);
    std::fputc('\n', f);
}

// Reads the arguments; on bad usage gives nothing and sets `errore`.
std::optional<Richiesta> Interpreta(const std::vector<std::string>& argomenti,
                                    std::string& errore) {
    Richiesta r;
    bool soloFile = false;
    bool haFile = false;
    for (std::size_t i = 0; i < argomenti.size(); ++i) {
        const std::string& a = argomenti[i];
        std::string* valore = nullptr;
        if (!soloFile && a == "--") {
            soloFile = true;
            continue;
        }
        if (!soloFile && a.starts_with("--")) {
            if (a == "--nome") r.opzioni.nomeSistema = true;
            else if (a == "--numeri") r.opzioni.numeriInGioco = true;
            else if (a == "--stampa") r.stampa = true;
            else if (a == "--help") r.aiuto = true;
            else if (a == "--carattere") valore = &r.opzioni.carattere;
            else if (a == "--grandezza") valore = &r.opzioni.grandezza;
            else if (a == "--colonne") valore = &r.opzioni.colonneRiga;
            else if (a == "--margine") valore = &r.opzioni.margine;
            else if (a == "--pdf") valore = &r.pdf.emplace();
            else {
                errore = "Opzione sconosciuta: " + a;
                return std::nullopt;
            }
            if (valore != nullptr) {
                if (i + 1 == argomenti.size()) {
                    errore = "Manca il valore dell'opzione " + a;
                    return std::nullopt;
                }
                *valore = argomenti[++i];
            }
            continue;
        }
        if (haFile) {
            errore = "Indicare un solo sistema";
            return std::nullopt;
        }
        r.sistema = a;
        haFile = true;
    }
    if (r.aiuto) return r;
    if (!haFile || r.sistema.empty()) {
        errore = "Indicare il file del sistema";
        return std::nullopt;
    }
    if (r.pdf && r.stampa) {
        errore = "Le opzioni --pdf e --stampa si escludono a vicenda";
        return std::nullopt;
    }
    return r;
}

std::unique_ptr<TextPrinter> ScegliStampante(const Richiesta& r, std::FILE* out,
                                             const UsciteStampa& uscite, std::string& errore) {
    if (r.pdf) {
        if (!uscite.pdf) errore = "Questa versione non produce file PDF";
        else return uscite.pdf(*r.pdf);
    } else if (r.stampa) {
        if (!uscite.stampante) errore = "Questa versione non stampa su stampante";
        else return uscite.stampante();
    } else {
        return std::make_unique<FilePrinter>(out);
    }
    return nullptr;
}

}  // namespace

int EseguiElencario(const std::vector<std::string>& argomenti, std::FILE* out, std::FILE* err,
                    const UsciteStampa& uscite) {
    std::string errore;
    const auto richiesta = Interpreta(argomenti, errore);
    if (!richiesta) {
        Scrivi(err, errore);
        std::fputs(kUso, err);
        return kEsitoUso;
    }
    if (richiesta->aiuto) {
        std::fputs(kUso, out);
        return kEsitoOk;
    }
    const auto opzioni = ConvertiOpzioni(richiesta->opzioni, errore);
    if (!opzioni) {
        Scrivi(err, errore);
        return kEsitoUso;
    }

    VARIABILI v;
    const std::filesystem::path percorso = PercorsoDaTesto(richiesta->sistema);
    const std::string cartella =
        percorso.has_parent_path() ? TestoDaPercorso(percorso.parent_path()) : ".";
    if (const int e = CaricaSistema(v, cartella, TestoDaPercorso(percorso.filename())); e != 0) {
        Scrivi(err, MessaggioCaricamento(e));
        return kEsitoFallito;
    }
    if (v.TotCombinazioni < 1) {
        Scrivi(err, testi::kSelezionareSistema);
        return kEsitoFallito;
    }

    const auto stampante = ScegliStampante(*richiesta, out, uscite, errore);
    if (!stampante) {
        Scrivi(err, errore);
        return kEsitoUso;
    }
    PrinterStatus stato = stampante->Prepare();
    if (stato == PrinterStatus::Ok) stato = ComponiElencario(v, *opzioni, *stampante);
    if (stato != PrinterStatus::Ok) {
        Scrivi(err, stato == PrinterStatus::NoPrinter ? testi::kNessunaStampante
                                                       : testi::kErroreStampa);
        return kEsitoFallito;
    }
    return kEsitoOk;
}

}  // namespace elencario
