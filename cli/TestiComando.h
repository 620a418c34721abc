#pragma once

// The command's own texts, exactly as the user reads them: its usage and what it says of the
// arguments it refuses. The texts it shares with the window are in systems/Testi.h.

#include <string>
#include <string_view>

namespace elencario::testi {

// The whole usage text, with the choices' defaults and the wheels' codes.
[[nodiscard]] std::string Uso();

inline constexpr const char* kIndicareSistema = "Indicare il file del sistema";
inline constexpr const char* kUnSoloSistema = "Indicare un solo sistema";
inline constexpr const char* kMancaData = "Manca l'opzione --data per l'archivio delle estrazioni";
inline constexpr const char* kCopieSuPdf =
    "L'opzione --copie vale per la stampante: un file PDF è uno solo";
inline constexpr const char* kCopieSenzaStampa =
    "L'opzione --copie vale solo con --stampa o --stampante";
inline constexpr const char* kSenzaPdf = "Questa versione non produce file PDF";
inline constexpr const char* kSenzaStampante = "Questa versione non stampa su stampante";
inline constexpr const char* kPdfSulTerminale =
    "Il PDF non viene scritto sul terminale: indicare un file o redirigere lo standard output";

// What the outputs of each platform say beside the shared texts. The Windows console shows the
// progress line in ASCII whatever its code page.
inline constexpr const char* kPdfSulloStandardOutput = "il PDF sullo standard output";
inline constexpr const char* kStampaInCorsoAscii = "Stampa in corso...";
inline constexpr const char* kPdfWindowsSulloStandardOutput =
    "Su Windows il PDF non viene scritto sullo standard output: indicare un file";
inline constexpr const char* kCopieWindows =
    "Su Windows si stampa una copia per volta: --copie non vale";
inline constexpr const char* kModuloNonCaricato = "Impossibile caricare il modulo di stampa: ";
inline constexpr const char* kModuloInutilizzabile =
    " non si carica (mancano le librerie di Qt che usa, o non è il modulo di questa versione)";
// Where the printing module was looked for and not found: `primo` and `secondo`.
[[nodiscard]] inline std::string ModuloMancante(std::string_view modulo, std::string_view primo,
                                                std::string_view secondo) {
    return "manca " + std::string(modulo) + " (cercato in " + std::string(primo) + " e in " +
           std::string(secondo) + ")";
}

[[nodiscard]] std::string ValoreMancante(std::string_view opzione);
[[nodiscard]] std::string OpzioneSconosciuta(std::string_view opzione);
[[nodiscard]] std::string SiEscludono(std::string_view prima, std::string_view seconda);
[[nodiscard]] std::string SoloConEstrazioni(std::string_view opzione);
[[nodiscard]] std::string SoloPerElenco(std::string_view opzione);
[[nodiscard]] std::string CopieNonValide(std::string_view copie);
[[nodiscard]] std::string DataNonValida(std::string_view data);
[[nodiscard]] std::string RuotaNonValida(std::string_view ruota);
[[nodiscard]] std::string PdfSulSistema(std::string_view pdf);
[[nodiscard]] std::string PdfNonScrivibile(std::string_view pdf, std::string_view motivo);
[[nodiscard]] std::string NonUnPdf(std::string_view pdf);
[[nodiscard]] std::string ArchivioIllegibile(std::string_view archivio, std::string_view motivo);
[[nodiscard]] std::string AiutoNonScritto(std::string_view motivo);

}  // namespace elencario::testi
