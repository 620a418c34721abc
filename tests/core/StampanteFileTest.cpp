// The plain-text printer hands its text on in blocks of whole characters, however the text came.

#include <cstdio>

#include "printing/StampanteFile.h"

namespace elencario {
namespace {

struct CasoBlocchi {
    const char* nome;
    bool primaRighe, dopoRighe;  // each part handed over as lines, else as text
};
class FilePrinterTest : public ::testing::TestWithParam<CasoBlocchi> {};
TEST_P(FilePrinterTest, NoBlockSplitsACharacter) {
    // Past the size at which pending text is written, ending halfway through an "è".
    const std::string prima = std::string((1 << 20) - 1, 'a') + "\xC3", dopo = "\xA8\n";
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    static Lines blocchi;
    blocchi.clear();
    StampanteFile p(file, [](std::FILE*, std::string_view testo) {
        blocchi.emplace_back(testo);
        return true;
    });
    for (const auto& [righe, testo] :
         {std::pair{GetParam().primaRighe, prima}, std::pair{GetParam().dopoRighe, dopo}}) {
        EXPECT_EQ(righe ? p.StampaRighe({testo}) : p.Stampa(testo), StatoStampa::Ok);
    }
    EXPECT_EQ(p.ChiudiDocumento(), StatoStampa::Ok);
    std::fclose(file);
    std::string tutto;
    for (const std::string& b : blocchi) {
        EXPECT_FALSE(b.empty() || (b.front() & 0xC0) == 0x80) << "blocco " << tutto.size();
        tutto += b;
    }
    EXPECT_EQ(tutto, prima + dopo);
}

INSTANTIATE_TEST_SUITE_P(Modi, FilePrinterTest,
                         ::testing::Values(CasoBlocchi{"Testi", false, false},
                                           CasoBlocchi{"TestoPoiRighe", false, true},
                                           CasoBlocchi{"Righe", true, true}),
                         test::NomeRiga);

}  // namespace
}  // namespace elencario
