#include <gtest/gtest.h>

#include "systems/Conversione.h"

namespace elencario {
namespace {

struct Caso {
    const char* nome;
    const char* testo;
    int errore;
    std::int16_t valore;
};

// Test rows print as their names.
void PrintTo(const Caso& c, std::ostream* os) {
    *os << c.nome;
}

class ConversioneTest : public ::testing::TestWithParam<Caso> {};

TEST_P(ConversioneTest, ConvertsOnlySignAndDigits) {
    const Caso& c = GetParam();
    std::int16_t valore = -999;
    EXPECT_EQ(ConvertiIntero16(c.testo, valore), c.errore);
    if (c.errore == 0) {
        EXPECT_EQ(valore, c.valore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forme, ConversioneTest,
    ::testing::Values(
        Caso{"Digits", "42", 0, 42}, Caso{"LeadingZeros", "0005", 0, 5},
        Caso{"ManyLeadingZeros", "000000000000000000090", 0, 90}, Caso{"Plus", "+7", 0, 7},
        Caso{"Minus", "-7", 0, -7}, Caso{"Zero", "0", 0, 0}, Caso{"Highest", "32767", 0, 32767},
        Caso{"Lowest", "-32768", 0, -32768}, Caso{"PastHighest", "32768", kErroreOverflow, 0},
        Caso{"PastLowest", "-32769", kErroreOverflow, 0},
        Caso{"Huge", "99999999999999999999", kErroreOverflow, 0},
        Caso{"HugeThenLetter", "99999999999999999999x", kErroreTipo, 0},
        Caso{"Empty", "", kErroreTipo, 0}, Caso{"SignAlone", "-", kErroreTipo, 0},
        Caso{"TwoSigns", "+-5", kErroreTipo, 0}, Caso{"LeadingBlank", " 5", kErroreTipo, 0},
        Caso{"TrailingBlank", "5 ", kErroreTipo, 0}, Caso{"Fraction", "5.0", kErroreTipo, 0},
        Caso{"DecimalComma", "5,0", kErroreTipo, 0}, Caso{"Exponent", "1e2", kErroreTipo, 0},
        Caso{"Hex", "&H10", kErroreTipo, 0}, Caso{"Letters", "x", kErroreTipo, 0},
        Caso{"ByteOrderMark",
             "\xEF\xBB\xBF"
             "5",
             kErroreTipo, 0},
        Caso{"ArabicIndicDigit", "\xD9\xA5", kErroreTipo, 0}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace elencario
