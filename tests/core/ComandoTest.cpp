// The `elencario` command in the test's own process over recording printers, its reports against
// draws (against a count of the test's own), and the built program itself.

#include <map>
#include <numeric>
#include <optional>
#include <set>
#include <sstream>

#include "cli/Elencario.h"
#include "cli/TestiComando.h"
#include "systems/Testi.h"
#include "verifica/TestiVerifica.h"
#include "verifica/Verifica.h"

namespace elencario {
namespace {

using enum StatoStampa;
using Spazio::MargineTroppoLargo;

std::string Contenuto(std::FILE* f) {
    std::string testo;
    std::rewind(f);
    for (char bytes[4096]; const std::size_t n = std::fread(bytes, 1, sizeof bytes, f);)
        testo.append(bytes, n);
    return testo;
}

struct CommandTest : ::testing::Test {
    // Status, standard output and standard error. An argument "=TEXT" is the system, a file
    // holding TEXT; "@~" is a hard link to it, "@/" this folder, "@TEXT" another file with TEXT.
    // The outputs are in this folder: tmpfile's is shared by tests run at once, scarce on Windows.
    std::tuple<int, std::string, std::string> Esegui(Lines argomenti,
                                                     const UsciteStampa& uscite = {}) {
        std::string sistema;
        const auto file = [&](const char* n, auto c) {
            return TestoDaPercorso(cartella.Scrivi(n, c));
        };
        for (std::string& a : argomenti)
            if (a.starts_with('=')) a = sistema = file("Sistema1.txt", a.substr(1));
        for (std::string& a : argomenti) {
            std::error_code e;  // where no link can be made, the system's own name
            if (a == "@~") std::filesystem::create_hard_link(sistema, cartella.path() / "l", e);
            if (a == "@~") a = e ? sistema : TestoDaPercorso(cartella.path() / "l");
            if (a == "@/") a = cartella.Testo();
            if (a.starts_with('@')) a = file("altro", a.substr(1));
        }
        std::FILE* uscita = std::fopen((cartella.path() / "uscita").string().c_str(), "w+b");
        std::FILE* errori = std::fopen((cartella.path() / "errori").string().c_str(), "w+b");
        if (uscita == nullptr || errori == nullptr) throw std::runtime_error("cannot open outputs");
        const int stato = EseguiElencario(argomenti, uscita, errori, uscite);
        std::tuple esito{stato, Contenuto(uscita), Contenuto(errori)};
        for (std::FILE* f : {uscita, errori}) std::fclose(f);
        return esito;
    }
    test::CartellaProvvisoria cartella;
};

// The report as this test works it out (a set of hits per row, prizes as binomial coefficients),
// each line after `margine`, under `titolo` when given.
std::string Atteso(const Lines& righe, const std::set<int>& estratti,
                   const std::string& titolo = "", const std::string& margine = "") {
    const auto binomiale = [](std::uint64_t n, std::uint64_t k) {
        std::uint64_t c = 1;  // after step i: n - k + i taken i at a time
        for (std::uint64_t i = 1; i <= k && k <= n; ++i) c = c * (n - k + i) / i;
        return k <= n ? c : 0;
    };
    const auto dueCifre = [](int n) {
        const std::string cifre = std::to_string(n);
        return n < 10 ? '0' + cifre : cifre;
    };
    const auto linea = [&margine](const std::string& testo) { return margine + testo + '\n'; };
    std::string vincenti;
    std::uint64_t premi[6] = {};
    std::map<std::size_t, int> perPunti;
    for (std::size_t i = 0; i < righe.size(); ++i) {
        std::istringstream pezzi(righe[i]);
        std::set<int> presi;
        for (int n; pezzi >> n;)
            if (estratti.contains(n)) presi.insert(n);
        ++perPunti[presi.size()];
        for (std::size_t k = 2; k <= 5; ++k) premi[k] += binomiale(presi.size(), k);
        if (presi.size() < 2) continue;
        std::string riga = "Riga " + std::to_string(i + 1) + ": " + righe[i] + " - punti " +
                           std::to_string(presi.size()) + " (";
        for (const int n : presi) riga += dueCifre(n) + (n == *presi.rbegin() ? ")" : " ");
        vincenti += linea(riga);
    }
    std::string estrazione = "Estrazione:", punti = "Punti:";
    for (const int n : estratti) estrazione.append(" ").append(dueCifre(n));
    const std::size_t massimo = std::max<std::size_t>(2, perPunti.rbegin()->first);
    for (std::size_t h = 2; h <= massimo; ++h)
        punti.append(" ").append(std::to_string(h)).append("=").append(std::to_string(perPunti[h]));
    return (titolo.empty() ? "" : linea(titolo)) + linea(estrazione) +
           linea("Combinazioni: " + std::to_string(righe.size()) +
                 " - Vincenti: " + std::to_string(std::ranges::count(vincenti, '\n'))) +
           vincenti +
           linea("Ambi: " + std::to_string(premi[2]) + " - Terni: " + std::to_string(premi[3]) +
                 " - Quaterne: " + std::to_string(premi[4]) +
                 " - Cinquine: " + std::to_string(premi[5])) +
           linea(punti);
}

struct CasoGenerato {
    const char* nome;
    unsigned seme;
    int righe, lunghezzaMassima, estratti;  // the most numbers in a row, repeats included
};
class ReportTest : public CommandTest, public ::testing::WithParamInterface<CasoGenerato> {};
// Random rows (repeats, numbers written "07" or "+7") and a draw with random separators and zeros.
TEST_P(ReportTest, LinesMatchAnIndependentCount) {
    const CasoGenerato& c = GetParam();
    std::mt19937 caso(c.seme);
    const auto tra = [&caso](int a, int b) { return std::uniform_int_distribution(a, b)(caso); };
    Lines righe;
    std::string sistema = "=";
    for (int i = 0; i < c.righe; ++i) {
        std::string riga;
        for (int k = tra(1, c.lunghezzaMassima); k > 0; --k) {
            const int forma = tra(0, 9);  // one in ten written "07", one "+7"
            riga.append(riga.empty() ? "" : " ").append(forma == 0 ? "0" : forma == 1 ? "+" : "");
            riga.append(std::to_string(tra(1, 90)));
        }
        righe.push_back(riga);
        sistema += riga + (tra(0, 1) ? "\r\n" : ",");
    }
    std::vector<int> tutti(90);
    std::iota(tutti.begin(), tutti.end(), 1);
    std::shuffle(tutti.begin(), tutti.end(), caso);
    const std::set<int> estratti(tutti.begin(), tutti.begin() + c.estratti);
    std::string estrazione;
    const char* const separatori[] = {" ", ",", ", ", "\t", "  "};
    for (int i = 0; i < c.estratti; ++i) {
        estrazione += (i == 0 ? " " : separatori[tra(0, 4)]) + std::string(tra(0, 1) ? "0" : "") +
                      std::to_string(tutti[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(Esegui({"--verifica", estrazione, sistema}),
              std::tuple(0, Atteso(righe, estratti), std::string()));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Generated, ReportTest, ::testing::ValuesIn(std::vector<CasoGenerato>{
    {"FiveDrawn", 3, 2000, 30, 5}, {"SixtyFiveDrawn", 5, 400, 12, 65},
    {"AllNinetyDrawn", 6, 300, 90, 90}}),
    test::NomeRiga);
// clang-format on

// On paper every line but the empty one between reports opens with the margin, and every word
// must fit whole; a report that does not fit prints nothing.
TEST(PrintedReportTest, LinesAfterTheMarginAndTheirWordsMeasured) {
    const VARIABILI v = test::Sistema("3 15\r\n1 2 1\r\n");
    InsiemeNumeri bari, cagliari;
    for (const int n : {15, 3}) bari.Aggiungi(n);
    for (const int n : {1, 2, 3}) cagliari.Aggiungi(n);
    const std::vector<VerificaRichiesta> richieste{{"Ruota BA", bari}, {"Ruota CA", cagliari}};
    test::StampanteRegistratrice p;
    EXPECT_EQ(ComponiVerifiche(v, richieste, {"Arial", 10, 4, 2}, p), Ok);
    std::string elenco;
    for (const std::string& riga : p.Elenco()) elenco += riga + '\n';
    EXPECT_EQ(elenco, Atteso({"3 15", "1 2 1"}, {3, 15}, "Ruota BA", "  ") + '\n' +
                          Atteso({"3 15", "1 2 1"}, {1, 2, 3}, "Ruota CA", "  "));
    // Every word once, the rows' numbers after.
    // clang-format off
    EXPECT_EQ(p.candidati, (Lines{"(88", "-", "0", "01", "02", "03", "1", "15", "1:", "2", "2:",
                                  "2=1", "88)", "90", "Ambi:", "BA", "CA", "Cinquine:",
                                  "Combinazioni:", "Estrazione:", "Punti:", "Quaterne:", "Riga",
                                  "Ruota", "Terni:", "Vincenti:", "punti", "3", "15", "1", "2"}));
    // clang-format on
    EXPECT_TRUE(p.DocumentoChiuso());
    test::StampanteRegistratrice stretta({.spazio = MargineTroppoLargo});
    EXPECT_EQ(ComponiVerifiche(v, richieste, {"Arial", 10, 4, 2}, stretta),
              (EsitoComposizione{Ok, MargineTroppoLargo}));
    EXPECT_EQ(stretta.chiamate, (Lines{"font Arial", "size " + std::to_string(10.0f)}));
}

struct CasoComando {
    const char* nome;
    Lines argomenti;
    int stato;
    std::string errori;        // a part of standard error; empty when nothing is said
    test::Guasto guasto = {};  // of the PDF file or printer
    std::string uscita = {};   // all of standard output
    std::optional<SceltaStampante> scelta = {};  // the printer and copies asked for, if checked
};
class CommandTableTest : public CommandTest, public ::testing::WithParamInterface<CasoComando> {};
TEST_P(CommandTableTest, StatusAndMessages) {
    const CasoComando& c = GetParam();
    std::optional<SceltaStampante> scelta;
    const auto nuova = [&] { return std::make_unique<test::StampanteRegistratrice>(c.guasto); };
    const auto [stato, uscita, errori] =
        Esegui(c.argomenti, {[&](auto&) { return nuova(); },
                             [&](const SceltaStampante& s) { return scelta = s, nuova(); },
                             {}});
    EXPECT_EQ(std::tie(stato, uscita), std::tie(c.stato, c.uscita));
    if (c.scelta) {
        EXPECT_EQ(scelta, c.scelta);
    }
    EXPECT_TRUE(c.errori.empty() ? errori.empty() : errori.find(c.errori) != std::string::npos)
        << errori;
}

using namespace testi;
const std::string kPdfScrittura = PdfNonScrivibile("x.pdf", "disco pieno");
const Lines kPdf{"--pdf", "x.pdf", "=1"};
const std::string kSistema1 = "=3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n";
const std::string kNessuna = "Nessuna stampante disponibile ..! ";
const Lines kRighe1{"3 15 27", "3 15 42", "3 27 42", "15 27 42", "8 15 27"};
const std::string kBari = Atteso(kRighe1, {3, 15, 27, 42, 90}, "Ruota BA - 2024/01/02"),
                  kCagliari = Atteso(kRighe1, {1, 2, 4, 8, 15}, "Ruota CA - 2024/01/02");
const std::string kBa = "2024/01/02\tBA\t3\t15\t27\t42\t90\n";
const std::string kCa = "2024/01/02\tCA\t08\t15\t1\t2\t4\n";
const std::string kAltro = "2023/12/30\tRN\t1\t2\t3\t4\t5\n";
const std::string kCa4 = "2024/01/02\tCA\t1\t2\t3\t4";  // a line short of its last number
// kSistema1 checked against the draws of `data` in `archivio` (as Esegui takes it), then `poi`.
Lines Archivio(const std::string& archivio, const std::string& data = "2024/01/02",
               Lines poi = {}) {
    poi.insert(poi.begin(), {"--estrazioni", archivio, "--data", data, kSistema1});
    return poi;
}
// Standard error is looked for the row's text in: only the first rows say how a message ends.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CommandTableTest, ::testing::ValuesIn(std::vector<CasoComando>{
    {"WorkedExample", {"--nome", "--numeri", "--margine", "4", kSistema1}, 0, "", {},
     "\n\n    SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5\n\n\n    IN GIOCO:\n    03 08 15 27 42 \n"
     "\n\n    3 15 27   -   3 15 42   -   3 27 42   -   15 27 42\n    8 15 27\n"},
    {"Help", {"-h", "a", "b"}, 0, "", {}, Uso()},
    {"LongHelp", {"--help", "a", "b"}, 0, "", {}, Uso()},
    {"LoadFails", {"=1 91"}, 1, "Si è verificato l' errore: 9\n"},
    {"UnknownOption", {"--colore", "=1"}, 2, OpzioneSconosciuta("--colore") + "\n" + Uso()},
    {"NoRows", {"=\r\n"}, 1, "Selezionare un Sistema ..! "},
    {"PerLineFirst", {"--grandezza", "x", "--colonne", "0", "=1"}, 2,
     "Colonne Riga non valide ..! "},
    {"SizeBeforeMargin", {"--margine", "", "--grandezza", "0", "=1"}, 2,
     "Grandezza carattere non valida ..! "},
    {"MarginNotANumber", {"--margine", "9.5", "=1"}, 2, "Margine Sx non valido ..! "},
    {"LowestValuesAccepted",
     {"--stampa", "--grandezza", "1", "--colonne", "-4", "--margine", "0", "=1"}, 0, ""},
    {"PdfAndPrinter", {"--pdf", "x", "--stampa", "=1"}, 2, SiEscludono("--pdf", "--stampa")},
    {"NoFile", {}, 2, kIndicareSistema}, {"EmptyName", {""}, 2, kIndicareSistema},
    {"TwoFiles", {"a.txt", "b.txt"}, 2, kUnSoloSistema},
    {"NoValue", {"--margine"}, 2, ValoreMancante("--margine")},
    {"PdfValueIsAnOption", {"--pdf", "--nome", "=1"}, 2, ValoreMancante("--pdf")},
    {"DashHIsAFileAfterDashes", {"--", "-h"}, 1, "File non trovato ..! "},
    {"PdfOverSystemViaLink", {"--pdf", "@~", "=1"}, 2, " è il sistema da stampare"},
    {"PdfOverAFileNotPdf", {"--pdf", "@%PDF", "=1"}, 2, " non è un PDF: non viene "},
    {"PdfOverAnEarlierPdf", {"--pdf", "@%PDF-1", "=1"}, 0, ""},
    {"PdfOverAnEmptyFile", {"--pdf", "@", "=1"}, 0, ""},
    {"PdfOverAFolder", {"--pdf", "@/", "=1"}, 2, ": è una cartella, non un file"},
    {"PdfEmptyName", {"--pdf", "", "=1"}, 2, ValoreMancante("--pdf")},
    {"PdfOnStandardOutput", {"--pdf", "-", "=1"}, 0, ""},
    {"PdfNotWritten", kPdf, 1, kPdfScrittura,
     {.prepara = Fallita, .errore = kPdfScrittura.c_str()}},
    {"PdfNoRoom", kPdf, 2, "Margine Sx non valido ..! ", {.spazio = MargineTroppoLargo}},
    {"PdfInterrupted", kPdf, 130, "", {.dopo = 3, .stato = Interrotta}},
    {"SenzaStampante", {"--stampa", "=1"}, 1, kNessuna + "\n", {.prepara = SenzaStampante}},
    {"PrinterFails", {"--stampa", "=1"}, 1, "Errore di stampa ..! ", {.dopo = 3}},
    {"CheckCommasZerosNoWin", {"--verifica", "090, 1,2", "--margine", "9", "=3 15"}, 0, "", {},
     "Estrazione: 01 02 90\nCombinazioni: 1 - Vincenti: 0\n"
     "Ambi: 0 - Terni: 0 - Quaterne: 0 - Cinquine: 0\nPunti: 2=0\n"},
    {"CheckNotANumber", {"--verifica", "3 x5 7", "=1"}, 2,
     EstrazioneNonValida(NonUnNumero("x5")) + "\n"},
    {"CheckPastNinety", {"--verifica", "3 091", "=1"}, 2, NonUnNumero("091")},
    {"CheckZero", {"--verifica", "00", "=1"}, 2, NonUnNumero("00")},
    {"CheckPastAnyInteger", {"--verifica", "9999999999", "=1"}, 2, NonUnNumero("9999999999")},
    {"CheckRepeated", {"--verifica", "3 5 03", "=1"}, 2, EstrazioneNonValida(NumeroRipetuto("03"))},
    {"CheckEmpty", {"--verifica", " \t", "=1"}, 2, kEstrazioneVuota},
    {"CheckTwoCommas", {"--verifica", "3, ,5", "=1"}, 2,
     EstrazioneNonValida(kMancaPrimaDellaVirgola)},
    {"CheckLeadingComma", {"--verifica", ",3", "=1"}, 2, kMancaPrimaDellaVirgola},
    {"CheckTrailingComma", {"--verifica", "3,", "=1"}, 2, EstrazioneNonValida(kMancaDopoLaVirgola)},
    {"CheckNoValue", {"=1", "--verifica"}, 2, ValoreMancante("--verifica")},
    {"CheckAndArchive", {"--verifica", "3", "--estrazioni", "e", "--data", "2024/01/01", "=1"}, 2,
     SiEscludono("--verifica", "--estrazioni")},
    {"DateWithoutArchive", {"--verifica", "3", "--data", "2024/01/01", "=1"}, 2,
     SoloConEstrazioni("--data")},
    {"WheelWithoutArchive", {"--ruota", "BA", "=1"}, 2, SoloConEstrazioni("--ruota")},
    {"ArchiveWithoutDate", {"--estrazioni", "e", "=1"}, 2, kMancaData},
    {"CheckWithPerLine", {"--verifica", "3", "--colonne", "4", "=1"}, 2,
     SoloPerElenco("--colonne")},
    {"CheckWithName", {"--nome", "--verifica", "3", "=1"}, 2, SoloPerElenco("--nome")},
    {"CheckPrinterInterrupted", {"--verifica", "3", "--stampa", "=1"}, 130, "",
     {.dopo = 3, .stato = Interrotta}},
    {"NamedPrinterPrints", {"--stampante", "Ufficio", "=1"}, 0, "", {}, "", {{"Ufficio", 1}}},
    {"CopiesOnDefault", {"--stampa", "--copie", "099", "=1"}, 0, "", {}, "", {{"", 99}}},
    {"NamedPrinterMissing", {"--stampante", "Nessuna", "=1"}, 1, kNessuna + "Nessuna\n",
     {.prepara = SenzaStampante}},
    {"PrinterNameMissing", {"=1", "--stampante", "--copie"}, 2, ValoreMancante("--stampante")},
    {"PrinterNameEmpty", {"--stampante", "", "=1"}, 2, ValoreMancante("--stampante")},
    {"PdfAndNamedPrinter", {"--pdf", "x", "--stampante", "A", "=1"}, 2,
     SiEscludono("--pdf", "--stampante")},
    {"CopiesWithoutPrinter", {"--copie", "2", "=1"}, 2, kCopieSenzaStampa},
    {"CopiesWithPdf", {"--verifica", "3", "--pdf", "x", "--copie", "2", "=1"}, 2, kCopieSuPdf},
    {"CopiesZero", {"--stampa", "--copie", "00", "=1"}, 2, CopieNonValide("00")},
    {"CopiesHuge", {"--stampa", "--copie", "99999999999999999999", "=1"}, 2,
     CopieNonValide("99999999999999999999")},
    {"CopiesNotDigits", {"--stampa", "--copie", "2x", "=1"}, 2, "copie non valido: 2x"},
    {"EveryWheelOfTheDateInFileOrder", Archivio("@" + kAltro + kBa + kCa), 0, "", {},
     kBari + "\n" + kCagliari},
    {"OneWheel", Archivio("@" + kBa + kCa, "2024/01/02", {"--ruota", "CA"}), 0, "", {}, kCagliari},
    {"CrLfNoLastEndAndUtf8Mark",
     Archivio("@\xEF\xBB\xBF" + kAltro.substr(0, kAltro.size() - 1) + "\r\n" +
              kCa.substr(0, kCa.size() - 1)), 0, "", {}, kCagliari},
    {"DateNotInArchive", Archivio("@" + kBa, "2024/01/03"), 1,
     NessunaEstrazione("2024/01/03") + "\n"},
    {"WheelDidNotDraw", Archivio("@" + kBa + kAltro, "2024/01/02", {"--ruota", "RN"}), 1,
     RuotaSenzaEstrazione("RN", "2024/01/02")},
    {"SixNumbers", Archivio("@" + kBa + kCa4 + "\t5\t6\n"), 1, RigaArchivioNonValida(2)},
    {"FourNumbers", Archivio("@" + kAltro + kAltro + kCa4 + "\n" + kBa), 1,
     RigaArchivioNonValida(3)},
    {"RepeatedNumber", Archivio("@" + kCa4 + "\t01\n"), 1, RigaArchivioNonValida(1)},
    {"NumberPastNinety", Archivio("@" + kCa4 + "\t91\n"), 1, RigaArchivioNonValida(1)},
    {"NumberZero", Archivio("@" + kCa4 + "\t00\n"), 1, RigaArchivioNonValida(1)},
    {"UnknownWheel", Archivio("@" + kBa + "2024/01/02\tXX\t1\t2\t3\t4\t5\n"), 1,
     RigaArchivioNonValida(2)},
    {"NoSuchDay", Archivio("@2023/02/29\tBA\t1\t2\t3\t4\t5\n" + kBa), 1, RigaArchivioNonValida(1)},
    {"ArchiveIsAFolder", Archivio("."), 1, ArchivioIllegibile(".", "è una cartella")},
    {"ArchiveMissing", Archivio("manca.txt"), 1,
     ArchivioIllegibile("manca.txt", "file o cartella inesistente")},
    {"DateOtherShape", Archivio("@" + kBa, "2/1/2024"), 2, DataNonValida("2/1/2024")},
    {"LeapDay", Archivio("@2024/02/29\tVE\t3\t15\t27\t42\t90\n", "2024/02/29"), 0, "", {},
     Atteso(kRighe1, {3, 15, 27, 42, 90}, "Ruota VE - 2024/02/29")},
    {"WheelNotAWheel", Archivio("@" + kBa, "2024/01/02", {"--ruota", "ba"}), 2,
     "Ruota non valida: ba (una di BA CA FI GE MI NA PA RM TO VE RN)"}}),
    test::NomeRiga);
// clang-format on

// The built program itself, run from the system's folder, and what this build lacks.
TEST_F(CommandTest, TheProgramAndOutputsThisBuildLacks) {
    EXPECT_EQ(std::get<2>(Esegui({"--pdf", "x", "=1"})).find(kSenzaPdf), 0u);
    EXPECT_EQ(std::get<2>(Esegui({"--stampa", "=1"})).find(kSenzaStampante), 0u);
#ifndef _WIN32
    const auto programma = [](const std::string& comando) {  // its status and what it writes
        std::FILE* p = ::popen(comando.c_str(), "r");
        const std::string testo = Contenuto(p);
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
