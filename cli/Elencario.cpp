#include "cli/Elencario.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>

#include "cli/ScritturaTesto.h"
#include "cli/Terminale.h"
#include "cli/TestiComando.h"
#include "printing/ComposizioneElencario.h"
#include "printing/StampanteFile.h"
#include "systems/LetturaSistema.h"
#include "systems/MotiviErrore.h"
#include "systems/Percorsi.h"
#include "systems/Testi.h"
#include "verifica/ArchivioEstrazioni.h"
#include "verifica/Estrazione.h"
#include "verifica/TestiVerifica.h"
#include "verifica/Verifica.h"

namespace elencario {

namespace {

struct Richiesta {
    OpzioniStampa opzioni;
    std::string sistema;
    std::string pdf;
    bool haPdf = false;
    bool stampa = false;
    bool aiuto = false;
    bool haStampante = false;
    std::optional<std::string> copie;
    SceltaStampante scelta;
    std::optional<std::string> verifica;
    std::optional<std::string> estrazioni;
    std::optional<std::string> data;
    std::optional<std::string> ruota;
    // The listing's own options that the user gave.
    std::vector<std::string> soloElenco;

    [[nodiscard]] bool Verifica() const { return verifica || estrazioni; }
};

void Scrivi(std::FILE* f, std::string_view testo) {
    ScriviTesto(f, std::string(testo) + '\n');
}

// The number of copies `testo` asks for, in `copie`: digits only, from 1 to kCopieMassime.
bool LeggiCopie(std::string_view testo, int& copie) {
    if (testo.empty() || !std::ranges::all_of(testo, [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const std::size_t cifre = testo.find_first_not_of('0');
    // Leading zeros aside, more than two digits is past the largest number.
    if (cifre == std::string_view::npos || testo.size() - cifre > 2) return false;
    int valore = 0;
    for (const char c : testo.substr(cifre)) valore = valore * 10 + (c - '0');
    if (valore > kCopieMassime) return false;
    copie = valore;
    return true;
}

// Reads the arguments; on bad usage gives nothing and sets `errore`.
std::optional<Richiesta> Interpreta(const std::vector<std::string>& argomenti,
                                    const UsciteStampa& uscite, std::string& errore) {
    Richiesta r;
    const std::pair<std::string_view, bool*> interruttori[] = {
        {"--nome", &r.opzioni.nomeSistema},
        {"--numeri", &r.opzioni.numeriInGioco},
        {"--stampa", &r.stampa},
        {"--pdf", &r.haPdf},
        {"--stampante", &r.haStampante},
        {"--help", &r.aiuto}};
    const std::pair<std::string_view, std::string*> valori[] = {
        {"--carattere", &r.opzioni.carattere},
        {"--grandezza", &r.opzioni.grandezza},
        {"--colonne", &r.opzioni.colonneRiga},
        {"--margine", &r.opzioni.margine},
        {"--pdf", &r.pdf},
        {"--stampante", &r.scelta.nome}};
    const std::pair<std::string_view, std::optional<std::string>*> facoltativi[] = {
        {"--verifica", &r.verifica},
        {"--estrazioni", &r.estrazioni},
        {"--data", &r.data},
        {"--ruota", &r.ruota},
        {"--copie", &r.copie}};
    constexpr std::string_view kSoloElenco[] = {"--nome", "--numeri", "--colonne"};
    std::vector<std::string> file;
    bool soloFile = false;
    for (std::size_t i = 0; i < argomenti.size(); ++i) {
        const std::string& a = argomenti[i];
        if (!soloFile && a == "-h") {
            r.aiuto = true;
            continue;
        }
        if (soloFile || !a.starts_with("--")) {
            file.push_back(a);
            continue;
        }
        if (a == "--") {
            soloFile = true;
            continue;
        }
        bool nota = false;
        for (const auto& [nome, acceso] : interruttori) {
            if (a == nome) *acceso = nota = true;
        }
        const auto valore = [&](auto* destinazione) {
            if (i + 1 == argomenti.size()) {
                errore = testi::ValoreMancante(a);
                return false;
            }
            *destinazione = argomenti[++i];
            return nota = true;
        };
        for (const auto& [nome, destinazione] : valori) {
            if (a == nome && !valore(destinazione)) return std::nullopt;
        }
        for (const auto& [nome, destinazione] : facoltativi) {
            if (a == nome && !valore(destinazione)) return std::nullopt;
        }
        if (std::ranges::find(kSoloElenco, a) != std::end(kSoloElenco)) r.soloElenco.push_back(a);
        if (!nota) {
            errore = testi::OpzioneSconosciuta(a);
            return std::nullopt;
        }
    }
    if (r.aiuto) return r;
    if (file.size() != 1 || file[0].empty()) {
        errore = file.size() > 1 ? testi::kUnSoloSistema : testi::kIndicareSistema;
        return std::nullopt;
    }
    r.sistema = file[0];
    // A printer named is a printer to print on.
    r.stampa = r.stampa || r.haStampante;
    if (r.verifica && r.estrazioni) {
        errore = testi::SiEscludono("--verifica", "--estrazioni");
    } else if (!r.estrazioni && (r.data || r.ruota)) {
        errore = testi::SoloConEstrazioni(r.data ? "--data" : "--ruota");
    } else if (r.estrazioni && !r.data) {
        errore = testi::kMancaData;
    } else if (r.Verifica() && !r.soloElenco.empty()) {
        errore = testi::SoloPerElenco(r.soloElenco.front());
    } else if (r.haPdf && r.stampa) {
        errore = testi::SiEscludono("--pdf", r.haStampante ? "--stampante" : "--stampa");
    } else if (r.haStampante && (r.scelta.nome.empty() || r.scelta.nome.starts_with("--"))) {
        errore = testi::ValoreMancante("--stampante");
    } else if (r.copie && !r.stampa) {
        errore = r.haPdf ? testi::kCopieSuPdf : testi::kCopieSenzaStampa;
    } else if (r.copie && !LeggiCopie(*r.copie, r.scelta.copie)) {
        errore = testi::CopieNonValide(*r.copie);
    } else if (r.haPdf && (r.pdf.empty() || r.pdf.starts_with("--"))) {
        errore = testi::ValoreMancante("--pdf");
    } else if (r.haPdf && !uscite.pdf) {
        errore = testi::kSenzaPdf;
    } else if (r.stampa && !uscite.stampante) {
        errore = testi::kSenzaStampante;
    } else {
        return r;
    }
    return std::nullopt;
}

// The printer the request asks for; none when it cannot be had.
std::unique_ptr<StampanteTesto> ScegliStampante(const Richiesta& r, std::FILE* uscita,
                                                const UsciteStampa& uscite) {
    if (r.haPdf) return uscite.pdf(r.pdf);
    if (r.stampa) return uscite.stampante(r.scelta);
    // Through ScriviTesto, as the messages: a Windows console shows the accents of the name.
    return std::make_unique<StampanteFile>(uscita, ScriviTesto);
}

// Why the PDF file must not be written, or nothing when it may: it would replace the system
// being read (whatever links lead to either), something that is not a regular file (a device,
// a pipe, a folder), or a file of another kind; on standard output, a terminal.
std::string RifiutoPdf(const std::string& pdf, const std::string& sistema, std::FILE* uscita) {
    if (pdf == kUscitaStandard) {
        return Terminale(uscita) ? testi::kPdfSulTerminale : std::string();
    }
    const std::filesystem::path file = PercorsoDaTesto(pdf);
    std::error_code e;
    if (!std::filesystem::exists(file, e)) return {};
    if (std::filesystem::equivalent(file, PercorsoDaTesto(sistema), e)) {
        return testi::PdfSulSistema(pdf);
    }
    if (const std::string tipo = MotivoNonFile(std::filesystem::status(file, e).type());
        !tipo.empty()) {
        return testi::PdfNonScrivibile(pdf, tipo);
    }
    std::ifstream in(file, std::ios::binary);
    char inizio[5] = {};
    in.read(inizio, sizeof inizio);
    if (in.gcount() == 0 && std::filesystem::file_size(file, e) == 0) return {};
    if (std::string_view(inizio, static_cast<std::size_t>(in.gcount())) == "%PDF-") return {};
    return testi::NonUnPdf(pdf);
}

using Composizione = std::function<EsitoComposizione(StampanteTesto&)>;

// Sends what `componi` writes (the listing or the report) to the printer the request asks for
// and gives the command's status.
int Stampa(const Richiesta& r, const Composizione& componi, std::FILE* uscita, std::FILE* errori,
           const UsciteStampa& uscite) {
    std::unique_ptr<StampanteTesto> stampante;
    EsitoComposizione esito{StatoStampa::SenzaStampante};
    try {
        stampante = ScegliStampante(r, uscita, uscite);
        if (stampante) esito = {stampante->Prepara()};
        if (esito.stato == StatoStampa::Ok) esito = componi(*stampante);
    } catch (const std::bad_alloc&) {
        esito = {StatoStampa::Fallita};
    }
    // Standard error says what the printer said of its failure, where it said anything; a
    // printer asked for by name and not found is named.
    std::string spiegazione = stampante ? stampante->Errore() : std::string();
    if (spiegazione.empty() && esito.stato == StatoStampa::SenzaStampante &&
        !r.scelta.nome.empty()) {
        spiegazione = testi::kNessunaStampante + r.scelta.nome;
    }
    const std::string messaggio = MessaggioEsito(esito, spiegazione);
    if (!messaggio.empty()) Scrivi(errori, messaggio);
    if (esito.spazio != Spazio::Ok) return kEsitoUso;
    switch (esito.stato) {
        case StatoStampa::Ok:
            return kEsitoOk;
        case StatoStampa::Interrotta:
            return kEsitoInterrotto;
        case StatoStampa::SenzaStampante:
        case StatoStampa::Fallita:
            break;
    }
    return kEsitoFallito;
}

// The text of the archive `file`, read whole; nothing when it cannot be read, with `errore` saying
// why.
std::optional<std::string> LeggiArchivio(const std::string& file, std::string& errore) {
    const std::filesystem::path percorso = PercorsoDaTesto(file);
    std::error_code e;
    // Only a regular file has an end: a device or a pipe could keep the command waiting.
    if (const std::string tipo = MotivoNonFile(std::filesystem::status(percorso, e).type());
        !tipo.empty()) {
        errore = testi::ArchivioIllegibile(file, tipo);
        return std::nullopt;
    }
    errno = 0;
    std::ifstream in(percorso, std::ios::binary);
    std::string testo;
    if (in) testo.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        errore = testi::ArchivioIllegibile(file, MotivoErrore(errno != 0 ? errno : EIO));
        return std::nullopt;
    }
    return testo;
}

// The draws the request asks to check the system against; nothing, with `errore` and `stato`
// set, when there are none.
std::optional<std::vector<VerificaRichiesta>> Estrazioni(const Richiesta& r, std::string& errore,
                                                         int& stato) {
    stato = kEsitoUso;
    if (r.verifica) {
        const auto estrazione = LeggiEstrazione(*r.verifica, errore);
        if (!estrazione) return std::nullopt;
        return std::vector<VerificaRichiesta>{{{}, *estrazione}};
    }
    if (!DataValida(*r.data)) {
        errore = testi::DataNonValida(*r.data);
        return std::nullopt;
    }
    if (r.ruota && !RuotaValida(*r.ruota)) {
        errore = testi::RuotaNonValida(*r.ruota);
        return std::nullopt;
    }
    stato = kEsitoFallito;
    const auto archivio = LeggiArchivio(*r.estrazioni, errore);
    if (!archivio) return std::nullopt;
    const auto trovate = CercaEstrazioni(*archivio, *r.data, r.ruota.value_or(""), errore);
    if (!trovate) return std::nullopt;
    std::vector<VerificaRichiesta> richieste;
    for (const EstrazioneRuota& e : *trovate) {
        richieste.push_back({testi::IntestazioneRuota(e.ruota, e.data), e.numeri});
    }
    return richieste;
}

}  // namespace

int EseguiElencario(const std::vector<std::string>& argomenti, std::FILE* uscita, std::FILE* errori,
                    const UsciteStampa& uscite) {
    std::string errore;
    const auto richiesta = Interpreta(argomenti, uscite, errore);
    if (!richiesta) {
        Scrivi(errori, errore);
        ScriviTesto(errori, testi::Uso());
        return kEsitoUso;
    }
    if (richiesta->aiuto) {
        const bool scritto = ScriviTesto(uscita, testi::Uso());
        if (scritto && std::fflush(uscita) == 0 && std::ferror(uscita) == 0) return kEsitoOk;
        Scrivi(errori, testi::AiutoNonScritto(MotivoErrore(errno)));
        return kEsitoFallito;
    }
    const auto opzioni = ConvertiOpzioni(richiesta->opzioni, errore);
    if (!opzioni) {
        Scrivi(errori, errore);
        return kEsitoUso;
    }
    if (richiesta->haPdf) errore = RifiutoPdf(richiesta->pdf, richiesta->sistema, uscita);
    if (!errore.empty()) {
        Scrivi(errori, errore);
        return kEsitoUso;
    }
    std::vector<VerificaRichiesta> verifiche;
    if (richiesta->Verifica()) {
        int stato = kEsitoOk;
        auto estrazioni = Estrazioni(*richiesta, errore, stato);
        if (!estrazioni) {
            Scrivi(errori, errore);
            return stato;
        }
        verifiche = std::move(*estrazioni);
    }

    if ((richiesta->haPdf || richiesta->stampa) && uscite.prepara) uscite.prepara();
    VARIABILI v;
    const std::filesystem::path percorso = PercorsoDaTesto(richiesta->sistema);
    const std::string cartella =
        percorso.has_parent_path() ? TestoDaPercorso(percorso.parent_path()) : ".";
    if (const int e = CaricaSistema(v, cartella, TestoDaPercorso(percorso.filename())); e != 0) {
        Scrivi(errori, MessaggioCaricamento(e));
        return kEsitoFallito;
    }
    if (v.TotCombinazioni < 1) {
        Scrivi(errori, testi::kSelezionareSistema);
        return kEsitoFallito;
    }

    if (!richiesta->Verifica()) {
        return Stampa(
            *richiesta, [&](StampanteTesto& p) { return ComponiElencario(v, *opzioni, p); }, uscita,
            errori, uscite);
    }
    OpzioniConvertite resoconto = *opzioni;
    // On standard output the report is plain text, with no margin.
    if (!richiesta->haPdf && !richiesta->stampa) resoconto.margine = 0;
    return Stampa(
        *richiesta, [&](StampanteTesto& p) { return ComponiVerifiche(v, verifiche, resoconto, p); },
        uscita, errori, uscite);
}

}  // namespace elencario
