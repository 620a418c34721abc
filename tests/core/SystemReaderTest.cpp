#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "systems/NumeriErrore.h"
#include "systems/PlatformFileSource.h"
#include "systems/Routines.h"
#include "systems/SystemReader.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

// A row of `pezzi` numbers, "1 2 … 90 1 2 …".
std::string Pezzi(std::size_t pezzi) {
    std::string riga;
    for (std::size_t i = 0; i < pezzi; ++i)
        riga.append(i > 0 ? " " : "").append(std::to_string(i % 90 + 1));
    return riga;
}

// Rows of 1 to 4 numbers, some with leading zeros or quoted, over several read blocks so that every
// kind of byte falls on a block boundary: the file's bytes, or (`righe`) the rows it gives.
std::string Blocchi(bool righe) {
    std::string testo;
    for (int i = 0; i < 100'000; ++i) {
        std::string riga = std::string(i % 11 ? "" : "0").append(std::to_string(1 + i % 90));
        for (int k = 1; k <= i % 4; ++k)
            riga.append(i % 11 ? " " : " 0").append(std::to_string(1 + (i + k) % 90));
        const bool virgolette = !righe && i % 7 == 0;
        if (virgolette) std::replace(riga.begin(), riga.end(), ' ', ',');
        testo += (virgolette ? '"' + riga + '"' : riga) + (righe ? "|" : i % 5 ? "\r\n" : "\n");
    }
    return testo;
}

