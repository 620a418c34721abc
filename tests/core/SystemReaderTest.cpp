#include <gtest/gtest.h>

#include <vector>

#include "systems/Messages.h"
#include "systems/Routines.h"
#include "systems/SystemReader.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

std::vector<std::string> Righe(const VARIABILI& v) {
    std::vector<std::string> righe;
    for (std::size_t i = 0; i < v.Combinazioni.size(); ++i) righe.emplace_back(v.Combinazioni[i]);
    return righe;
}

std::vector<int> NumeriInGioco(const VARIABILI& v) {
    std::vector<int> numeri;
    for (int n = 1; n <= kNumeroMassimo; ++n) {
        if (v.NumeriGioco[static_cast<std::size_t>(n)] == 1) numeri.push_back(n);
    }
    return numeri;
}

class ReaderTest : public ::testing::Test {
  protected:
    int Carica(VARIABILI& v, const std::string& nome, std::string_view contenuto) {
        cartella.Write(nome, contenuto);
        return CaricaSistema(v, cartella.Text(), nome);
    }

    test::TempFolder cartella;
};

// ---- Fields and normalisation of files that load ----

struct CasoRiuscito {
    const char* nome;
    std::string contenuto;
    std::vector<std::string> righe;
    std::vector<int> numeri;
};

// Test rows print as their names.
void PrintTo(const CasoRiuscito& c, std::ostream* os) {
    *os << c.nome;
}

class FieldsTest : public ReaderTest, public ::testing::WithParamInterface<CasoRiuscito> {};

