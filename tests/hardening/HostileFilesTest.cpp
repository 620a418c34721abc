// Hostile entries in the systems folder: each one is reported and leaves the system loaded
// before exactly as it was, and the entry itself untouched: a system file is only ever read.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <utility>

#include "fuzz/MemoryFileSource.h"
#include "systems/NumeriErrore.h"
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

constexpr const char* kBuono = "1 2 3 4 5 6\r\n7 8 9 10 11 12\r\n";
// Far below what the large hostile files would take if they were held whole.
constexpr LoadLimits kPocaMemoria{1 << 20};

// The bytes and modification time of a regular file; the kind of anything else.
std::string Impronta(const fs::path& p) {
    const fs::file_status stato = fs::symlink_status(p);
    std::ostringstream impronta;
    impronta << static_cast<int>(stato.type());
    if (fs::is_regular_file(stato)) {
        impronta << fs::last_write_time(p).time_since_epoch().count()
                 << std::ifstream(p, std::ios::binary).rdbuf();
    }
    return impronta.str();
}

// A row of `pezzi` numbers, "1 2 … 90 1 2 …", ended by CR LF.
std::string RigaDiPezzi(std::size_t pezzi) {
    std::string riga;
    for (std::size_t i = 0; i < pezzi; ++i) riga += (i > 0 ? " " : "") + std::to_string(i % 90 + 1);
    return riga + "\r\n";
}

class HostileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cartella.Write("buono.TXT", kBuono);
        ASSERT_EQ(CaricaSistema(precedente, cartella.Text(), "buono.TXT"), 0);
    }

    // Loads `nome` over the good system and expects it refused with `errore`.
    void ExpectRefused(const std::string& nome, int errore,
                       FileSource&& sorgente = PlatformFileSource{}) {
        const fs::path file = cartella.path() / PercorsoDaTesto(nome);
        const std::string prima = Impronta(file);
        VARIABILI v = precedente;
        EXPECT_EQ(CaricaSistema(v, cartella.Text(), nome, sorgente, kPocaMemoria), errore);
        EXPECT_EQ(v, precedente);
        EXPECT_EQ(Impronta(file), prima);
    }

    test::TempFolder cartella;
    VARIABILI precedente;
};

// ---- File contents: a failing row is decided at its first bad piece, never held whole ----

struct CasoContenuto {
    const char* nome;
    std::string contenuto;  // the file holds `volte` copies of it
    std::size_t volte;
    int errore;              // 0: the file loads
    std::int32_t righe = 0;  // rows when it loads
};

void PrintTo(const CasoContenuto& c, std::ostream* os) {
    *os << c.nome;
}

class ContentsTest : public HostileTest, public ::testing::WithParamInterface<CasoContenuto> {};

