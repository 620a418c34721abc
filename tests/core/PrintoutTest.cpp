#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "printing/Printout.h"
#include "systems/Messages.h"
#include "systems/SystemReader.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

using Lines = std::vector<std::string>;

// A loaded system made of `righe`, read from a file named `nome` through the real reader.
VARIABILI Sistema(const std::string& nome, const std::string& righe) {
    const test::TempFolder cartella;
    cartella.Write(nome, righe);
    VARIABILI v;
    EXPECT_EQ(CaricaSistema(v, cartella.Text(), nome), 0);
    return v;
}

// A system whose numbers in play are the first `quanti` of 1..90, each a row of its own.
VARIABILI SistemaConNumeri(int quanti) {
    std::string righe = quanti == 0 ? "\"   \"" : "";
    for (int n = 1; n <= quanti; ++n) righe += std::to_string(n) + "\r\n";
    return Sistema("n.txt", righe);
}

Lines Componi(const VARIABILI& v, const OpzioniConvertite& o) {
    test::RecordingPrinter p;
    EXPECT_EQ(ComponiElencario(v, o, p), EsitoComposizione{});
    EXPECT_TRUE(p.documentEnded);
    return p.Listing();
}

OpzioniConvertite Opzioni(std::int16_t perRiga, std::int16_t margine, bool nome = false,
                          bool numeri = false) {
    return {"Courier New", 10, perRiga, margine, nome, numeri};
}

const char* const kEsempio = "3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n";

TEST(ListingTest, WorkedExampleLineByLine) {
    const VARIABILI v = Sistema("Sistema1.txt", kEsempio);
    EXPECT_EQ(Componi(v, Opzioni(4, 4, true, true)),
              (Lines{"", "", "    SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5", "", "",
                     "    IN GIOCO:", "    03 08 15 27 42 ", "", "",
                     "    3 15 27   -   3 15 42   -   3 27 42   -   15 27 42", "    8 15 27"}));
}

struct CasoBlocco {
    const char* nome;
    int numeri;
    Lines blocco;  // the lines between the header's two empty lines and the grid
};

// Test rows print as their names.
void PrintTo(const CasoBlocco& c, std::ostream* os) {
    *os << c.nome;
}

class NumbersBlockTest : public ::testing::TestWithParam<CasoBlocco> {};

std::string Numeri(int da, int a) {
    std::string testo;
    for (int n = da; n <= a; ++n) {
        if (n < 10) testo += '0';
        testo += std::to_string(n) + ' ';
    }
    return testo;
}

