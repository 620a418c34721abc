// The path rules of both platforms: which character separates, what a folder is.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/MemoryFileSource.h"
#include "systems/Routines.h"
#include "systems/SystemReader.h"
#include "tests/hardening/FileOstili.h"

namespace elencario {
namespace {

struct CasoNome {
    const char* nome;
    std::string percorso;
    std::string atteso;
};

void PrintTo(const CasoNome& c, std::ostream* os) {
    *os << c.nome;
}

class NomeSistemaRulesTest : public ::testing::TestWithParam<CasoNome> {};

TEST_P(NomeSistemaRulesTest, LastComponentUpperCased) {
    EXPECT_EQ(NomeSistema(GetParam().percorso), GetParam().atteso);
}

const CasoNome kNomi[] = {
#ifdef _WIN32
    CasoNome{"DrivePath", "C:\\Prog\\Shared\\Sistemi\\sistema1.txt", "SISTEMA1.TXT"},
    CasoNome{"DoubledBackslash", "C:\\Sistemi\\\\terni.txt", "TERNI.TXT"},
    CasoNome{"DriveRootDoubled", "D:\\\\ambo.txt", "AMBO.TXT"},
    CasoNome{"TrailingBackslash", "C:\\Sistemi\\", ""},
    CasoNome{"ForwardSlashIsOrdinary", "C:\\Sistemi\\a/b.txt", "A/B.TXT"},
    CasoNome{"UncPath", "\\\\server\\share\\quaterne.txt", "QUATERNE.TXT"},
#else
    CasoNome{"AbsolutePath", "/opt/prog/Shared/Sistemi/sistema1.txt", "SISTEMA1.TXT"},
    CasoNome{"DoubledSlash", "/opt/Sistemi//terni.txt", "TERNI.TXT"},
    CasoNome{"RootDoubled", "//ambo.txt", "AMBO.TXT"},
    CasoNome{"TrailingSlash", "/opt/Sistemi/", ""},
    CasoNome{"BackslashIsOrdinary", "/opt/Sistemi/a\\b.txt", "A\\B.TXT"},
#endif
    CasoNome{"BareName", "ambo.txt", "AMBO.TXT"},
    CasoNome{"AccentedName", std::string("x") + kSeparatore + "città.txt", "CITTÀ.TXT"},
};

INSTANTIATE_TEST_SUITE_P(Paths, NomeSistemaRulesTest, ::testing::ValuesIn(kNomi),
                         [](const auto& info) { return std::string(info.param.nome); });

// Folder texts built on a real temporary folder: `suffisso` is appended to its path.
struct CasoCartella {
    const char* nome;
    std::string suffisso;
    bool attesa;
};

void PrintTo(const CasoCartella& c, std::ostream* os) {
    *os << c.nome;
}

class EsisteCartellaRulesTest : public ::testing::TestWithParam<CasoCartella> {};

TEST_P(EsisteCartellaRulesTest, ByAttributes) {
    const test::TempFolder cartella;
    cartella.Write("file.TXT", "1");
    std::filesystem::create_directory(cartella.path() / "Sistemi");
    EXPECT_EQ(EsisteCartella(cartella.Text() + GetParam().suffisso), GetParam().attesa);
}

const std::string S(1, kSeparatore);

const CasoCartella kCartelle[] = {
    CasoCartella{"Folder", S + "Sistemi", true},
    CasoCartella{"FolderWithTrailingSeparator", S + "Sistemi" + S, true},
    CasoCartella{"FolderThroughDoubledSeparator", S + S + "Sistemi" + S, true},
    CasoCartella{"File", S + "file.TXT", false},
    CasoCartella{"FileWithTrailingSeparator", S + "file.TXT" + S, false},
    CasoCartella{"Missing", S + "manca" + S, false},
#ifdef _WIN32
    CasoCartella{"ForwardSlashesAlsoWork", "/Sistemi/", true},
    CasoCartella{"MalformedName", S + "a<b>|", false},
    CasoCartella{"CaseDoesNotMatter", S + "SISTEMI" + S, true},
#else
    CasoCartella{"CaseMatters", S + "SISTEMI" + S, false},
    CasoCartella{"EmbeddedNul", S + std::string("Sist\0emi", 8), false},
#endif
    CasoCartella{"UpOneLevel", S + "Sistemi" + S + "..", true},
};

INSTANTIATE_TEST_SUITE_P(Paths, EsisteCartellaRulesTest, ::testing::ValuesIn(kCartelle),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(PathRulesTest, FileSistemaJoinsWithThePlatformSeparator) {
    MemoryFileSource sorgente("1 2\r\n");
    VARIABILI v;
    ASSERT_EQ(CaricaSistema(v, "Sistemi", "a.TXT", sorgente), 0);
    EXPECT_EQ(v.FileSistema, "Sistemi" + S + "a.TXT");
    EXPECT_EQ(sorgente.LastPath(), PercorsoDaTesto("Sistemi" + S + "a.TXT"));
    EXPECT_EQ(NomeSistema(v.FileSistema), "A.TXT");
}

TEST(PathRulesTest, FolderEndingWithSeparatorStillOpens) {
    const test::TempFolder cartella;
    cartella.Write("radice.TXT", "5 6\r\n");
    VARIABILI v;
    ASSERT_EQ(CaricaSistema(v, cartella.Text() + S, "radice.TXT"), 0);
    EXPECT_EQ(v.FileSistema, cartella.Text() + S + S + "radice.TXT");
    EXPECT_EQ(v.TotCombinazioni, 1);
}

}  // namespace
}  // namespace elencario
