#include <gtest/gtest.h>

#include <vector>

#include "systems/NumeriErrore.h"
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

struct Caso {
    const char* nome;
    std::string contenuto;
    int errore;  // 0: loads, giving the rows and numbers below
    std::vector<std::string> righe = {};
    std::vector<int> numeri = {};
};

// Test rows print as their names.
void PrintTo(const Caso& c, std::ostream* os) {
    *os << c.nome;
}

class ContentTest : public ReaderTest, public ::testing::WithParamInterface<Caso> {};

// A file either loads whole, replacing the system loaded before, or fails and leaves that one
// as it was.
TEST_P(ContentTest, LoadsWholeOrKeepsSystemLoadedBefore) {
    const Caso& c = GetParam();
    VARIABILI v;
    ASSERT_EQ(Carica(v, "prima.txt", "3 15 27\r\n8 15 42\r\n"), 0);
    const VARIABILI prima = v;
    ASSERT_EQ(Carica(v, "dopo.txt", c.contenuto), c.errore);
    if (c.errore != 0) {
        EXPECT_EQ(v, prima);
        return;
    }
    EXPECT_EQ(v.FileSistema, cartella.Text() + kSeparatore + "dopo.txt");
    EXPECT_EQ(Righe(v), c.righe);
    EXPECT_EQ(v.TotCombinazioni, static_cast<std::int32_t>(c.righe.size()));
    EXPECT_EQ(NumeriInGioco(v), c.numeri);
    EXPECT_EQ(v.TotNumeri, static_cast<std::int16_t>(c.numeri.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ContentTest,
    ::testing::Values(
        Caso{"Plain", "1 2 3 4 5 6\r\n", 0, {"1 2 3 4 5 6"}, {1, 2, 3, 4, 5, 6}},
        Caso{"BlanksTabsAndZeros", "  01  02\t03 \r\n", 0, {"01 02 03"}, {1, 2, 3}},
        Caso{"CommasSplitFields", "10,20,30\r\n", 0, {"10", "20", "30"}, {10, 20, 30}},
        Caso{"QuotesKeepCommas", "\"10,20,30\"\r\n", 0, {"10 20 30"}, {10, 20, 30}},
        Caso{"BlankLinesGiveNoRows", "\r\n   \r\n\r\n7\r\n", 0, {"7"}, {7}},
        Caso{"RepeatedNumberCountsOnce", "5 5 5\r\n5\r\n", 0, {"5 5 5", "5"}, {5}},
        Caso{"LastLineWithoutEnd", "1 2\r\n3 4", 0, {"1 2", "3 4"}, {1, 2, 3, 4}},
        Caso{"LoneLineFeeds", "1 2\n3 4\n", 0, {"1 2", "3 4"}, {1, 2, 3, 4}},
        Caso{"LoneCarriageReturns", "1 2\r3 4\r", 0, {"1 2", "3 4"}, {1, 2, 3, 4}},
        Caso{"LineFeedThenCarriageReturn", "1\n\r2", 0, {"1", "2"}, {1, 2}},
        Caso{"TabsBeforeFieldIgnored", "\t \t7 8\r\n", 0, {"7 8"}, {7, 8}},
        Caso{"FieldOfTabsGivesNoRow", "\t\t\r\n5", 0, {"5"}, {5}},
        Caso{"TwoTabsSeparate", "1\t\t2", 0, {"1 2"}, {1, 2}},
        Caso{"TextAfterClosingQuoteIgnored", "\"1 2\"x y,3\r\n", 0, {"1 2", "3"}, {1, 2, 3}},
        Caso{"UnclosedQuoteRunsToEnd", "\"4, 5, 6", 0, {"4 5 6"}, {4, 5, 6}},
        Caso{"EmptyQuotesGiveNoRow", "\"\"\r\n9", 0, {"9"}, {9}},
        Caso{"QuotedBlanksGiveEmptyRow", "\"  ,\t \"\r\n", 0, {""}, {}},
        Caso{"TrailingCommaGivesNoRow", "1,\r\n2,", 0, {"1", "2"}, {1, 2}},
        Caso{"SignsAndZerosKeptInRow", "+5 005 90", 0, {"+5 005 90"}, {5, 90}},
        Caso{"EmptyFile", "", 0}, Caso{"OnlyBlanks", "  \r\n \t ", 0},
        Caso{"Letter", "7 x\r\n", kErroreTipo},
        Caso{"NinetyOne", "1 2\r\n3 4\r\n7 91\r\n1", kErroreIndice},
        Caso{"Zero", "00", kErroreIndice}, Caso{"Negative", "-5", kErroreIndice},
        Caso{"PastInteger", "40000", kErroreOverflow},
        Caso{"HighestInteger", "32767", kErroreIndice},
        Caso{"PastHighestInteger", "32768", kErroreOverflow},
        Caso{"LowestInteger", "-32768", kErroreIndice},
        Caso{"PastLowestInteger", "-32769", kErroreOverflow},
        Caso{"HugeThenLetter", "1 99999999999999999999x", kErroreTipo},
        Caso{"SignAlone", "-", kErroreTipo}, Caso{"TwoSigns", "+-5", kErroreTipo},
        Caso{"Exponent", "1e2", kErroreTipo}, Caso{"Fraction", "1.5", kErroreTipo},
        Caso{"FirstBadPieceDecides", "1 x 40000 91", kErroreTipo},
        Caso{"SpaceTabSpaceLeavesEmptyPiece", "1 \t 2", kErroreTipo},
        Caso{"ThreeSpacesHalvedOnce", "\"1   2\"", kErroreTipo},
        Caso{"CommaBetweenSpacesInQuotes", "\"1 , 2\"", kErroreTipo},
        Caso{"QuoteInsideField", "1\"2", kErroreTipo},
        Caso{"QuotedAcrossLineEnd", "\"1\r\n2\"", kErroreTipo},
        Caso{"ByteOrderMark",
             "\xEF\xBB\xBF"
             "1 2\r\n",
             kErroreTipo},
        Caso{"NulBytes", std::string(3, '\0'), kErroreTipo}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ReaderTest, FieldsStraddlingReadBlocksLoadWhole) {
    // Rows of every length from 1 to 4 numbers, some quoted or with leading zeros, in a file
    // several read blocks long, so that line ends, quotes and numbers fall on every boundary.
    std::string contenuto;
    std::vector<std::string> attese;
    for (int i = 0; contenuto.size() < 3 * 256 * 1024 + 17; ++i) {
        std::string riga;
        for (int k = 0; k <= i % 4; ++k) {
            if (k > 0) riga += ' ';
            if (i % 11 == 0) riga += '0';
            riga += std::to_string(1 + (i + k) % 90);
        }
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