TEST_P(NumbersBlockTest, ThirtyToALineEachOpenedByTheMargin) {
    const CasoBlocco& c = GetParam();
    const Lines listing = Componi(SistemaConNumeri(c.numeri), Opzioni(100, 2, false, true));
    ASSERT_GE(listing.size(), 5 + c.blocco.size() + 1);
    const Lines blocco(listing.begin() + 5, listing.end() - 1);
    EXPECT_EQ(blocco, c.blocco);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, NumbersBlockTest,
    ::testing::Values(
        CasoBlocco{"None", 0, {"  IN GIOCO:", "  ", "", ""}},
        CasoBlocco{"TwentyNine", 29, {"  IN GIOCO:", "  " + Numeri(1, 29), "", ""}},
        CasoBlocco{"Thirty", 30, {"  IN GIOCO:", "  " + Numeri(1, 30), "  ", "", ""}},
        CasoBlocco{
            "ThirtyOne", 31, {"  IN GIOCO:", "  " + Numeri(1, 30), "  " + Numeri(31, 31), "", ""}},
        CasoBlocco{"Ninety",
                   90,
                   {"  IN GIOCO:", "  " + Numeri(1, 30), "  " + Numeri(31, 60),
                    "  " + Numeri(61, 90), "  ", "", ""}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(NumbersBlockTest, AscendingOnceWhateverTheRows) {
    const VARIABILI v = Sistema("s.txt", "42 7\r\n7 3 42\r\n");
    const Lines listing = Componi(v, Opzioni(4, 0, false, true));
    EXPECT_EQ(listing[6], "03 07 42 ");
}

struct CasoGriglia {
    const char* nome;
    int righe;
    std::int16_t perRiga;
    Lines griglia;
};

// Test rows print as their names.
void PrintTo(const CasoGriglia& c, std::ostream* os) {
    *os << c.nome;
}

class GridTest : public ::testing::TestWithParam<CasoGriglia> {};

TEST_P(GridTest, RowsJoinedBySeparatorNoneAtLineEnd) {
    const CasoGriglia& c = GetParam();
    std::string righe;
    for (int i = 1; i <= c.righe; ++i) righe += std::to_string(i) + "\r\n";
    const Lines listing = Componi(Sistema("g.txt", righe), Opzioni(c.perRiga, 1));
    EXPECT_EQ(Lines(listing.begin() + 5, listing.end()), c.griglia);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, GridTest,
    ::testing::Values(CasoGriglia{"SingleRow", 1, 4, {" 1"}},
                      CasoGriglia{"ExactMultiple", 4, 2, {" 1   -   2", " 3   -   4"}},
                      CasoGriglia{"Remainder", 5, 2, {" 1   -   2", " 3   -   4", " 5"}},
                      CasoGriglia{"PerLineAboveRows", 3, 8, {" 1   -   2   -   3"}},
                      CasoGriglia{"OnePerLine", 2, 1, {" 1", " 2"}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(GridTest, RowsPrintedWithoutTheirSpacesAndAsWritten) {
    VARIABILI v = Sistema("s.txt", "05 7\r\n\"   \"\r\n8\r\n");
    const Lines listing = Componi(v, Opzioni(2, 0));
    EXPECT_EQ(Lines(listing.begin() + 5, listing.end()), (Lines{"05 7   -", "8"}));
}

TEST(GridTest, PrintsEveryRowPastSixteenBitIndex) {
    std::string righe;
    for (int i = 0; i < 40000; ++i) righe += std::to_string(1 + i % 90) + "\r\n";
    const VARIABILI v = Sistema("grande.txt", righe);
    const Lines listing = Componi(v, Opzioni(8, 0));
    ASSERT_EQ(listing.size(), 5u + 5000u);
    EXPECT_EQ(listing.back(), "33   -   34   -   35   -   36   -   37   -   38   -   39   -   40");
    EXPECT_EQ(listing[2], "Numeri: 90 - Combinazioni: 40000");
}

// ---- The print button: refusals, confirmation, option checks, printer failures ----

class PrintButtonTest : public ::testing::Test {
  protected:
    EsitoStampa Stampa(const VARIABILI& v) { return StampaElencario(v, opzioni, box, printer); }

    OpzioniStampa opzioni;
    test::ScriptedMessages box;
    test::RecordingPrinter printer;
};

TEST_F(PrintButtonTest, NothingLoadedIsRefusedWithoutTouchingPrinter) {
    EXPECT_EQ(Stampa(VARIABILI{}), EsitoStampa::NessunSistema);
    ASSERT_EQ(box.asked.size(), 1u);
    EXPECT_EQ(box.asked[0], ErrorBox("Selezionare un Sistema ..! "));
    EXPECT_TRUE(printer.calls.empty());
}

TEST_F(PrintButtonTest, ConfirmationNoPrintsNothing) {
    box.answers = {Answer::No};
    EXPECT_EQ(Stampa(Sistema("s.txt", "1 2")), EsitoStampa::Annullato);
    ASSERT_EQ(box.asked.size(), 1u);
    EXPECT_EQ(box.asked[0], (MessageRequest{"Confermi la stampa ? ", Buttons::YesNo, Icon::None,
                                            DefaultButton::First, std::nullopt}));
    EXPECT_TRUE(printer.calls.empty());
}

struct CasoOpzione {
    const char* nome;
    OpzioniStampa opzioni;
    const char* messaggio;
};

// Test rows print as their names.
void PrintTo(const CasoOpzione& c, std::ostream* os) {
    *os << c.nome;
}

class OptionRefusalTest : public PrintButtonTest,
                          public ::testing::WithParamInterface<CasoOpzione> {};

TEST_P(OptionRefusalTest, RefusedBeforeAnythingReachesPrinter) {
    opzioni = GetParam().opzioni;
    EXPECT_EQ(Stampa(Sistema("s.txt", "1 2")), EsitoStampa::OpzioneNonValida);
    ASSERT_EQ(box.asked.size(), 2u);
    EXPECT_EQ(box.asked[1], ErrorBox(GetParam().messaggio));
    EXPECT_TRUE(printer.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionRefusalTest,
    ::testing::Values(
        CasoOpzione{"PerLineZero", {"Arial", "9", "0", "12"}, testi::kColonneNonValide},
        CasoOpzione{"PerLineText", {"Arial", "9", "quattro", "12"}, testi::kColonneNonValide},
        CasoOpzione{"PerLineTooLarge", {"Arial", "9", "40000", "12"}, testi::kColonneNonValide},
        CasoOpzione{"SizeZero", {"Arial", "0", "4", "12"}, testi::kGrandezzaNonValida},
        CasoOpzione{"SizeFraction", {"Arial", "9.5", "4", "12"}, testi::kGrandezzaNonValida},
        CasoOpzione{"MarginNegative", {"Arial", "9", "4", "-1"}, testi::kMargineNonValido},
        CasoOpzione{"MarginEmpty", {"Arial", "9", "4", ""}, testi::kMargineNonValido},
        CasoOpzione{"PerLineReportedFirst", {"Arial", "x", "x", "x"}, testi::kColonneNonValide},
        CasoOpzione{"SizeBeforeMargin", {"Arial", "x", "4", "x"}, testi::kGrandezzaNonValida}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(PrintButtonTest, MarginZeroAndAnyFontNameAccepted) {
    opzioni = {"Nessun carattere", "1", "1", "0"};
    EXPECT_EQ(Stampa(Sistema("s.txt", "1 2")), EsitoStampa::Stampato);
    EXPECT_EQ(printer.Listing().back(), "1 2");
}

struct CasoStampante {
    const char* nome;
    std::function<void(test::RecordingPrinter&)> guasto;
    EsitoStampa esito;
    const char* messaggio;  // the box after the confirmation; none when null
};

void PrintTo(const CasoStampante& c, std::ostream* os) {
    *os << c.nome;
}

class PrinterOutcomeTest : public PrintButtonTest,
                           public ::testing::WithParamInterface<CasoStampante> {};

TEST_P(PrinterOutcomeTest, OneMessageAndNoDocumentUnlessPrinted) {
    GetParam().guasto(printer);
    EXPECT_EQ(Stampa(Sistema("s.txt", "1 2")), GetParam().esito);
    const char* messaggio = GetParam().messaggio;
    ASSERT_EQ(box.asked.size(), messaggio != nullptr ? 2u : 1u);
    if (messaggio != nullptr) {
        EXPECT_EQ(box.asked[1], ErrorBox(messaggio));
    }
    EXPECT_FALSE(printer.documentEnded);
}

INSTANTIATE_TEST_SUITE_P(
    Printer, PrinterOutcomeTest,
    ::testing::Values(
        CasoStampante{"NoPrinter", [](auto& p) { p.prepareStatus = PrinterStatus::NoPrinter; },
                      EsitoStampa::NessunaStampante, "Nessuna stampante disponibile ..! "},
        CasoStampante{"FailsMidway", [](auto& p) { p.callsBeforeFailure = 4; },
                      EsitoStampa::ErroreStampa, "Errore di stampa ..! "},
        CasoStampante{"OutOfMemory",
                      [](auto& p) {
                          p.callsBeforeFailure = 5;
                          p.failureThrows = true;
                      },
                      EsitoStampa::ErroreStampa, "Errore di stampa ..! "},
        CasoStampante{"CancelledByUser",
                      [](auto& p) {
                          p.callsBeforeFailure = 6;
                          p.failure = PrinterStatus::Cancelled;
                      },
                      EsitoStampa::Interrotto, nullptr},
        CasoStampante{"MarginTooWide", [](auto& p) { p.spazio = Spazio::MargineTroppoLargo; },
                      EsitoStampa::OpzioneNonValida, "Margine Sx non valido ..! "},
        CasoStampante{"FontTooBig", [](auto& p) { p.spazio = Spazio::CarattereTroppoGrande; },
                      EsitoStampa::OpzioneNonValida, "Grandezza carattere non valida ..! "}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(RoomCheckTest, GetsTheRowWithMostFiguresOfEveryLengthBeforeAnythingIsPrinted) {
    const VARIABILI v = Sistema("s.txt", " 1 2 3 4\r\n10 20 3\r\n90\r\n9 1\r\n");
    test::RecordingPrinter p;
    p.spazio = Spazio::MargineTroppoLargo;
    EXPECT_EQ(ComponiElencario(v, Opzioni(4, 0), p),
              (EsitoComposizione{PrinterStatus::Ok, Spazio::MargineTroppoLargo}));
    EXPECT_EQ(p.candidati, (Lines{"90", "9 1", "10 20 3"}));
    EXPECT_EQ(p.calls, (Lines{"font Courier New", "size " + std::to_string(10.0f)}));
}

}  // namespace
}  // namespace elencario
