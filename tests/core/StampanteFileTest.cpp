// The plain-text printer hands its text on in blocks of whole characters, however the text came.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "printing/StampanteFile.h"

namespace elencario {
namespace {

std::vector<std::string> blocchi;

bool Registra(std::FILE*, std::string_view testo) {
    blocchi.emplace_back(testo);
    return true;
}

// Past the size at which pending text is written, ending halfway through an "è".
const std::string kPrima = std::string((1 << 20) - 1, 'a') + "\xC3";
constexpr std::string_view kDopo = "\xA8\n";

struct CasoBlocchi {
    const char* nome;
    friend void PrintTo(const CasoBlocchi& c, std::ostream* os) { *os << c.nome; }
    void (*stampa)(StampanteFile& p);
};

class FilePrinterTest : public ::testing::TestWithParam<CasoBlocchi> {};

TEST_P(FilePrinterTest, NoBlockSplitsACharacter) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    blocchi.clear();
    StampanteFile p(file, Registra);
    GetParam().stampa(p);
    EXPECT_EQ(p.ChiudiDocumento(), StatoStampa::Ok);
    std::fclose(file);
    std::string tutto;
    for (const std::string& b : blocchi) {
        EXPECT_FALSE(b.empty() || (b.front() & 0xC0) == 0x80) << "blocco " << tutto.size();
        tutto += b;
    }
    EXPECT_EQ(tutto, kPrima + std::string(kDopo));
}

INSTANTIATE_TEST_SUITE_P(Modi, FilePrinterTest,
                         ::testing::Values(CasoBlocchi{"Testi",
                                                       [](StampanteFile& p) {
                                                           p.Stampa(kPrima);
                                                           p.Stampa(kDopo);
                                                       }},
                                           CasoBlocchi{"TestoPoiRighe",
                                                       [](StampanteFile& p) {
                                                           p.Stampa(kPrima);
                                                           p.StampaRighe({kDopo});
                                                       }},
                                           CasoBlocchi{"Righe",
                                                       [](StampanteFile& p) {
                                                           p.StampaRighe({kPrima});
                                                           p.StampaRighe({kDopo});
                                                       }}),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace elencario
