// The lists' entries and names as both windows show them, on the real file system of the
// platform (hidden files are a name on POSIX, an attribute on Windows).
#include <gtest/gtest.h>

#include "app/VociCartella.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace elencario::test {
namespace {

struct Modello {
    const char *nome, *file, *modello;
    bool corrisponde;
};
class ModelloTest : public testing::TestWithParam<Modello> {};
TEST_P(ModelloTest, TheWholeNameMatchesWithoutRegardToCase) {
    EXPECT_EQ(CorrispondeModello(GetParam().file, GetParam().modello), GetParam().corrisponde);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(File1, ModelloTest, testing::Values(
    Modello{"LowerCase", "sistema1.txt", "*.TXT", true},
    Modello{"OnlyTheExtension", ".txt", "*.TXT", true},
    Modello{"ExtensionInTheMiddle", "a.txt.bak", "*.TXT", false},
    Modello{"AccentedLettersFoldCase", "\xC3\x80.TXT", "\xC3\xA0.txt", true},
    Modello{"QuestionMarkIsOneCharacter", "\xC3\xA8.txt", "?.TXT", true},
    Modello{"QuestionMarkNeedsOne", ".txt", "?.TXT", false},
    Modello{"StarBacktracks", "a.txt.txt", "*.TXT", true},
    Modello{"TrailingStarMatchesNothing", "a", "A*", true}),
    NomeRiga);
// clang-format on

// File1's names and Dir1's subfolders, of one folder: files and folders each sorted without regard
// to case and only their own kind, hidden ones and pipes left out; first in Dir1, the chain.
TEST(VociCartellaTest, FileNamesAndFolderEntriesAreSortedEachOfItsOwnKindAfterTheChain) {
    const CartellaProvvisoria provvisoria;
    const std::filesystem::path cartella = CartellaNormale(provvisoria.path() / "Sistemi");
    for (const char* nome : {"beta", "Alfa", "cartella.txt"})
        std::filesystem::create_directories(cartella / nome);
    for (const char* nome : {"b.txt", "A.TXT", "z.TXTX", "c.Txt", "d.dat", "citt\xC3\xA0.txt"})
        provvisoria.Scrivi(std::string("Sistemi/") + nome, "1 2 3\r\n");
#ifdef _WIN32
    const std::filesystem::path nascosto = provvisoria.Scrivi("Sistemi/nascosto.txt", "1\r\n");
    ASSERT_TRUE(::SetFileAttributesW(nascosto.c_str(), FILE_ATTRIBUTE_HIDDEN));
#else
    provvisoria.Scrivi("Sistemi/.nascosto.txt", "1\r\n");
    ASSERT_EQ(::mkfifo((cartella / "tubo.txt").c_str(), 0600), 0);  // not a regular file
#endif
    const auto trovati = FileCorrispondenti(cartella, "*.TXT");
    ASSERT_TRUE(trovati.has_value());
    std::vector<std::string> nomi;
    for (const auto& p : *trovati) nomi.push_back(TestoDaPercorso(p.filename()));
    EXPECT_EQ(nomi, (std::vector<std::string>{"A.TXT", "b.txt", "c.Txt", "citt\xC3\xA0.txt"}));
    std::vector<std::filesystem::path> attese{cartella.root_path()};
    for (std::filesystem::path p = cartella; p.has_relative_path(); p = p.parent_path())
        attese.insert(attese.begin() + 1, p);
    const std::size_t catena = attese.size();
    attese.insert(attese.end(), {cartella / "Alfa", cartella / "beta", cartella / "cartella.txt"});
    EXPECT_EQ(VociDi(cartella), (VociCartelle{attese, catena}));
    EXPECT_FALSE(FileCorrispondenti(cartella / "manca", "*.TXT").has_value());
    EXPECT_FALSE(VociDi(cartella / "manca").has_value());
}

}  // namespace
}  // namespace elencario::test