TEST_P(FieldsTest, StoresNormalisedRowsAndMarksNumbers) {
    const CasoRiuscito& c = GetParam();
    VARIABILI v;
    ASSERT_EQ(Carica(v, "s.txt", c.contenuto), 0);
    EXPECT_EQ(Righe(v), c.righe);
    EXPECT_EQ(v.TotCombinazioni, static_cast<std::int32_t>(c.righe.size()));
    EXPECT_EQ(NumeriInGioco(v), c.numeri);
    EXPECT_EQ(v.TotNumeri, static_cast<std::int16_t>(c.numeri.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Files, FieldsTest,
    ::testing::Values(
        CasoRiuscito{"Plain", "1 2 3 4 5 6\r\n", {"1 2 3 4 5 6"}, {1, 2, 3, 4, 5, 6}},
        CasoRiuscito{"BlanksTabsAndZeros", "  01  02\t03 \r\n", {"01 02 03"}, {1, 2, 3}},
        CasoRiuscito{"CommasSplitFields", "10,20,30\r\n", {"10", "20", "30"}, {10, 20, 30}},
        CasoRiuscito{"QuotesKeepCommas", "\"10,20,30\"\r\n", {"10 20 30"}, {10, 20, 30}},
        CasoRiuscito{"BlankLinesGiveNoRows", "\r\n   \r\n\r\n7\r\n", {"7"}, {7}},
        CasoRiuscito{"RepeatedNumberCountsOnce", "5 5 5\r\n5\r\n", {"5 5 5", "5"}, {5}},
        CasoRiuscito{"LastLineWithoutEnd", "1 2\r\n3 4", {"1 2", "3 4"}, {1, 2, 3, 4}},
        CasoRiuscito{"LoneLineFeeds", "1 2\n3 4\n", {"1 2", "3 4"}, {1, 2, 3, 4}},
        CasoRiuscito{"LoneCarriageReturns", "1 2\r3 4\r", {"1 2", "3 4"}, {1, 2, 3, 4}},
        CasoRiuscito{"LineFeedThenCarriageReturn", "1\n\r2", {"1", "2"}, {1, 2}},
        CasoRiuscito{"TabsBeforeFieldIgnored", "\t \t7 8\r\n", {"7 8"}, {7, 8}},
        CasoRiuscito{"FieldOfTabsGivesNoRow", "\t\t\r\n5", {"5"}, {5}},
        CasoRiuscito{"TwoTabsSeparate", "1\t\t2", {"1 2"}, {1, 2}},
        CasoRiuscito{"TextAfterClosingQuoteIgnored", "\"1 2\"x y,3\r\n", {"1 2", "3"}, {1, 2, 3}},
        CasoRiuscito{"UnclosedQuoteRunsToEnd", "\"4, 5, 6", {"4 5 6"}, {4, 5, 6}},
        CasoRiuscito{"EmptyQuotesGiveNoRow", "\"\"\r\n9", {"9"}, {9}},
        CasoRiuscito{"QuotedBlanksGiveEmptyRow", "\"   \"\r\n", {""}, {}},
        CasoRiuscito{"TrailingCommaGivesNoRow", "1,\r\n2,", {"1", "2"}, {1, 2}},
        CasoRiuscito{"SignsAndZerosKeptInRow", "+5 005 90", {"+5 005 90"}, {5, 90}},
        CasoRiuscito{"EmptyFile", "", {}, {}}, CasoRiuscito{"OnlyBlanks", "  \r\n \t ", {}, {}}),
    [](const auto& info) { return std::string(info.param.nome); });

// ---- Files that fail, and what the failure leaves ----

struct CasoFallito {
    const char* nome;
    std::string contenuto;
    int errore;
};

// Test rows print as their names.
void PrintTo(const CasoFallito& c, std::ostream* os) {
    *os << c.nome;
}

class FailuresTest : public ReaderTest, public ::testing::WithParamInterface<CasoFallito> {};

TEST_P(FailuresTest, FailsAndKeepsSystemLoadedBefore) {
    const CasoFallito& c = GetParam();
    VARIABILI v;
    ASSERT_EQ(Carica(v, "prima.txt", "3 15 27\r\n8 15 42\r\n"), 0);
    const VARIABILI prima = v;
    EXPECT_EQ(Carica(v, "dopo.txt", c.contenuto), c.errore);
    EXPECT_EQ(v, prima);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailuresTest,
    ::testing::Values(
        CasoFallito{"Letter", "7 x\r\n", 13},
        CasoFallito{"NinetyOne", "1 2\r\n3 4\r\n7 91\r\n1", 9}, CasoFallito{"Zero", "0", 9},
        CasoFallito{"Negative", "-5", 9}, CasoFallito{"PastInteger", "40000", 6},
        CasoFallito{"HighestInteger", "32767", 9}, CasoFallito{"PastHighestInteger", "32768", 6},
        CasoFallito{"LowestInteger", "-32768", 9}, CasoFallito{"PastLowestInteger", "-32769", 6},
        CasoFallito{"HugeThenLetter", "1 99999999999999999999x", 13},
        CasoFallito{"SignAlone", "-", 13}, CasoFallito{"TwoSigns", "+-5", 13},
        CasoFallito{"Exponent", "1e2", 13},
        CasoFallito{"SpaceTabSpaceLeavesEmptyPiece", "1 \t 2", 13},
        CasoFallito{"ThreeSpacesHalvedOnce", "\"1   2\"", 13},
        CasoFallito{"CommaBetweenSpacesInQuotes", "\"1 , 2\"", 13},
        CasoFallito{"QuoteInsideField", "1\"2", 13},
        CasoFallito{"QuotedAcrossLineEnd", "\"1\r\n2\"", 13},
        CasoFallito{"ByteOrderMark",
                    "\xEF\xBB\xBF"
                    "1 2\r\n",
                    13},
        CasoFallito{"NulBytes", std::string(3, '\0'), 13}, CasoFallito{"Fraction", "1.5", 13}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ReaderTest, SecondLoadReplacesFirst) {
    std::string cento;
    for (int i = 0; i < 100; ++i) cento += "1 90\r\n";
    std::string cinquanta;
    for (int i = 0; i < 50; ++i) cinquanta += "2 3\r\n";
    VARIABILI v;
    ASSERT_EQ(Carica(v, "cento.txt", cento), 0);
    ASSERT_EQ(Carica(v, "cinquanta.txt", cinquanta), 0);
    EXPECT_EQ(v.Combinazioni.size(), 50u);
    EXPECT_EQ(v.TotCombinazioni, 50);
    EXPECT_EQ(NumeriInGioco(v), (std::vector<int>{2, 3}));
    EXPECT_EQ(v.FileSistema, cartella.Text() + kSeparatore + "cinquanta.txt");
    // A system without rows replaces it too, and leaves nothing to print.
    ASSERT_EQ(Carica(v, "vuoto.txt", "\r\n\r\n"), 0);
    EXPECT_EQ(v.TotCombinazioni, 0);
    EXPECT_EQ(v.TotNumeri, 0);
    EXPECT_TRUE(NumeriInGioco(v).empty());
}

TEST_F(ReaderTest, FieldsStraddlingReadBlocksLoadWhole) {
    // Rows of every length from 1 to 4 numbers, some quoted, in a file several read blocks long,
    // so that line ends, quotes and numbers fall on every block boundary.
    std::string contenuto;
    std::vector<std::string> attese;
    for (int i = 0; contenuto.size() < 3 * 256 * 1024 + 17; ++i) {
        std::string riga;
        for (int k = 0; k <= i % 4; ++k) riga += (k ? " " : "") + std::to_string(1 + (i + k) % 90);
        attese.push_back(riga);
        if (i % 7 == 0) {
            std::string virgole = riga;
            for (char& ch : virgole) ch = ch == ' ' ? ',' : ch;
            contenuto += "\"" + virgole + "\"";
        } else {
            contenuto += riga;
        }
        contenuto += i % 5 == 0 ? "\n" : "\r\n";
    }
    VARIABILI v;
    ASSERT_EQ(Carica(v, "grande.txt", contenuto), 0);
    EXPECT_EQ(Righe(v), attese);
    EXPECT_EQ(v.TotNumeri, 90);
}

}  // namespace
}  // namespace elencario
