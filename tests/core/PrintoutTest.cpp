// The listing, the print button and the `elencario` command, over a recording printer.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <tuple>
#include <vector>

#include "cli/Elencario.h"
#include "printing/Printout.h"
#include "systems/Messages.h"
#include "systems/SystemReader.h"

namespace elencario {
namespace {

using Lines = std::vector<std::string>;
using enum StatoStampa;
using Spazio::MargineTroppoLargo, Spazio::CarattereTroppoGrande;

VARIABILI Sistema(const std::string& righe) {
    const test::TempFolder cartella;
    cartella.Write("s.txt", righe);
    VARIABILI v;
    EXPECT_EQ(CaricaSistema(v, cartella.Text(), "s.txt"), 0);
    return v;
}

std::string Serie(int n) {  // the rows 1, 2, … 90, 1, 2, …
    std::string righe;
    for (int i = 0; i < n; ++i) righe += std::to_string(1 + i % 90) + "\r\n";
    return righe;
}

std::string Numeri(int da, int a) {  // a line of numbers in play
    std::string testo = "  ";
    for (int n = da; n <= a; ++n) testo.append(n < 10 ? "0" : "").append(std::to_string(n)) += ' ';
    return testo;
}

struct CasoElenco {
    const char* nome;
    friend void PrintTo(const CasoElenco& c, std::ostream* os) { *os << c.nome; }
    std::string righe;
    std::int16_t perRiga;
    bool numeri;
    Lines prime;            // the first lines after the header and its two empty lines
    std::size_t linee = 0;  // all those lines, when more than `prime`
    const char* ultima = nullptr;
    const char* intestazione = nullptr;  // checked with `ultima`
};
class ListingTest : public ::testing::TestWithParam<CasoElenco> {};
TEST_P(ListingTest, NumbersInPlayThirtyToALineThenTheRowsJoinedBySeparator) {
    const CasoElenco& c = GetParam();
    test::RecordingPrinter p;
    EXPECT_EQ(ComponiElencario(Sistema(c.righe), {"Arial", 10, c.perRiga, 2, false, c.numeri}, p),
              Ok);
    const Lines l = p.Listing();
    ASSERT_EQ(l.size(), 5 + std::max(c.linee, c.prime.size()));
    EXPECT_EQ(Lines(l.begin() + 5, l.begin() + 5 + std::ssize(c.prime)), c.prime);
    if (c.ultima) {
        EXPECT_EQ(Lines({l[2], l.back()}), Lines({c.intestazione, c.ultima}));
    }
}

const char* const kIG = "  IN GIOCO:";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Shapes, ListingTest, ::testing::Values(
    CasoElenco{"NoNumbers", "\"   \"", 9, true, {kIG, "  ", "", "", "  "}},
    CasoElenco{"TwentyNine", Serie(29), 99, true, {kIG, Numeri(1, 29), "", ""}, 5},
    CasoElenco{"Thirty", Serie(30), 99, true, {kIG, Numeri(1, 30), "  ", "", ""}, 6},
    CasoElenco{"ThirtyOne", Serie(31), 99, true, {kIG, Numeri(1, 30), Numeri(31, 31), "", ""}, 6},
    CasoElenco{"Ninety", Serie(90), 99, true,
               {kIG, Numeri(1, 30), Numeri(31, 60), Numeri(61, 90), "  ", "", ""}, 8},
    CasoElenco{"ExactMultiple", Serie(4), 2, false, {"  1   -   2", "  3   -   4"}},
    CasoElenco{"Remainder", Serie(5), 2, false, {"  1   -   2", "  3   -   4", "  5"}},
    CasoElenco{"NegativePerLine", Serie(5), -2, false, {"  1   -   2", "  3   -   4", "  5"}},
    CasoElenco{"PerLineAboveRows", Serie(3), 8, false, {"  1   -   2   -   3"}},
    CasoElenco{"BlankRowsAndRowsAsWritten", "\"   \"\r\n05 7\r\n8\r\n\"   \"\r\n\"   \"", 2, false,
               {"  -   05 7", "  8   -", "  "}},
    CasoElenco{"PastSixteenBitIndex", Serie(40000), 2, false, {"  1   -   2"}, 20000,
               "  39   -   40", "  Numeri: 90 - Combinazioni: 40000"}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

TEST(RoomCheckTest, GetsEveryNumberOnceBeforeAnythingIsPrinted) {
    test::RecordingPrinter p({.spazio = MargineTroppoLargo});
    // A row wider than a line is carried on at its blanks: only a number must fit whole.
    const VARIABILI v =
        Sistema("10 20 3\r\n 1 2 3 4\r\n11 22 3\r\n1 2 3\r\n11 22\r\n90\r\n9 1\r\n007 90");
    EXPECT_EQ(ComponiElencario(v, {"A", 9, 4, 0}, p), (EsitoComposizione{Ok, MargineTroppoLargo}));
    EXPECT_EQ(p.candidati, (Lines{"10", "20", "3", "1", "2", "4", "11", "22", "90", "9", "007"}));
    EXPECT_EQ(p.calls, (Lines{"font A", "size " + std::to_string(9.0f)}));  // set first
}

// The print button: one box after the question per refusal or failure; only a print ends a job.
struct CasoBottone {
    const char* nome;
    friend void PrintTo(const CasoBottone& c, std::ostream* os) { *os << c.nome; }
    EsitoStampa esito;
    const char* messaggio = nullptr;  // the box after the question
    test::Guasto guasto = {};
    const char* righe = "1 2";  // the loaded system
    Answer risposta = Answer::Yes;
    OpzioniStampa opzioni = {};
};
class PrintButtonTest : public ::testing::TestWithParam<CasoBottone> {};
TEST_P(PrintButtonTest, OneBoxPerOutcome) {
    const CasoBottone& c = GetParam();
    test::ScriptedMessages box;
    box.answers = {c.risposta};
    test::RecordingPrinter printer(c.guasto);
    EXPECT_EQ(StampaElencario(Sistema(c.righe), c.opzioni, box, printer), c.esito);
    std::vector<MessageRequest> attese;
    if (c.esito != EsitoStampa::NessunSistema)
        attese.push_back({testi::kConfermiStampa, Buttons::YesNo, Icon::None, {}, {}});
    if (c.messaggio) attese.push_back(ErrorBox(c.messaggio));
    EXPECT_EQ(box.asked, attese);
    EXPECT_EQ(printer.DocumentEnded(), c.esito == EsitoStampa::Stampato);
}

using enum EsitoStampa;
using namespace testi;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Outcomes, PrintButtonTest, ::testing::Values(
    CasoBottone{"Printed", Stampato},
    CasoBottone{"NothingLoaded", NessunSistema, kSelezionareSistema, {}, "\r\n"},
    CasoBottone{.nome = "Declined", .esito = Annullato, .risposta = Answer::No},
    CasoBottone{.nome = "OptionRefused", .esito = OpzioneNonValida, .messaggio = kMargineNonValido,
                .opzioni = {.margine = "-1"}},
    CasoBottone{"SenzaStampante", NessunaStampante, kNessunaStampante, {.prepara = SenzaStampante}},
    CasoBottone{"FailsMidway", ErroreStampa, kErroreStampa, {.dopo = 4}},
    CasoBottone{"OutOfMemory", ErroreStampa, kErroreStampa, {.dopo = 5, .lancia = true}},
    CasoBottone{"CancelledByUser", Interrotto, nullptr, {.dopo = 6, .stato = Interrotta}},
    CasoBottone{"MarginWide", OpzioneNonValida, kMargineNonValido, {.spazio = MargineTroppoLargo}},
    CasoBottone{"FontTooBig", OpzioneNonValida, kGrandezzaNonValida,
                {.spazio = CarattereTroppoGrande}}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

std::string Contenuto(std::FILE* f) {
    std::string testo(1 << 16, '\0');  // more than any output here
    std::rewind(f);
    testo.resize(std::fread(testo.data(), 1, testo.size(), f));
    return testo;
}

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
            if (a == "@/") a = cartella.Text();
            if (a.starts_with('@')) a = File("a.pdf", a.substr(1));
        }
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int stato = EseguiElencario(argomenti, out, err, uscite);
        std::tuple esito{stato, Contenuto(out), Contenuto(err)};
        std::fclose(out);
        std::fclose(err);
        return esito;
    }
    std::string File(const std::string& n, std::string_view c) {
        return TestoDaPercorso(cartella.Write(n, c));
    }
    test::TempFolder cartella;
};

struct CasoComando {
    const char* nome;
    friend void PrintTo(const CasoComando& c, std::ostream* os) { *os << c.nome; }
    std::vector<std::string> argomenti;
    int stato;
    std::string err;           // a part of standard error; empty when nothing is said
    test::Guasto guasto = {};  // of the PDF file or printer
    std::string out = {};      // how standard output begins; empty when nothing is written
};
class CommandTableTest : public CommandTest, public ::testing::WithParamInterface<CasoComando> {};
TEST_P(CommandTableTest, StatusAndMessages) {
    const CasoComando& c = GetParam();
    const auto nuova = [&] { return std::make_unique<test::RecordingPrinter>(c.guasto); };
    const auto [stato, out, err] = Esegui(c.argomenti, {[&](auto&) { return nuova(); }, nuova, {}});
    EXPECT_EQ(stato, c.stato);
    EXPECT_EQ(out.substr(0, c.out.empty() ? std::string::npos : c.out.size()), c.out);
    if (c.err.empty()) {
        EXPECT_EQ(err, "");
    } else {
        EXPECT_NE(err.find(c.err), std::string::npos) << err;
    }
}

const std::string kUso = "\nUso: elencario";
constexpr const char* kPdfScrittura = "Impossibile scrivere il file PDF x.pdf: disco pieno";
const std::vector<std::string> kPdf{"--pdf", "x.pdf", "=1"};
const std::string kSistema1 = "=3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CommandTableTest, ::testing::Values(
    CasoComando{"WorkedExample", {"--nome", "--numeri", "--margine", "4", kSistema1}, 0, "", {},
                "\n\n    SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5\n\n\n    IN GIOCO:\n"
                "    03 08 15 27 42 \n\n\n"
                "    3 15 27   -   3 15 42   -   3 27 42   -   15 27 42\n    8 15 27\n"},
    CasoComando{"Help", {"-h", "a", "b"}, 0, "", {}, "Uso: elencario"},
    CasoComando{"LongHelp", {"--help", "a", "b"}, 0, "", {}, "Uso: elencario"},
    CasoComando{"LoadFails", {"=1 91"}, 1, "Si è verificato l' errore: 9\n"},
    CasoComando{"NoRows", {"=\r\n"}, 1, "Selezionare un Sistema ..! \n"},
    CasoComando{"PerLine", {"--colonne", "0", "=1"}, 2, "Colonne Riga non valide ..! \n"},
    CasoComando{"Size", {"--grandezza", "0", "=1"}, 2, "Grandezza carattere non valida ..! \n"},
    CasoComando{"Margin", {"--margine", "-1", "=1"}, 2, "Margine Sx non valido ..! \n"},
    CasoComando{"PerLineFirst", {"--grandezza", "x", "--colonne", "x", "=1"}, 2, "Colonne"},
    CasoComando{"SizeBeforeMargin", {"--margine", "", "--grandezza", "9.5", "=1"}, 2, "Grandezza"},
    CasoComando{"LowestValuesAccepted", {"--stampa", "--grandezza", "1", "--colonne", "-4",
                "--margine", "0", "=1"}, 0, ""},
    CasoComando{"UnknownOption", {"--colore", "=1"}, 2, "Opzione sconosciuta: --colore" + kUso},
    CasoComando{"PdfAndPrinter", {"--pdf", "x", "--stampa", "=1"}, 2,
                "Le opzioni --pdf e --stampa si escludono a vicenda" + kUso},
    CasoComando{"NoFile", {}, 2, "Indicare il file del sistema" + kUso},
    CasoComando{"EmptyName", {""}, 2, "Indicare il file del sistema" + kUso},
    CasoComando{"TwoFiles", {"a.txt", "b.txt"}, 2, "Indicare un solo sistema" + kUso},
    CasoComando{"NoValue", {"--margine"}, 2, "Manca il valore dell'opzione --margine" + kUso},
    CasoComando{"PdfValueIsAnOption", {"--pdf", "--nome", "=1"}, 2,
                "Manca il valore dell'opzione --pdf" + kUso},
    CasoComando{"DashHIsAFileAfterDashes", {"--", "-h"}, 1, "File non trovato ..! \n"},
    CasoComando{"PdfOverSystemViaLink", {"--pdf", "@~", "=1"}, 2, " è il sistema da stampare"},
    CasoComando{"PdfOverAFileNotPdf", {"--pdf", "@%PDF", "=1"}, 2, " non è un PDF: non viene "},
    CasoComando{"PdfOverAnEarlierPdf", {"--pdf", "@%PDF-1", "=1"}, 0, ""},
    CasoComando{"PdfOverAnEmptyFile", {"--pdf", "@", "=1"}, 0, ""},
    CasoComando{"PdfOverAFolder", {"--pdf", "@/", "=1"}, 2, ": è una cartella, non un file"},
    CasoComando{"PdfEmptyName", {"--pdf", "", "=1"}, 2, "Manca il valore dell'opzione --pdf" + kUso},
    CasoComando{"PdfOnStandardOutput", {"--pdf", "-", "=1"}, 0, ""},
    CasoComando{"PdfNotWritten", kPdf, 1, std::string(kPdfScrittura) + "\n", {.prepara = Fallita,
                .errore = kPdfScrittura}},
    CasoComando{"PdfNoRoom", kPdf, 2, "Margine Sx non valido ..! ", {.spazio = MargineTroppoLargo}},
    CasoComando{"PdfInterrupted", kPdf, 130, "", {.dopo = 3, .stato = Interrotta}},
    CasoComando{"SenzaStampante", {"--stampa", "=1"}, 1, "Nessuna stampante disponibile ..! \n",
                {.prepara = SenzaStampante}},
    CasoComando{"PrinterFails", {"--stampa", "=1"}, 1, "Errore di stampa ..! \n", {.dopo = 3}},
    CasoComando{"CheckWorkedExample", {"--verifica", "3 15 27 42 90", kSistema1}, 0, "", {},
                "Estrazione: 03 15 27 42 90\nCombinazioni: 5 - Vincenti: 5\n"
                "Riga 1: 3 15 27 - punti 3 (03 15 27)\nRiga 2: 3 15 42 - punti 3 (03 15 42)\n"
                "Riga 3: 3 27 42 - punti 3 (03 27 42)\nRiga 4: 15 27 42 - punti 3 (15 27 42)\n"
                "Riga 5: 8 15 27 - punti 2 (15 27)\n"
                "Ambi: 13 - Terni: 4 - Quaterne: 0 - Cinquine: 0\nPunti: 2=1 3=4\n"},
    CasoComando{"CheckCommasZerosNoWin", {"--verifica", "090, 1,2", "--margine", "9", "=3 15"}, 0,
                "", {}, "Estrazione: 01 02 90\nCombinazioni: 1 - Vincenti: 0\n"
                "Ambi: 0 - Terni: 0 - Quaterne: 0 - Cinquine: 0\nPunti: 2=0\n"},
    CasoComando{"CheckNotANumber", {"--verifica", "3 x5 7", "=1"}, 2,
                "Estrazione non valida: \"x5\" non è un numero da 1 a 90\n"},
    CasoComando{"CheckPastNinety", {"--verifica", "3 091", "=1"}, 2, "\"091\" non è un numero da"},
    CasoComando{"CheckZero", {"--verifica", "00", "=1"}, 2, "\"00\" non è un numero da 1 a 90"},
    CasoComando{"CheckSign", {"--verifica", "+3", "=1"}, 2, "\"+3\" non è un numero da 1 a 90"},
    CasoComando{"CheckRepeated", {"--verifica", "3 5 03", "=1"}, 2,
                "Estrazione non valida: il numero \"03\" è ripetuto\n"},
    CasoComando{"CheckEmpty", {"--verifica", " \t", "=1"}, 2,
                "Estrazione vuota: indicare da 1 a 90 numeri\n"},
    CasoComando{"CheckTwoCommas", {"--verifica", "3, ,5", "=1"}, 2,
                "Estrazione non valida: manca un numero prima della virgola\n"},
    CasoComando{"CheckLeadingComma", {"--verifica", ",3", "=1"}, 2, "prima della virgola\n"},
    CasoComando{"CheckTrailingComma", {"--verifica", "3,", "=1"}, 2,
                "Estrazione non valida: manca un numero dopo l'ultima virgola\n"},
    CasoComando{"CheckNoValue", {"=1", "--verifica"}, 2, "Manca il valore dell'opzione --verifica"},
    CasoComando{"CheckLoadFails", {"--verifica", "3", "=1 91"}, 1, "Si è verificato l' errore: 9\n"},
    CasoComando{"CheckNoRows", {"--verifica", "3", "=\r\n"}, 1, "Selezionare un Sistema ..! \n"},
    CasoComando{"CheckAndArchive", {"--verifica", "3", "--estrazioni", "e", "--data", "2024/01/01",
                "=1"}, 2, "Le opzioni --verifica e --estrazioni si escludono a vicenda" + kUso},
    CasoComando{"DateWithoutArchive", {"--verifica", "3", "--data", "2024/01/01", "=1"}, 2,
                "L'opzione --data vale solo con --estrazioni" + kUso},
    CasoComando{"WheelWithoutArchive", {"--ruota", "BA", "=1"}, 2,
                "L'opzione --ruota vale solo con --estrazioni" + kUso},
    CasoComando{"ArchiveWithoutDate", {"--estrazioni", "e", "=1"}, 2,
                "Manca l'opzione --data per l'archivio delle estrazioni" + kUso},
    CasoComando{"CheckWithPerLine", {"--verifica", "3", "--colonne", "4", "=1"}, 2,
                "L'opzione --colonne vale per l'elenco, non per la verifica" + kUso},
    CasoComando{"CheckWithName", {"--nome", "--verifica", "3", "=1"}, 2, "L'opzione --nome vale per"},
    CasoComando{"CheckMargin", {"--verifica", "3", "--margine", "x", "=1"}, 2,
                "Margine Sx non valido ..! \n"},
    CasoComando{"CheckPdf", {"--verifica", "3", "--pdf", "x.pdf", "=1"}, 0, ""},
    CasoComando{"CheckPdfOverSystem", {"--verifica", "3", "--pdf", "@~", "=1"}, 2,
                " è il sistema da stampare"},
    CasoComando{"CheckPdfNoRoom", {"--verifica", "3", "--pdf", "x.pdf", "=1"}, 2,
                "Grandezza carattere non valida ..! ", {.spazio = CarattereTroppoGrande}},
    CasoComando{"CheckPrinterInterrupted", {"--verifica", "3", "--stampa", "=1"}, 130, "",
                {.dopo = 3, .stato = Interrotta}},
    CasoComando{"CheckNoPrinter", {"--verifica", "3", "--stampa", "=1"}, 1,
                "Nessuna stampante disponibile ..! \n", {.prepara = SenzaStampante}}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

// The built program itself, run from the system's folder, and what this build lacks.
TEST_F(CommandTest, TheProgramAndOutputsThisBuildLacks) {
    EXPECT_EQ(std::get<2>(Esegui({"--pdf", "x", "=1"})).find("Questa versione non produce"), 0u);
    EXPECT_EQ(std::get<2>(Esegui({"--stampa", "=1"})).find("Questa versione non stampa"), 0u);
#ifndef _WIN32
    const auto programma = [](const std::string& comando) {  // its status and what it writes
        std::FILE* p = ::popen(comando.c_str(), "r");
        const std::string testo = Contenuto(p);
        const int stato = ::pclose(p);
        return std::pair(WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, testo);
    };
    EXPECT_EQ(programma("cd '" ELENCARIO_SAMPLES "' && '" ELENCARIO_BINARY "' Sistema1.txt 2>&1"),
              std::pair(0, std::get<1>(Esegui({ELENCARIO_SAMPLES "/Sistema1.txt"}))));
    EXPECT_EQ(programma("'" ELENCARIO_BINARY "' '" + cartella.Text() + "/manca' 2>&1 >/dev/null"),
              std::pair(1, std::string("File non trovato ..! \n")));
#endif
}

}  // namespace
}  // namespace elencario
