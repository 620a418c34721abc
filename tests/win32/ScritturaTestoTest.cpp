// The command's texts: a file or a pipe gets their UTF-8 bytes exactly; a console gets their
// characters, whatever its code page.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "cli/ScritturaTesto.h"

namespace elencario::test {
namespace {

constexpr const char* kTesto = "Il file è già lì: Città\n";

// What reaches the other end of a FILE* written with ScriviTesto: a file's bytes, or a pipe's.
struct Uscita {
    const char* nome;
    std::string (*scrivi)(const std::string& testo);
};

std::string SuFile(const std::string& testo) {
    CartellaProvvisoria cartella;
    const auto percorso = cartella.path() / "uscita.txt";
    std::FILE* f = _wfopen(percorso.c_str(), L"wb");
    if (f == nullptr) return "non aperto";
    const bool scritto = ScriviTesto(f, "Prima ") && ScriviTesto(f, testo);
    std::fclose(f);
    std::ifstream in(percorso, std::ios::binary);
    return scritto ? std::string(std::istreambuf_iterator<char>(in), {}) : "non scritto";
}

std::string SuTubo(const std::string& testo) {
    HANDLE lettura = nullptr;
    HANDLE scrittura = nullptr;
    if (!::CreatePipe(&lettura, &scrittura, nullptr, 0)) return "nessun tubo";
    std::string letto;
    std::thread lettore([&] {
        char blocco[256];
        DWORD n = 0;
        while (::ReadFile(lettura, blocco, sizeof blocco, &n, nullptr) && n > 0) {
            letto.append(blocco, n);
        }
    });
    std::FILE* f = _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(scrittura), _O_WRONLY), "wb");
    const bool scritto = f != nullptr && ScriviTesto(f, "Prima ") && ScriviTesto(f, testo);
    if (f != nullptr) std::fclose(f);
    lettore.join();
    ::CloseHandle(lettura);
    return scritto ? letto : "non scritto";
}

class ScritturaTestoTest : public ::testing::TestWithParam<Uscita> {};

TEST_P(ScritturaTestoTest, GetsTheBytesAsTheyAre) {
    EXPECT_EQ(GetParam().scrivi(kTesto), std::string("Prima ") + kTesto);
}

INSTANTIATE_TEST_SUITE_P(Uscite, ScritturaTestoTest,
                         ::testing::Values(Uscita{"File", SuFile}, Uscita{"Tubo", SuTubo}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(ScritturaTestoConsoleTest, AConsoleGetsTheCharacters) {
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
    EXPECT_TRUE(ScriviTesto(f, "Il file è già lì: Città"));
    std::fclose(f);
    std::wstring letto(23, L'\0');
    DWORD n = 0;
    ASSERT_TRUE(::ReadConsoleOutputCharacterW(
        console, letto.data(), static_cast<DWORD>(letto.size()), prima.dwCursorPosition, &n));
    ::CloseHandle(console);
    ::FreeConsole();
    EXPECT_EQ(letto.substr(0, n), L"Il file è già lì: Città");
}

}  // namespace
}  // namespace elencario::test