struct Caso {
    const char* nome;
    friend void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }
    std::string contenuto;  // the file holds `volte` copies of it
    int errore;             // 0: the file loads, giving `righe`, each ended by '|'
    std::string righe = "";
    std::size_t volte = 1;
};
class ContentTest : public ::testing::TestWithParam<Caso> {};
// A file either loads whole, replacing the system loaded before, or fails and leaves that one as
// it was. Rows may take 4 MiB only: a failing row is decided at its first bad piece, never held.
TEST_P(ContentTest, LoadsWholeOrKeepsSystemLoadedBefore) {
    const Caso& c = GetParam();
    const test::TempFolder cartella;
    VARIABILI v;
    cartella.Write("prima.txt", "3 15 27\r\n8 15 42\r\n");
    ASSERT_EQ(CaricaSistema(v, cartella.Text(), "prima.txt"), 0);
    const VARIABILI prima = v;
    cartella.Write("dopo.txt", c.contenuto, c.volte);
    PlatformFileSource sorgente;
    ASSERT_EQ(CaricaSistema(v, cartella.Text(), "dopo.txt", sorgente, {4 << 20}), c.errore);
    if (c.errore != 0) {
        EXPECT_EQ(v, prima);
        return;
    }
    EXPECT_EQ(v.FileSistema, cartella.Text() + kSeparatore + "dopo.txt");
    std::string righe;
    for (std::size_t i = 0; i < v.Combinazioni.size(); ++i) righe.append(v.Combinazioni[i]) += '|';
    EXPECT_EQ(righe, c.righe);
    EXPECT_EQ(v.TotCombinazioni, std::count(c.righe.begin(), c.righe.end(), '|'));
    // The numbers in play are those of the rows, each once.
    std::array<std::int16_t, kNumeroMassimo + 1> numeri{};
    std::replace(righe.begin(), righe.end(), '|', ' ');
    std::istringstream pezzi(std::move(righe));
    for (int n = 0; pezzi >> n;) numeri.at(static_cast<std::size_t>(n)) = 1;
    EXPECT_EQ(v.NumeriGioco, numeri);
    EXPECT_EQ(v.TotNumeri, std::count(numeri.begin(), numeri.end(), 1));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, ContentTest, ::testing::Values(
    Caso{"LineEnds", "1 2\r\n3 4\n5\r6\n\r7", 0, "1 2|3 4|5|6|7|"},
    Caso{"Blanks", "  01  02\t03 \r\n\t \t7 8\r\n\r\n  \r\n1\t\t2\r\n\t\t", 0, "01 02 03|7 8|1 2|"},
    Caso{"Quotes", "10,20,\"30,40\"\r\n\"1 2\"x y,3\r\n\"\"\r\n5,\r\n\"4, 5, 6", 0,
         "10|20|30 40|1 2|3|5|4 5 6|"},
    Caso{"QuotedBlanksEmptyRow", "\"  ,\t \"\r\n", 0, "|"},
    Caso{"SignsZerosRepeats", "5 5 5\r\n+5 005 90", 0, "5 5 5|+5 005 90|"},
    Caso{"EmptyFile", "", 0}, Caso{"OnlyBlanks", "  \r\n \t ", 0},
    Caso{"AcrossBlocks", Blocchi(false), 0, Blocchi(true)},
    Caso{"EmptyFields2M", ",", 0, "", 2'000'000},
    Caso{"Pieces32767", Pezzi(32767), 0, Pezzi(32767) + "|"},
    Caso{"Letter", "7 x\r\n", kErroreTipo}, Caso{"SignAlone", "-", kErroreTipo},
    Caso{"NinetyOne", "1 2\r\n3 4\r\n7 91\r\n1", kErroreIndice}, Caso{"Zero", "00", kErroreIndice},
    Caso{"Negative", "-5", kErroreIndice}, Caso{"Past16Bits", "40000", kErroreOverflow},
    Caso{"Max", "32767", kErroreIndice}, Caso{"PastMax", "32768", kErroreOverflow},
    Caso{"Min", "-32768", kErroreIndice}, Caso{"PastMin", "-32769", kErroreOverflow},
    Caso{"HugeThenLetter", "1 99999999999999999999x", kErroreTipo},
    Caso{"TwoSigns", "+-5", kErroreTipo}, Caso{"Exponent", "1e2", kErroreTipo},
    Caso{"Fraction", "1.5", kErroreTipo}, Caso{"QuoteInField", "1\"2", kErroreTipo},
    Caso{"FirstBadDecides", "1 x 40000 91", kErroreTipo},
    Caso{"ThreeSpaces", "\"1   2\"", kErroreTipo},
    Caso{"SpaceTabSpace", "1 \t 2", kErroreTipo}, Caso{"SpaceCommaSpace", "\"1 , 2\"", kErroreTipo},
    Caso{"QuotedLineEnd", "\"1\r\n2\"", kErroreTipo},
    Caso{"Bom", "\xEF\xBB\xBF" + std::string("1 2"), kErroreTipo},
    Caso{"Nuls20MB", std::string(1, '\0'), kErroreTipo, "", 20'000'000},
    // The letter decides the row, unless it has more pieces than can be counted.
    Caso{"LetterInRow20MB", "x 1 ", kErroreOverflow, "", 5'000'000},
    Caso{"QuotedNulsCommas",
         "\"x" + std::string(3'000'000, '\0') + std::string(70'000, ',') + "1\"", kErroreOverflow},
    Caso{"Pieces32768", Pezzi(32768), kErroreOverflow},
    Caso{"LetterIn32768", "x " + Pezzi(32767), kErroreTipo},
    Caso{"Pieces40000", "1 2\r\n" + Pezzi(40000), kErroreOverflow},
    // Mostly empty pieces: a short row can still hold more than 32768 of them.
    Caso{"EmptyPieces70000", "\"1" + std::string(70'000, ' ') + "2\"", kErroreOverflow},
    Caso{"Zeros20MB", "0", kErroreIndice, "", 20'000'000}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

TEST(MaiuscoloUtf8Test, EveryRangeOfLowerCaseLettersToItsEdges) {
    // What lies just past each range stays as it is.
    EXPECT_EQ(MaiuscoloUtf8("`az{ ßÀàþÿ÷ ΰαωσςϋάέίόύώϏΆ аяѐџѠ ĀāįıĳķĸĹĺňŉŋŷŸźžſ"),
              "`AZ{ ßÀÀÞŸ÷ ΰΑΩΣΣΫΆΈΊΌΎΏϏΆ АЯЀЏѠ ĀĀĮıĲĶĸĹĹŇŉŊŶŸŹŽſ");
    // So do bytes that are not a two-byte letter.
    EXPECT_EQ(MaiuscoloUtf8("a\xC3 \xFFz €\xC1\xA1"), "A\xC3 \xFFZ €\xC1\xA1");
}

// The path rules of both platforms: only the platform's separator ends the folder part.
TEST(PathRulesTest, TheSystemsNameFollowsTheLastSeparator) {
#ifdef _WIN32
    EXPECT_EQ(NomeSistema("\\\\server\\Sistemi\\\\a/b.txt"), "A/B.TXT");
#else
    EXPECT_EQ(NomeSistema("/opt/Sistemi//a\\b.txt"), "A\\B.TXT");
#endif
    EXPECT_EQ(NomeSistema(std::string("Sistemi") + kSeparatore), "");
}

// A folder by its attributes, written as the platform allows; the systems folder beside the
// program first, then the installed one, else the one beside the program for the refusal.
TEST(PathRulesTest, FoldersAndWhereTheSystemsAreLookedFor) {
    const test::TempFolder t;
    const std::string c = t.Text() + kSeparatore, bin = c + "bin";
    t.Write("file.TXT", "1");
    EXPECT_FALSE(EsisteCartella(c + "file.TXT"));
    EXPECT_FALSE(EsisteCartella(c + "file.TXT" + kSeparatore));
    const std::string s(1, kSeparatore),
        accanto = bin + s + "Shared" + s + "Sistemi" + s,
        installati = c + "share" + s + "stampa-elencario" + s + "Sistemi" + s;
    EXPECT_EQ(PercorsoSistemiDa(bin), accanto);
    EXPECT_EQ(CercaPercorsoSistemi(bin), accanto);
    std::filesystem::create_directories(PercorsoDaTesto(installati));
    EXPECT_EQ(CercaPercorsoSistemi(bin), installati);
    std::filesystem::create_directories(PercorsoDaTesto(accanto));
    EXPECT_EQ(CercaPercorsoSistemi(bin), accanto);
    EXPECT_TRUE(EsisteCartella(c + "share"));
#ifdef _WIN32
    EXPECT_TRUE(EsisteCartella(c + "SHARE/"));
    EXPECT_FALSE(EsisteCartella(c + "a<b>|"));
#else
    EXPECT_FALSE(EsisteCartella(c + "SHARE"));
#endif
}

}  // namespace
}  // namespace elencario
