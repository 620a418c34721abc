#include <gtest/gtest.h>

#include "systems/Routines.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

TEST(MaiuscoloUtf8Test, EveryRangeOfLowerCaseLettersToItsEdges) {
    // What lies just past each range stays as it is.
    EXPECT_EQ(MaiuscoloUtf8("`az{ ßÀàþÿ÷ ΰαωσςϋάέίόύώϏΆ аяѐџѠ ĀāįıĳķĸĹĺňŉŋŷŸźžſ"),
              "`AZ{ ßÀÀÞŸ÷ ΰΑΩΣΣΫΆΈΊΌΎΏϏΆ АЯЀЏѠ ĀĀĮıĲĶĸĹĹŇŉŊŶŸŹŽſ");
    // So do bytes that are not a two-byte letter.
    EXPECT_EQ(MaiuscoloUtf8("a\xC3 \xFFz €\xC1\xA1"), "A\xC3 \xFFZ €\xC1\xA1");
}

TEST(CercaPercorsoSistemiTest, BesideProgramFirstThenInstalledShare) {
    const test::TempFolder radice;
    const std::string s(1, kSeparatore);
    const std::string bin = radice.Text() + s + "bin";
    const std::string accanto = bin + s + "Shared" + s + "Sistemi" + s;
    const std::string installati =
        radice.Text() + s + "share" + s + "stampa-elencario" + s + "Sistemi" + s;
    EXPECT_EQ(PercorsoSistemiDa(bin), accanto);
    EXPECT_EQ(CercaPercorsoSistemi(bin), accanto);  // neither: the refusal names this one
    std::filesystem::create_directories(PercorsoDaTesto(installati));
    EXPECT_EQ(CercaPercorsoSistemi(bin), installati);
    std::filesystem::create_directories(PercorsoDaTesto(accanto));
    EXPECT_EQ(CercaPercorsoSistemi(bin), accanto);
}

}  // namespace
}  // namespace elencario
