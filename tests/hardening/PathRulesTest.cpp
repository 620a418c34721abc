// The path rules of both platforms: which character separates, what a folder is.
#include <gtest/gtest.h>

#include "systems/Routines.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

TEST(PathRulesTest, OnlyThePlatformsSeparatorEndsTheFolderPart) {
#ifdef _WIN32
    EXPECT_EQ(NomeSistema("\\\\server\\Sistemi\\\\a/b.txt"), "A/B.TXT");
#else
    EXPECT_EQ(NomeSistema("/opt/Sistemi//a\\b.txt"), "A\\B.TXT");
#endif
    EXPECT_EQ(NomeSistema(std::string("Sistemi") + kSeparatore), "");
}

TEST(PathRulesTest, AFolderByItsAttributesWrittenAsThePlatformAllows) {
    const test::TempFolder t;
    t.Write("file.TXT", "1");
    std::filesystem::create_directory(t.path() / "Sistemi");
    const std::string c = t.Text() + kSeparatore;
    EXPECT_TRUE(EsisteCartella(c + "Sistemi" + kSeparatore));
    EXPECT_FALSE(EsisteCartella(c + "file.TXT"));
    EXPECT_FALSE(EsisteCartella(c + "file.TXT" + kSeparatore));
#ifdef _WIN32
    EXPECT_TRUE(EsisteCartella(c + "SISTEMI/"));
    EXPECT_FALSE(EsisteCartella(c + "a<b>|"));
#else
    EXPECT_FALSE(EsisteCartella(c + "SISTEMI"));
#endif
}

}  // namespace
}  // namespace elencario
