#pragma once

// Every text the program shows, exactly as the user sees it.

#include <string>
#include <string_view>

namespace elencario::testi {

inline constexpr const char* kTitoloProgramma = "STAMPA ELENCARIO";
inline constexpr const char* kCaptionFinestra = "   STAMPA ELENCARIO - by Vorlix";

inline constexpr const char* kNonTrovoSistemi = " Non trovo Shared\\Sistemi ..! ";
inline constexpr const char* kCartellaNonAccessibile = "Cartella non accessibile ..! ";
inline constexpr const char* kNessunSistemaCaricato = "Nessun sistema caricato";

inline constexpr const char* kFileNonCompatibile = "File non compatibile ..! ";
inline constexpr const char* kFileNonTrovato = "File non trovato ..! ";
inline constexpr const char* kErroreGenerico = "Si è verificato l' errore: ";

inline constexpr const char* kSelezionareSistema = "Selezionare un Sistema ..! ";
inline constexpr const char* kConfermiStampa = "Confermi la stampa ? ";
inline constexpr const char* kGrandezzaNonValida = "Grandezza carattere non valida ..! ";
inline constexpr const char* kColonneNonValide = "Colonne Riga non valide ..! ";
inline constexpr const char* kMargineNonValido = "Margine Sx non valido ..! ";
inline constexpr const char* kNessunaStampante = "Nessuna stampante disponibile ..! ";
inline constexpr const char* kErroreStampa = "Errore di stampa ..! ";

// The progress of a job, in its window and on the command's terminal.
inline constexpr const char* kStampaInCorso = "Stampa in corso…";
inline constexpr const char* kAnnulla = "Annulla";
[[nodiscard]] inline std::string PaginaDi(int pagina, int pagine) {
    return "Pagina " + std::to_string(pagina) + " di " + std::to_string(pagine);
}

// The listing's header line (after the system's name, when it is printed) and the heading of
// the numbers in play.
inline constexpr const char* kDopoNomeNumeri = " -  Numeri: ";
inline constexpr const char* kNumeri = "Numeri: ";
inline constexpr const char* kDopoNumeriCombinazioni = " - Combinazioni: ";
inline constexpr const char* kInGioco = "IN GIOCO:";

// The job's name in the print queue, and the PDF's title.
inline constexpr const char* kNomeLavoro = "Stampa Elencario";

// What an output that cannot write says: `cosa` is IlFilePdf or the output's own name.
[[nodiscard]] inline std::string IlFilePdf(std::string_view percorso) {
    return "il file PDF " + std::string(percorso);
}
inline constexpr const char* kErroreDiScrittura = "errore di scrittura";
[[nodiscard]] inline std::string ImpossibileScrivere(std::string_view cosa,
                                                     std::string_view motivo) {
    return "Impossibile scrivere " + std::string(cosa) + ": " + std::string(motivo);
}
// A printer named that the system does not have; `conFile` when it was to print into a file.
[[nodiscard]] inline std::string StampanteNonInstallata(std::string_view stampante, bool conFile) {
    return "La stampante " + std::string(stampante) + " non è installata" +
           (conFile ? ": il file non viene scritto" : "");
}

inline constexpr const char* kDomandaUscita = " Confermi uscita dal programma ?  ";
inline constexpr const char* kTitoloUscita = "            Fine Sessione";

}  // namespace elencario::testi
