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
