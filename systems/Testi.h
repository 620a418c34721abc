#pragma once

// Every text the program shows, exactly as the user sees it.

#include <string>

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

inline constexpr const char* kDomandaUscita = " Confermi uscita dal programma ?  ";
inline constexpr const char* kTitoloUscita = "            Fine Sessione";

}  // namespace elencario::testi