TEST_P(ContentsTest, ReportedOrLoadedWhole) {
    const CasoContenuto& c = GetParam();
    cartella.WriteRepeated("ostile.TXT", c.contenuto, c.volte);
    if (c.errore != 0) {
        ExpectRefused("ostile.TXT", c.errore);
        return;
    }
    const std::string prima = Impronta(cartella.path() / "ostile.TXT");
    VARIABILI v = precedente;
    ASSERT_EQ(CaricaSistema(v, cartella.Text(), "ostile.TXT"), 0);
    EXPECT_EQ(v.TotCombinazioni, c.righe);
    EXPECT_EQ(Impronta(cartella.path() / "ostile.TXT"), prima);
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, ContentsTest,
    ::testing::Values(
        CasoContenuto{"TwentyMBOfNulBytes", std::string(1, '\0'), 20'000'000, kErroreTipo},
        // The letter decides the row, unless it has more pieces than can be counted.
        CasoContenuto{"LetterInRowOfTwentyMB", "x 1 ", 5'000'000, kErroreOverflow},
        CasoContenuto{"QuotedNulsThenManyBlanks",
                      "\"x" + std::string(3'000'000, '\0') + std::string(70'000, ',') + "1\"", 1,
                      kErroreOverflow},
        CasoContenuto{"TwoMillionEmptyFields", ",", 2'000'000, 0, 0},
        CasoContenuto{"RowOf32767Pieces", RigaDiPezzi(32767), 1, 0, 1},
        CasoContenuto{"RowOf32768Pieces", RigaDiPezzi(32768), 1, kErroreOverflow},
        CasoContenuto{"BadPieceInRowOf32768", "x " + RigaDiPezzi(32767), 1, kErroreTipo},
        CasoContenuto{"SecondRowOf40000Pieces", "1 2\r\n" + RigaDiPezzi(40000), 1, kErroreOverflow},
        // Mostly empty pieces: a short row can still hold more than 32768 of them.
        CasoContenuto{"ShortRowOfManyEmptyPieces", "\"1" + std::string(70'000, ' ') + "2\"", 1,
                      kErroreOverflow},
        CasoContenuto{"OneNumberOf20MBDigits", "0", 20'000'000, kErroreIndice}),
    [](const auto& info) { return std::string(info.param.nome); });

// ---- Entries that are not readable files ----

TEST_F(HostileTest, EntriesThatAreNotReadableFiles) {
    fs::create_directory(cartella.path() / "y.TXT");
    ExpectRefused("y.TXT", kErroreAccesso);
    ExpectRefused("sparito.TXT", kErroreFileMancante);
    ExpectRefused("Ambi" + std::string(1, kSeparatore) + "s.TXT", kErroreCartella);
#ifndef _WIN32
    // Opening a pipe with no writer would block for ever; the test's timeout catches a hang.
    ASSERT_EQ(::mkfifo((cartella.path() / "x.TXT").c_str(), 0644), 0);
    ExpectRefused("x.TXT", kErroreAccesso);
    fs::create_symlink("giro2.TXT", cartella.path() / "giro1.TXT");
    fs::create_symlink("giro1.TXT", cartella.path() / "giro2.TXT");
    ExpectRefused("giro1.TXT", kErroreAccesso);
    fs::create_symlink("nessuno.TXT", cartella.path() / "rotto.TXT");
    ExpectRefused("rotto.TXT", kErroreFileMancante);
#else
    // Device names are reserved in every folder: CON would wait for the keyboard.
    for (const char* nome : {"CON.TXT", "NUL.TXT", "AUX.TXT", "COM1.TXT"})
        ExpectRefused(nome, kErroreAccesso);
#endif
}

// ---- Failures of the file system while the file is read ----

std::string MolteRighe(int righe) {
    std::string testo;
    for (int i = 0; i < righe; ++i) testo += "1 2 3 4 5 6\r\n";
    return testo;
}

TEST_F(HostileTest, FailuresOfTheSourceKeepPreviousSystem) {
    MemoryFileSource chiuso(kBuono);
    chiuso.openError = kErrorePermesso;
    ExpectRefused("chiuso.TXT", kErrorePermesso, std::move(chiuso));

    MemoryFileSource guasto(MolteRighe(10'000), 4096);
    guasto.failAt = 60'000;
    ExpectRefused("guasto.TXT", kErroreDispositivo, std::move(guasto));

    MemoryFileSource cambiato(kBuono);
    cambiato.changed = true;
    ExpectRefused("cambiato.TXT", kErroreDispositivo, std::move(cambiato));

    cartella.Write("enorme.TXT", MolteRighe(100'000));
    ExpectRefused("enorme.TXT", kErroreMemoria);
}

#ifdef __linux__
TEST_F(HostileTest, EveryLoadClosesItsFile) {
    const auto aperti = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto prima = aperti();
    cartella.Write("x.TXT", "1 x");
    VARIABILI v;
    EXPECT_EQ(CaricaSistema(v, cartella.Text(), "buono.TXT"), 0);
    EXPECT_EQ(CaricaSistema(v, cartella.Text(), "x.TXT"), kErroreTipo);
    EXPECT_EQ(aperti(), prima);
}
#endif

// A file changed on disk once its first block has been read.
class FileCheCambia final : public FileSource {
  public:
    explicit FileCheCambia(std::function<void()> cambia) : cambia_(std::move(cambia)) {}
    int Open(const fs::path& path) override { return file_.Open(path); }
    std::uint64_t SizeAtOpen() const override { return file_.SizeAtOpen(); }
    std::ptrdiff_t Read(char* buffer, std::size_t capacity, int& errore) override {
        const std::ptrdiff_t letti = file_.Read(buffer, capacity, errore);
        if (cambia_) std::exchange(cambia_, nullptr)();
        return letti;
    }
    bool Cambiato() override { return file_.Cambiato(); }
    void Close() override { file_.Close(); }

  private:
    PlatformFileSource file_;
    std::function<void()> cambia_;
};

TEST_F(HostileTest, FileChangedWhileReadIsAnInputOutputError) {
    const fs::path file = cartella.Write("s.TXT", MolteRighe(3));
    const fs::path altro = cartella.Write("altro.TXT", MolteRighe(3));
    const std::pair<const char*, std::function<void()>> cambi[] = {
        {"grown", [&] { cartella.Write("s.TXT", MolteRighe(4)); }},
        {"touched",
         [&] { fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5)); }},
        {"replaced",
         [&] {
             // Moved away first: Windows renames an open file but replaces none.
             fs::rename(file, cartella.path() / "vecchio.TXT");
             fs::rename(altro, file);
         }},
#ifndef _WIN32
        // Windows keeps a removed file's name while it is open (wine does not even tell that
        // the removal is pending).
        {"removed", [&] { fs::remove(file); }},
#endif
    };
    for (const auto& [nome, cambia] : cambi) {
        SCOPED_TRACE(nome);
        cartella.Write("s.TXT", MolteRighe(3));
        cartella.Write("altro.TXT", MolteRighe(3));
        VARIABILI v = precedente;
        FileCheCambia sorgente(cambia);
        EXPECT_EQ(CaricaSistema(v, cartella.Text(), "s.TXT", sorgente), kErroreDispositivo);
        EXPECT_EQ(v, precedente);
    }
    // Unchanged, the same file loads.
    cartella.Write("s.TXT", MolteRighe(3));
    VARIABILI v;
    FileCheCambia fermo([] {});
    EXPECT_EQ(CaricaSistema(v, cartella.Text(), "s.TXT", fermo), 0);
}

}  // namespace
}  // namespace elencario
