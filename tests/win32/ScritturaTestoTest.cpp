// The command's texts: a pipe (as a file) gets their UTF-8 bytes exactly; a console gets their
// characters, whatever its code page.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "cli/Elencario.h"
#include "cli/ScritturaTesto.h"
#include "systems/Utf16.h"

namespace elencario::test {
namespace {

constexpr const char* kTesto = "Il file è già lì: Città\n";

// A pipe, as a program's output read by another, gets the UTF-8 bytes as they are.
TEST(ScritturaTestoTest, APipeGetsTheBytesAsTheyAre) {
    int tubo[2];
    ASSERT_EQ(_pipe(tubo, 4096, _O_BINARY), 0);
    std::FILE* f = _fdopen(tubo[1], "wb");
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(ScriviTesto(f, "Prima ") && ScriviTesto(f, kTesto));
    std::fclose(f);
    std::string letto;
    for (char c; _read(tubo[0], &c, 1) == 1;) letto += c;
    _close(tubo[0]);
    EXPECT_EQ(letto, std::string("Prima ") + kTesto);
}

// What writes to a console, and a part of what the console must then show from where its cursor
// was, row after row.
struct SullaConsole {
    const char* nome;
    void (*scrivi)(std::FILE* f, const CartellaProvvisoria& cartella);
    std::wstring atteso;
};

class ScritturaConsoleTest : public ::testing::TestWithParam<SullaConsole> {};

TEST_P(ScritturaConsoleTest, AConsoleGetsTheCharacters) {
    const CartellaProvvisoria cartella;
    // A console of this test's own, whatever the process was started with.
    ::FreeConsole();
    ASSERT_TRUE(::AllocConsole());
    // A code page in which the accents are other characters, as on many consoles.
    ::SetConsoleOutputCP(437);
    // The console as a program's standard output is: open for reading and writing.
    const auto apri = [] {
        return ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    };
    std::FILE* f = _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(apri()), _O_WRONLY), "w");
    ASSERT_NE(f, nullptr);
    const HANDLE console = apri();
    ASSERT_NE(console, INVALID_HANDLE_VALUE);
    CONSOLE_SCREEN_BUFFER_INFO prima{};
    ASSERT_TRUE(::GetConsoleScreenBufferInfo(console, &prima));
    GetParam().scrivi(f, cartella);
    std::fclose(f);
    std::wstring letto(static_cast<std::size_t>(prima.dwSize.X) * 4, L'\0');
    DWORD n = 0;
    ASSERT_TRUE(::ReadConsoleOutputCharacterW(
        console, letto.data(), static_cast<DWORD>(letto.size()), prima.dwCursorPosition, &n));
    ::CloseHandle(console);
    ::FreeConsole();
    EXPECT_NE(letto.substr(0, n).find(GetParam().atteso), std::wstring::npos)
        << "letto: " << Utf8(letto.substr(0, n));
}

void Testo(std::FILE* f, const CartellaProvvisoria&) {
    EXPECT_TRUE(ScriviTesto(f, "Il file è già lì: Città"));
}

// The command's listing, headed by the system's name.
void Elenco(std::FILE* f, const CartellaProvvisoria& cartella) {
    const std::string sistema = TestoDaPercorso(cartella.Scrivi("Città.txt", "1 2 3\r\n"));
    EXPECT_EQ(EseguiElencario({"--nome", sistema}, f, stderr), kEsitoOk);
}

INSTANTIATE_TEST_SUITE_P(Testi, ScritturaConsoleTest,
                         ::testing::Values(SullaConsole{"Messaggio", Testo,
                                                        L"Il file è già lì: Città"},
                                           SullaConsole{"Elenco", Elenco, L"CITTÀ.TXT - "}),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace elencario::test
