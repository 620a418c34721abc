// Hostile entries in the systems folder and failures of the file system: each is reported and
// leaves the system loaded before, and the entry itself, exactly as they were. The fuzz target's
// rules hold over its corpus.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "fuzz/ControlliCaricamento.h"
#include "fuzz/MemoryFileSource.h"
#include "systems/PlatformFileSource.h"
#include "systems/Routines.h"
#include "systems/SystemReader.h"
#include "tests/support/TempFolder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace elencario {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRiga = "1 2 3 4 5 6\r\n";

// The kind of an entry, and a regular file's bytes and modification time.
std::string Impronta(const fs::path& p) {
    std::ostringstream impronta;
    impronta << static_cast<int>(fs::symlink_status(p).type());
    if (fs::is_regular_file(fs::symlink_status(p))) {
        impronta << fs::last_write_time(p).time_since_epoch().count()
                 << std::ifstream(p, std::ios::binary).rdbuf();
    }
    return impronta.str();
}

TEST(FuzzCorpusTest, EverySeedKeepsTheRules) {
    int semi = 0;
    for (const auto& voce : fs::directory_iterator(ELENCARIO_CORPUS)) {
        std::ostringstream bytes;
        bytes << std::ifstream(voce.path(), std::ios::binary).rdbuf();
        EXPECT_EQ(ControllaCaricamento(bytes.str()), "") << voce.path().filename();
        ++semi;
    }
    EXPECT_GE(semi, 5);
}

std::ptrdiff_t FileAperti() {  // where the system lists them
    std::error_code e;
    return std::distance(fs::directory_iterator("/proc/self/fd", e), {});
}

class HostileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cartella.Write("buono.TXT", "7 8 9\r\n");
        ASSERT_EQ(CaricaSistema(precedente, cartella.Text(), "buono.TXT"), 0);
    }
    // Every load closes its file, whatever its outcome.
    void TearDown() override { EXPECT_EQ(FileAperti(), aperti); }

    void ExpectRefused(const std::string& nome, int errore,
                       FileSource&& sorgente = PlatformFileSource{}) {
        const fs::path file = cartella.path() / PercorsoDaTesto(nome);
        const std::string prima = Impronta(file);
        VARIABILI v = precedente;
        EXPECT_EQ(CaricaSistema(v, cartella.Text(), nome, sorgente, {1 << 20}), errore) << nome;
        EXPECT_EQ(v, precedente);
        EXPECT_EQ(Impronta(file), prima);
    }

    const std::ptrdiff_t aperti = FileAperti();
    test::TempFolder cartella;
    VARIABILI precedente;
};

TEST_F(HostileTest, EntriesThatAreNotReadableFilesAndFailuresOfTheSource) {
    const std::string dentro(1, kSeparatore);
    fs::create_directory(cartella.path() / "y.TXT");
    ExpectRefused("y.TXT", kErroreAccesso);
    ExpectRefused("sparito.TXT", kErroreFileMancante);
    ExpectRefused("Ambi" + dentro + "s.TXT", kErroreCartella);
    cartella.Write("enorme.TXT", kRiga, 100'000);
    ExpectRefused("enorme.TXT", kErroreMemoria);
#ifndef _WIN32
    // Opening a pipe with no writer would block for ever; the test's timeout catches a hang.
    ASSERT_EQ(::mkfifo((cartella.path() / "x.TXT").c_str(), 0644), 0);
    ExpectRefused("x.TXT", kErroreAccesso);
    ExpectRefused("buono.TXT" + dentro + "s.TXT", kErroreCartella);
    fs::create_symlink("giro2.TXT", cartella.path() / "giro1.TXT");
    fs::create_symlink("giro1.TXT", cartella.path() / "giro2.TXT");
    ExpectRefused("giro1.TXT", kErroreAccesso);
#else
    // Device names are reserved in every folder: CON would wait for the keyboard.
    for (const char* nome : {"CON.TXT", "NUL.TXT", "AUX.TXT", "COM1.TXT"})
        ExpectRefused(nome, kErroreAccesso);
#endif
    MemoryFileSource chiuso(kRiga), guasto(std::string(100'000, ','), 4096), cambiato(kRiga);
    chiuso.openError = kErrorePermesso;
    guasto.failAt = 60'000;
    guasto.readError = kErroreAccesso;
    cambiato.changed = true;  // a file changed while read
    ExpectRefused("chiuso.TXT", kErrorePermesso, std::move(chiuso));
    ExpectRefused("guasto.TXT", kErroreAccesso, std::move(guasto));
    ExpectRefused("cambiato.TXT", kErroreDispositivo, std::move(cambiato));
}

// The platform's source tells a file grown, touched, replaced or removed since it was opened.
TEST_F(HostileTest, PlatformSourceTellsFileChangedSinceOpened) {
    const fs::path file = cartella.path() / "s.TXT";
    const std::function<void()> cambi[] = {
        [&] { cartella.Write("s.TXT", kRiga, 4); },
        [&] { fs::last_write_time(file, fs::last_write_time(file) + std::chrono::hours(1)); },
        [&] {  // moved away first: Windows renames an open file but replaces none
            fs::rename(file, cartella.path() / "vecchio.TXT");
            cartella.Write("s.TXT", kRiga, 3);
        },
#ifndef _WIN32
        [&] { fs::remove(file); },  // Windows keeps the name of a removed file still open
#endif
    };
    for (int i = 0; const auto& cambia : cambi) {
        cartella.Write("s.TXT", kRiga, 3);
        PlatformFileSource sorgente;
        ASSERT_EQ(sorgente.Open(file), 0);
        cambia();
        EXPECT_TRUE(sorgente.Cambiato()) << i++;
    }
}

}  // namespace
}  // namespace elencario
