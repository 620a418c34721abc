#include <gtest/gtest.h>

#include "systems/Routines.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

// Joins parts with the platform's separator.
std::string S(std::initializer_list<std::string> parti) {
    std::string testo;
    for (const std::string& p : parti) testo += p + kSeparatore;
    testo.pop_back();
    return testo;
}

TEST(NomeSistemaTest, LastComponentWithItsLettersUpperCased) {
    EXPECT_EQ(NomeSistema(S({"", "x", "città.txt"})), "CITTÀ.TXT");
    // Each range of lower-case letters at both ends, with what lies just past them kept.
    EXPECT_EQ(NomeSistema("`az{ ßÀàþÿ÷ ΰαωσςϋάέίόύώϏΆ аяѐџѠ ĀāįıĳķĸĹĺňŉŋŷŸźžſ"),
              "`AZ{ ßÀÀÞŸ÷ ΰΑΩΣΣΫΆΈΊΌΎΏϏΆ АЯЀЏѠ ĀĀĮıĲĶĸĹĹŇŉŊŶŸŹŽſ");
    // Bytes that are not a two-byte letter stay as they are.
    EXPECT_EQ(NomeSistema("a\xC3 \xFFz €\xC1\xA1"), "A\xC3 \xFFZ €\xC1\xA1");
}

TEST(CercaPercorsoSistemiTest, BesideProgramFirstThenInstalledShare) {
    const test::TempFolder radice;
    const std::string bin = S({radice.Text(), "bin"});
    const std::string accanto = S({bin, "Shared", "Sistemi", ""});
    const std::string installati = S({radice.Text(), "share", "stampa-elencario", "Sistemi", ""});
    EXPECT_EQ(PercorsoSistemiDa(bin), accanto);
    EXPECT_EQ(CercaPercorsoSistemi(bin), accanto);  // neither: the refusal names this one
    EXPECT_FALSE(EsisteCartella(TestoDaPercorso(radice.Write("file", ""))));
    std::filesystem::create_directories(PercorsoDaTesto(installati));
    EXPECT_EQ(CercaPercorsoSistemi(bin), installati);
    std::filesystem::create_directories(PercorsoDaTesto(accanto));
    EXPECT_EQ(CercaPercorsoSistemi(bin), accanto);
}

}  // namespace
}  // namespace elencario
