// The command's texts on Windows: a console gets their characters, a pipe their UTF-8 bytes.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "cli/Elencario.h"
#include "cli/UsciteWin32.h"
#include "systems/Utf16.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;

// The listing's header on a console whose code page has other characters for the accents, as
// many have: the console shows the name's characters from where its cursor was.
TEST(ScritturaTestoTest, AConsoleGetsTheCharacters) {
    const CartellaProvvisoria cartella;
    ::FreeConsole();
    ASSERT_TRUE(::AllocConsole());
    ::SetConsoleOutputCP(437);
    // The console as a program's standard output is: open for reading and writing.
    const HANDLE console =
        ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    std::FILE* f = _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(console), _O_WRONLY), "w");
    ASSERT_NE(f, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO prima{};
    ASSERT_TRUE(::GetConsoleScreenBufferInfo(console, &prima));
    const std::string sistema = TestoDaPercorso(cartella.Scrivi("Città.txt", "1 2 3\r\n"));
    EXPECT_EQ(EseguiElencario({"--nome", sistema}, f, stderr), kEsitoOk);
    std::fflush(f);
    std::wstring letto(static_cast<std::size_t>(prima.dwSize.X) * 4, L'\0');
    DWORD n = 0;
    ASSERT_TRUE(::ReadConsoleOutputCharacterW(
        console, letto.data(), static_cast<DWORD>(letto.size()), prima.dwCursorPosition, &n));
    std::fclose(f);  // the console's handle with it
    ::FreeConsole();
    EXPECT_NE(letto.substr(0, n).find(L"CITTÀ.TXT - "), std::wstring::npos)
        << "letto: " << Utf8(letto.substr(0, n));
}

// Where wine has no "Microsoft Print to PDF", --pdf says so and leaves nothing in its place.
TEST(ScritturaTestoTest, WithoutThePdfPrinterThePdfIsRefusedOnAPipeAsItsBytesAndNotWritten) {
    const CartellaProvvisoria cartella;
    const std::string sistema = TestoDaPercorso(cartella.Scrivi("Città.txt", "1 2 3\r\n"));
    int tubo[2];
    ASSERT_EQ(_pipe(tubo, 4096, _O_BINARY), 0);
    std::FILE* errori = _fdopen(tubo[1], "wb");
    ASSERT_NE(errori, nullptr);
    const std::string pdf = TestoDaPercorso(cartella.path() / "uscita.pdf");
    EXPECT_EQ(EseguiElencario({"--pdf", pdf, sistema}, stdout, errori, UsciteWin32().Uscite()),
              kEsitoFallito);
    std::fclose(errori);
    std::string letto;
    for (char c; _read(tubo[0], &c, 1) == 1;) letto += c;
    _close(tubo[0]);
    EXPECT_EQ(letto,
              "La stampante Microsoft Print to PDF non è installata: il file non viene scritto\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(cartella.path()), {}), 1);  // the system
}

}  // namespace
}  // namespace elencario::test
