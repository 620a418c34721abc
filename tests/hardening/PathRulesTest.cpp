// The path rules of both platforms: which character separates, what a folder is.
#include <gtest/gtest.h>

#include "systems/Routines.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

// Each row: the case, the text given, what is expected.
struct Caso {
    const char* nome;
    std::string percorso, atteso;
};

class NomeSistemaRulesTest : public ::testing::TestWithParam<Caso> {};

TEST_P(NomeSistemaRulesTest, LastComponentUpperCased) {
    EXPECT_EQ(NomeSistema(GetParam().percorso), GetParam().atteso);
}

INSTANTIATE_TEST_SUITE_P(Paths, NomeSistemaRulesTest,
                         ::testing::Values(
#ifdef _WIN32
                             Caso{"DrivePath", "C:\\Prog\\Shared\\Sistemi\\sistema1.txt",
                                  "SISTEMA1.TXT"},
                             Caso{"DoubledBackslash", "C:\\Sistemi\\\\terni.txt", "TERNI.TXT"},
                             Caso{"TrailingBackslash", "C:\\Sistemi\\", ""},
                             Caso{"ForwardSlashIsOrdinary", "C:\\Sistemi\\a/b.txt", "A/B.TXT"},
                             Caso{"UncPath", "\\\\server\\share\\quaterne.txt", "QUATERNE.TXT"},
#else
    Caso{"DoubledSlash", "/opt/Sistemi//terni.txt", "TERNI.TXT"},
    Caso{"TrailingSlash", "/opt/Sistemi/", ""},
    Caso{"BackslashIsOrdinary", "/opt/Sistemi/a\\b.txt", "A\\B.TXT"},
#endif
                             Caso{"BareName", "ambo.txt", "AMBO.TXT"}),
                         [](const auto& info) { return std::string(info.param.nome); });

// `percorso` is appended to a real folder that holds a folder Sistemi and a file file.TXT;
// `atteso` is "1" when that names a folder.
class EsisteCartellaRulesTest : public ::testing::TestWithParam<Caso> {};

TEST_P(EsisteCartellaRulesTest, ByAttributes) {
    const test::TempFolder cartella;
    cartella.Write("file.TXT", "1");
    std::filesystem::create_directory(cartella.path() / "Sistemi");
    EXPECT_EQ(EsisteCartella(cartella.Text() + GetParam().percorso), GetParam().atteso == "1");
}

const std::string S(1, kSeparatore);
INSTANTIATE_TEST_SUITE_P(
    Paths, EsisteCartellaRulesTest,
    ::testing::Values(Caso{"FolderWithTrailingSeparator", S + "Sistemi" + S, "1"},
                      Caso{"FolderThroughDoubledSeparator", S + S + "Sistemi", "1"},
                      Caso{"File", S + "file.TXT", ""},
                      Caso{"FileWithTrailingSeparator", S + "file.TXT" + S, ""},
                      Caso{"UpOneLevel", S + "Sistemi" + S + "..", "1"},
#ifdef _WIN32
                      Caso{"ForwardSlashesAlsoWork", "/Sistemi/", "1"},
                      Caso{"MalformedName", S + "a<b>|", ""},
                      Caso{"CaseDoesNotMatter", S + "SISTEMI" + S, "1"}),
#else
                       Caso{"CaseMatters", S + "SISTEMI" + S, ""},
                       Caso{"EmbeddedNul", S + std::string("Sist\0emi", 8), ""}),
#endif
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace elencario
