#include <gtest/gtest.h>

#include "systems/Routines.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

std::string S(std::initializer_list<const char*> parti) {
    // Joins parts with the platform's separator.
    std::string testo;
    for (const char* p : parti) {
        if (!testo.empty() || p[0] == '\0') testo += kSeparatore;
        testo += p;
    }
    return testo;
}

TEST(NomeSistemaTest, UpperCasesAccentedLetters) {
    EXPECT_EQ(NomeSistema(S({"", "x", "città.txt"})), "CITTÀ.TXT");
    EXPECT_EQ(NomeSistema("perché è così"), "PERCHÉ È COSÌ");
    EXPECT_EQ(NomeSistema("łódź ÿ"), "ŁÓDŹ Ÿ");
    EXPECT_EQ(NomeSistema("система"), "СИСТЕМА");
    EXPECT_EQ(NomeSistema("ß÷1"), "ß÷1");  // no single upper-case letter, not a letter, a digit
}

TEST(NomeSistemaTest, KeepsInvalidUtf8) {
    EXPECT_EQ(NomeSistema("a\xC3"), "A\xC3");
    EXPECT_EQ(NomeSistema("\xFFz"), "\xFFZ");
}

TEST(PercorsoSistemiTest, AppendsSharedSistemiWithSeparators) {
    EXPECT_EQ(PercorsoSistemiDa(S({"", "opt", "prog"})),
              S({"", "opt", "prog", "Shared", "Sistemi", ""}));
}

TEST(EsisteCartellaTest, FindsSystemsFolderBesideProgram) {
    const test::TempFolder cartella;
    const std::string percorso = PercorsoSistemiDa(cartella.Text());
    EXPECT_FALSE(EsisteCartella(percorso));
    std::filesystem::create_directories(PercorsoDaTesto(percorso));
    EXPECT_TRUE(EsisteCartella(percorso));
    EXPECT_FALSE(EsisteCartella(""));
}

TEST(CercaPercorsoSistemiTest, BesideProgramFirstThenInstalledShare) {
    const test::TempFolder radice;
    const std::string bin = S({radice.Text().c_str(), "bin"});
    const std::string accanto = PercorsoSistemiDa(bin);
    const std::string installati =
        S({radice.Text().c_str(), "share", "stampa-elencario", "Sistemi", ""});
    EXPECT_EQ(CercaPercorsoSistemi(bin), accanto);  // neither: the refusal names this one
    std::filesystem::create_directories(PercorsoDaTesto(installati));
    EXPECT_EQ(CercaPercorsoSistemi(bin), installati);
    std::filesystem::create_directories(PercorsoDaTesto(accanto));
    EXPECT_EQ(CercaPercorsoSistemi(bin), accanto);
}

}  // namespace
}  // namespace elencario
