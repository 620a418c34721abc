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

std::string Nome(const ::testing::TestParamInfo<Caso>& info) {
    return info.param.nome;
}

class NomeSistemaRulesTest : public ::testing::TestWithParam<Caso> {};

TEST_P(NomeSistemaRulesTest, LastComponentUpperCased) {
    EXPECT_EQ(NomeSistema(GetParam().percorso), GetParam().atteso);
}

const Caso kNomi[] = {
#ifdef _WIN32
    {"DrivePath", "C:\\Prog\\Shared\\Sistemi\\sistema1.txt", "SISTEMA1.TXT"},
    {"DoubledBackslash", "C:\\Sistemi\\\\terni.txt", "TERNI.TXT"},
    {"TrailingBackslash", "C:\\Sistemi\\", ""},
    {"ForwardSlashIsOrdinary", "C:\\Sistemi\\a/b.txt", "A/B.TXT"},
    {"UncPath", "\\\\server\\share\\quaterne.txt", "QUATERNE.TXT"},
#else
    {"DoubledSlash", "/opt/Sistemi//terni.txt", "TERNI.TXT"},
    {"TrailingSlash", "/opt/Sistemi/", ""},
    {"BackslashIsOrdinary", "/opt/Sistemi/a\\b.txt", "A\\B.TXT"},
#endif
    {"BareName", "ambo.txt", "AMBO.TXT"},
};
INSTANTIATE_TEST_SUITE_P(Paths, NomeSistemaRulesTest, ::testing::ValuesIn(kNomi), Nome);

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
const Caso kCartelle[] = {
    {"FolderWithTrailingSeparator", S + "Sistemi" + S, "1"},
    {"FolderThroughDoubledSeparator", S + S + "Sistemi", "1"},
    {"File", S + "file.TXT", ""},
    {"FileWithTrailingSeparator", S + "file.TXT" + S, ""},
    {"UpOneLevel", S + "Sistemi" + S + "..", "1"},
#ifdef _WIN32
    {"ForwardSlashesAlsoWork", "/Sistemi/", "1"},
    {"MalformedName", S + "a<b>|", ""},
    {"CaseDoesNotMatter", S + "SISTEMI" + S, "1"},
#else
    {"CaseMatters", S + "SISTEMI" + S, ""},
    {"EmbeddedNul", S + std::string("Sist\0emi", 8), ""},
#endif
};
INSTANTIATE_TEST_SUITE_P(Paths, EsisteCartellaRulesTest, ::testing::ValuesIn(kCartelle), Nome);

}  // namespace
}  // namespace elencario
