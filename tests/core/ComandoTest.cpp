// The `elencario` command: its status, standard output and standard error, over a recording
// printer, and the built program itself.

#include <optional>

#include "cli/TestiComando.h"
#include "systems/Testi.h"
#include "tests/support/Comando.h"
#include "verifica/TestiVerifica.h"

namespace elencario {
namespace {

using enum StatoStampa;
using Spazio::MargineTroppoLargo, Spazio::CarattereTroppoGrande;

struct CommandTest : ::testing::Test {
    // Status, standard output and standard error. An argument "=TEXT" is the system, a file
    // holding TEXT; "@~" is a hard link to it, "@/" this folder, "@TEXT" another file with TEXT.
    std::tuple<int, std::string, std::string> Esegui(std::vector<std::string> argomenti,
                                                     const UsciteStampa& uscite = {}) {
        std::string sistema;
        for (std::string& a : argomenti)
            if (a.starts_with('=')) a = sistema = File("Sistema1.txt", a.substr(1));
        for (std::string& a : argomenti) {
            std::error_code e;  // where no link can be made, the system's own name
            if (a == "@~") std::filesystem::create_hard_link(sistema, cartella.path() / "l", e);
            if (a == "@~") a = e ? sistema : TestoDaPercorso(cartella.path() / "l");
            if (a == "@/") a = cartella.Testo();
            if (a.starts_with('@')) a = File("a.pdf", a.substr(1));
        }
        return test::EseguiComando(argomenti, cartella, uscite);
    }
    std::string File(const std::string& n, std::string_view c) {
        return TestoDaPercorso(cartella.Scrivi(n, c));
    }
    test::CartellaProvvisoria cartella;
};

struct CasoComando {
    const char* nome;
    std::vector<std::string> argomenti;
    int stato;
    std::string errori;        // a part of standard error; empty when nothing is said
    test::Guasto guasto = {};  // of the PDF file or printer
    std::string uscita = {};   // how standard output begins; empty when nothing is written
    std::optional<SceltaStampante> scelta = {};  // the printer and copies asked for, if checked
};
class CommandTableTest : public CommandTest, public ::testing::WithParamInterface<CasoComando> {};
TEST_P(CommandTableTest, StatusAndMessages) {
    const CasoComando& c = GetParam();
    const auto nuova = [&] { return std::make_unique<test::StampanteRegistratrice>(c.guasto); };
    std::optional<SceltaStampante> scelta;
    const auto stampante = [&](const SceltaStampante& s) {
        scelta = s;
        return nuova();
    };
    const auto [stato, uscita, errori] =
        Esegui(c.argomenti, {[&](auto&) { return nuova(); }, stampante, {}});
    EXPECT_EQ(stato, c.stato);
    if (c.scelta) {
        EXPECT_EQ(scelta, c.scelta);
    }
    EXPECT_EQ(uscita.substr(0, c.uscita.empty() ? std::string::npos : c.uscita.size()), c.uscita);
    if (c.errori.empty()) {
        EXPECT_EQ(errori, "");
    } else {
        EXPECT_NE(errori.find(c.errori), std::string::npos) << errori;
    }
}

using namespace testi;
const std::string kUso = "\n" + Uso();
const std::string kPdfScrittura = PdfNonScrivibile("x.pdf", "disco pieno");
const std::vector<std::string> kPdf{"--pdf", "x.pdf", "=1"};
const std::string kSistema1 = "=3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n";
const std::string kNessuna = "Nessuna stampante disponibile ..! ";
// Standard error is looked for the row's text in: only the first rows say how a message ends.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CommandTableTest, ::testing::Values(
    CasoComando{"WorkedExample", {"--nome", "--numeri", "--margine", "4", kSistema1}, 0, "", {},
                "\n\n    SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5\n\n\n    IN GIOCO:\n"
                "    03 08 15 27 42 \n\n\n"
                "    3 15 27   -   3 15 42   -   3 27 42   -   15 27 42\n    8 15 27\n"},
    CasoComando{"Help", {"-h", "a", "b"}, 0, "", {}, Uso()},
    CasoComando{"LongHelp", {"--help", "a", "b"}, 0, "", {}, Uso()},
    CasoComando{"LoadFails", {"=1 91"}, 1, "Si è verificato l' errore: 9\n"},
    CasoComando{"UnknownOption", {"--colore", "=1"}, 2, OpzioneSconosciuta("--colore") + kUso},
    CasoComando{"NoRows", {"=\r\n"}, 1, "Selezionare un Sistema ..! "},
    CasoComando{"PerLine", {"--colonne", "0", "=1"}, 2, "Colonne Riga non valide ..! "},
    CasoComando{"Size", {"--grandezza", "0", "=1"}, 2, "Grandezza carattere non valida ..! "},
    CasoComando{"Margin", {"--margine", "-1", "=1"}, 2, "Margine Sx non valido ..! "},
    CasoComando{"PerLineFirst", {"--grandezza", "x", "--colonne", "x", "=1"}, 2, "Colonne"},
    CasoComando{"SizeBeforeMargin", {"--margine", "", "--grandezza", "9.5", "=1"}, 2, "Grandezza"},
    CasoComando{"LowestValuesAccepted",
                {"--stampa", "--grandezza", "1", "--colonne", "-4", "--margine", "0", "=1"}, 0, ""},
    CasoComando{"PdfAndPrinter", {"--pdf", "x", "--stampa", "=1"}, 2,
                SiEscludono("--pdf", "--stampa")},
    CasoComando{"NoFile", {}, 2, kIndicareSistema},
    CasoComando{"EmptyName", {""}, 2, kIndicareSistema},
    CasoComando{"TwoFiles", {"a.txt", "b.txt"}, 2, kUnSoloSistema},
    CasoComando{"NoValue", {"--margine"}, 2, ValoreMancante("--margine")},
    CasoComando{"PdfValueIsAnOption", {"--pdf", "--nome", "=1"}, 2, ValoreMancante("--pdf")},
    CasoComando{"DashHIsAFileAfterDashes", {"--", "-h"}, 1, "File non trovato ..! "},
    CasoComando{"PdfOverSystemViaLink", {"--pdf", "@~", "=1"}, 2, " è il sistema da stampare"},
    CasoComando{"PdfOverAFileNotPdf", {"--pdf", "@%PDF", "=1"}, 2, " non è un PDF: non viene "},
    CasoComando{"PdfOverAnEarlierPdf", {"--pdf", "@%PDF-1", "=1"}, 0, ""},
    CasoComando{"PdfOverAnEmptyFile", {"--pdf", "@", "=1"}, 0, ""},
    CasoComando{"PdfOverAFolder", {"--pdf", "@/", "=1"}, 2, ": è una cartella, non un file"},
    CasoComando{"PdfEmptyName", {"--pdf", "", "=1"}, 2, ValoreMancante("--pdf")},
    CasoComando{"PdfOnStandardOutput", {"--pdf", "-", "=1"}, 0, ""},
    CasoComando{"PdfNotWritten", kPdf, 1, kPdfScrittura, {.prepara = Fallita,
                .errore = kPdfScrittura.c_str()}},
    CasoComando{"PdfNoRoom", kPdf, 2, "Margine Sx non valido ..! ", {.spazio = MargineTroppoLargo}},
    CasoComando{"PdfInterrupted", kPdf, 130, "", {.dopo = 3, .stato = Interrotta}},
    CasoComando{"SenzaStampante", {"--stampa", "=1"}, 1, kNessuna + "\n",
                {.prepara = SenzaStampante}},
    CasoComando{"PrinterFails", {"--stampa", "=1"}, 1, "Errore di stampa ..! ", {.dopo = 3}},
    CasoComando{"CheckCommasZerosNoWin", {"--verifica", "090, 1,2", "--margine", "9", "=3 15"}, 0,
                "", {}, "Estrazione: 01 02 90\nCombinazioni: 1 - Vincenti: 0\n"
                "Ambi: 0 - Terni: 0 - Quaterne: 0 - Cinquine: 0\nPunti: 2=0\n"},
    CasoComando{"CheckNotANumber", {"--verifica", "3 x5 7", "=1"}, 2,
                EstrazioneNonValida(NonUnNumero("x5")) + "\n"},
    CasoComando{"CheckPastNinety", {"--verifica", "3 091", "=1"}, 2, NonUnNumero("091")},
    CasoComando{"CheckZero", {"--verifica", "00", "=1"}, 2, NonUnNumero("00")},
    CasoComando{"CheckRepeated", {"--verifica", "3 5 03", "=1"}, 2,
                EstrazioneNonValida(NumeroRipetuto("03"))},
    CasoComando{"CheckEmpty", {"--verifica", " \t", "=1"}, 2, kEstrazioneVuota},
    CasoComando{"CheckTwoCommas", {"--verifica", "3, ,5", "=1"}, 2,
                EstrazioneNonValida(kMancaPrimaDellaVirgola)},
    CasoComando{"CheckLeadingComma", {"--verifica", ",3", "=1"}, 2, kMancaPrimaDellaVirgola},
    CasoComando{"CheckTrailingComma", {"--verifica", "3,", "=1"}, 2,
                EstrazioneNonValida(kMancaDopoLaVirgola)},
    CasoComando{"CheckNoValue", {"=1", "--verifica"}, 2, ValoreMancante("--verifica")},
    CasoComando{"CheckAndArchive", {"--verifica", "3", "--estrazioni", "e", "--data", "2024/01/01",
                "=1"}, 2, SiEscludono("--verifica", "--estrazioni")},
    CasoComando{"DateWithoutArchive", {"--verifica", "3", "--data", "2024/01/01", "=1"}, 2,
                SoloConEstrazioni("--data")},
    CasoComando{"WheelWithoutArchive", {"--ruota", "BA", "=1"}, 2, SoloConEstrazioni("--ruota")},
    CasoComando{"ArchiveWithoutDate", {"--estrazioni", "e", "=1"}, 2, kMancaData},
    CasoComando{"CheckWithPerLine", {"--verifica", "3", "--colonne", "4", "=1"}, 2,
                SoloPerElenco("--colonne")},
    CasoComando{"CheckWithName", {"--nome", "--verifica", "3", "=1"}, 2, SoloPerElenco("--nome")},
    CasoComando{"CheckMargin", {"--verifica", "3", "--margine", "x", "=1"}, 2, "Margine Sx non"},
    CasoComando{"CheckPdfNoRoom", {"--verifica", "3", "--pdf", "x.pdf", "=1"}, 2,
                "Grandezza carattere non valida ..! ", {.spazio = CarattereTroppoGrande}},
    CasoComando{"CheckPrinterInterrupted", {"--verifica", "3", "--stampa", "=1"}, 130, "",
                {.dopo = 3, .stato = Interrotta}},
    CasoComando{"NamedPrinterPrints", {"--stampante", "Ufficio", "=1"}, 0, "", {}, "",
                SceltaStampante{"Ufficio", 1}},
    CasoComando{"CopiesOnDefault", {"--stampa", "--copie", "099", "=1"}, 0, "", {}, "",
                SceltaStampante{"", 99}},
    CasoComando{"NamedPrinterMissing", {"--stampante", "Nessuna", "=1"}, 1, kNessuna + "Nessuna\n",
                {.prepara = SenzaStampante}},
    CasoComando{"PrinterNameMissing", {"=1", "--stampante", "--copie"}, 2,
                ValoreMancante("--stampante")},
    CasoComando{"PrinterNameEmpty", {"--stampante", "", "=1"}, 2, ValoreMancante("--stampante")},
    CasoComando{"PdfAndNamedPrinter", {"--pdf", "x", "--stampante", "A", "=1"}, 2,
                SiEscludono("--pdf", "--stampante")},
    CasoComando{"CopiesWithoutPrinter", {"--copie", "2", "=1"}, 2, kCopieSenzaStampa},
    CasoComando{"CopiesWithPdf", {"--verifica", "3", "--pdf", "x", "--copie", "2", "=1"}, 2,
                kCopieSuPdf},
    CasoComando{"CopiesZero", {"--stampa", "--copie", "00", "=1"}, 2, CopieNonValide("00")},
    CasoComando{"CopiesPastNinetyNine", {"--stampa", "--copie", "100", "=1"}, 2,
                CopieNonValide("100")},
    CasoComando{"CopiesHuge", {"--stampa", "--copie", "99999999999999999999", "=1"}, 2,
                CopieNonValide("99999999999999999999")},
    CasoComando{"CopiesNotDigits", {"--stampa", "--copie", "2x", "=1"}, 2, "copie non valido: 2x"}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

// The built program itself, run from the system's folder, and what this build lacks.
TEST_F(CommandTest, TheProgramAndOutputsThisBuildLacks) {
    EXPECT_EQ(std::get<2>(Esegui({"--pdf", "x", "=1"})).find(kSenzaPdf), 0u);
    EXPECT_EQ(std::get<2>(Esegui({"--stampa", "=1"})).find(kSenzaStampante), 0u);
#ifndef _WIN32
    const auto programma = [](const std::string& comando) {  // its status and what it writes
        std::FILE* p = ::popen(comando.c_str(), "r");
        const std::string testo = test::Contenuto(p);
        const int stato = ::pclose(p);
        return std::pair(WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, testo);
    };
    EXPECT_EQ(programma("cd '" ELENCARIO_SAMPLES "' && '" ELENCARIO_BINARY "' Sistema1.txt 2>&1"),
              std::pair(0, std::get<1>(Esegui({ELENCARIO_SAMPLES "/Sistema1.txt"}))));
    EXPECT_EQ(programma("'" ELENCARIO_BINARY "' '" + cartella.Testo() + "/manca' 2>&1 >/dev/null"),
              std::pair(1, std::string("File non trovato ..! \n")));
    EXPECT_EQ(programma("'" ELENCARIO_BINARY "' --help 2>&1 >/dev/full"),
              std::pair(1, AiutoNonScritto("spazio esaurito sul dispositivo") + "\n"));
#endif
}

}  // namespace
}  // namespace elencario
