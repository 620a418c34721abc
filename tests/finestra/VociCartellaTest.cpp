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
    friend void PrintTo(const Modello& m, std::ostream* os) { *os << m.nome; }
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

TEST(VociCartellaTest, FileNamesAreSortedWithoutRegardToCaseAndLeaveOutHiddenFilesFoldersAndPipes) {
    const CartellaProvvisoria cartella;
    for (const char* nome : {"b.txt", "A.TXT", "z.TXTX", "c.Txt", "d.dat", "citt\xC3\xA0.txt"})
        cartella.Scrivi(nome, "1 2 3\r\n");
    std::filesystem::create_directory(cartella.path() / "cartella.txt");
#ifdef _WIN32
    const std::filesystem::path nascosto = cartella.Scrivi("nascosto.txt", "1\r\n");
    ASSERT_TRUE(::SetFileAttributesW(nascosto.c_str(), FILE_ATTRIBUTE_HIDDEN));
#else
    cartella.Scrivi(".nascosto.txt", "1\r\n");
    ASSERT_EQ(::mkfifo((cartella.path() / "tubo.txt").c_str(), 0600), 0);  // not a regular file
#endif
    const auto trovati = FileCorrispondenti(cartella.path(), "*.TXT");
    ASSERT_TRUE(trovati.has_value());
    std::vector<std::string> nomi;
    for (const auto& p : *trovati) nomi.push_back(TestoDaPercorso(p.filename()));
    EXPECT_EQ(nomi, (std::vector<std::string>{"A.TXT", "b.txt", "c.Txt", "citt\xC3\xA0.txt"}));
    EXPECT_FALSE(FileCorrispondenti(cartella.path() / "manca", "*.TXT").has_value());
}

TEST(VociCartellaTest, FolderEntriesAreTheChainFromTheRootThenTheSubfolders) {
    const CartellaProvvisoria provvisoria;
    const std::filesystem::path cartella = CartellaNormale(provvisoria.path() / "Sistemi");
    for (const char* nome : {"beta", "Alfa", "gamma"})
        std::filesystem::create_directories(cartella / nome);
    provvisoria.Scrivi("Sistemi/file.txt", "1\r\n");
    std::vector<std::filesystem::path> attese{cartella.root_path()};
    for (std::filesystem::path p = cartella; p.has_relative_path(); p = p.parent_path())
        attese.insert(attese.begin() + 1, p);
    const std::size_t catena = attese.size();
    attese.insert(attese.end(), {cartella / "Alfa", cartella / "beta", cartella / "gamma"});
    EXPECT_EQ(VociDi(cartella), (VociCartelle{attese, catena}));
    EXPECT_FALSE(VociDi(cartella / "manca").has_value());
}

}  // namespace
}  // namespace elencario::test
