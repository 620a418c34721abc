// Hostile entries in the systems folder: each one is reported with its message and leaves the
// system loaded before exactly as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "fuzz/MemoryFileSource.h"
#include "systems/PlatformFileSource.h"
#include "systems/Routines.h"
#include "systems/SystemReader.h"
#include "tests/hardening/FileOstili.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace elencario {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBuono = "1 2 3 4 5 6\r\n7 8 9 10 11 12\r\n";

std::string Generico(int errore) {
    return "Si è verificato l' errore: " + std::to_string(errore);
}

class HostileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cartella.Write("buono.TXT", kBuono);
        ASSERT_EQ(CaricaSistema(precedente, cartella.Text(), "buono.TXT"), 0);
        ASSERT_EQ(precedente.TotCombinazioni, 2);
    }

    // Loads `nome` over the good system and expects it refused with `errore` and `messaggio`.
    void ExpectRefused(const std::string& nome, int errore, const std::string& messaggio) {
        VARIABILI v = precedente;
        const int ottenuto = CaricaSistema(v, cartella.Text(), nome);
        EXPECT_EQ(ottenuto, errore);
        EXPECT_EQ(MessaggioCaricamento(ottenuto), messaggio);
        EXPECT_EQ(v, precedente);
    }

    test::TempFolder cartella;
    VARIABILI precedente;
};

// ---- File contents ----

struct CasoContenuto {
    const char* nome;
    std::function<void(const test::TempFolder&, const std::string&)> crea;
    int errore;          // 0: the file loads
    std::int32_t righe;  // rows when it loads
};

void PrintTo(const CasoContenuto& c, std::ostream* os) {
    *os << c.nome;
}

class ContentsTest : public HostileTest, public ::testing::WithParamInterface<CasoContenuto> {};

TEST_P(ContentsTest, ReportedOrLoadedWhole) {
    const CasoContenuto& c = GetParam();
    c.crea(cartella, "ostile.TXT");
    if (c.errore != 0) {
        ExpectRefused("ostile.TXT", c.errore, MessaggioCaricamento(c.errore));
        return;
    }
    VARIABILI v = precedente;
    ASSERT_EQ(CaricaSistema(v, cartella.Text(), "ostile.TXT"), 0);
    EXPECT_EQ(v.TotCombinazioni, c.righe);
    EXPECT_EQ(v.Combinazioni.size(), static_cast<std::size_t>(c.righe));
    EXPECT_EQ(v.FileSistema, cartella.Text() + kSeparatore + "ostile.TXT");
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, ContentsTest,
    ::testing::Values(
        CasoContenuto{"NulBytes",
                      [](const auto& c, const auto& n) {
                          c.WriteRepeated(n, std::string_view("\0", 1), 100'000);
                      },
                      13, 0},
        CasoContenuto{"TwoMillionEmptyFields",
                      [](const auto& c, const auto& n) { c.WriteRepeated(n, ",", 2'000'000); }, 0,
                      0},
        CasoContenuto{"TwoMillionEmptyLines",
                      [](const auto& c, const auto& n) { c.WriteRepeated(n, "\r\n", 2'000'000); },
                      0, 0},
        CasoContenuto{"RowOf32767Pieces",
                      [](const auto& c, const auto& n) { c.Write(n, test::RigaDiPezzi(32767)); }, 0,
                      1},
        CasoContenuto{"RowOf32768Pieces",
                      [](const auto& c, const auto& n) { c.Write(n, test::RigaDiPezzi(32768)); }, 6,
                      0},
        CasoContenuto{
            "SecondRowOf40000Pieces",
            [](const auto& c, const auto& n) { c.Write(n, "1 2\r\n" + test::RigaDiPezzi(40000)); },
            6, 0},
        // Mostly empty pieces: a short row can still hold more than 32768 of them.
        CasoContenuto{"ShortRowOfManyEmptyPieces",
                      [](const auto& c, const auto& n) {
                          c.Write(n, "\"1" + std::string(70'000, ' ') + "2\"");
                      },
                      6, 0},
        CasoContenuto{
            "OneLineOf200MB",
            [](const auto& c, const auto& n) { c.WriteRepeated(n, "12 ", 200'000'000 / 3); }, 6, 0},
        CasoContenuto{"OneNumberOf20MBDigits",
                      [](const auto& c, const auto& n) { c.WriteRepeated(n, "0", 20'000'000); }, 9,
                      0}),
    [](const auto& info) { return std::string(info.param.nome); });

// ---- Entries that are not readable files ----

TEST_F(HostileTest, FolderNamedLikeASystemIsRefused) {
    fs::create_directory(cartella.path() / "y.TXT");
    ExpectRefused("y.TXT", 75, Generico(75));
}

TEST_F(HostileTest, FileRemovedAfterListing) {
    cartella.Write("sparito.TXT", kBuono);
    std::vector<std::string> elenco;
    for (const auto& voce : fs::directory_iterator(cartella.path())) {
        elenco.push_back(TestoDaPercorso(voce.path().filename()));
    }
    ASSERT_NE(std::find(elenco.begin(), elenco.end(), "sparito.TXT"), elenco.end());
    fs::remove(cartella.path() / "sparito.TXT");
    ExpectRefused("sparito.TXT", 53, "File non trovato ..! ");
}

TEST_F(HostileTest, FolderRemovedAfterListing) {
    const fs::path sotto = cartella.path() / "Ambi";
    fs::create_directory(sotto);
    cartella.Write("Ambi/s.TXT", kBuono);
    fs::remove_all(sotto);
    ExpectRefused("Ambi" + std::string(1, kSeparatore) + "s.TXT", 76, Generico(76));
}

#ifndef _WIN32
TEST_F(HostileTest, NamedPipeIsRefusedWithoutOpeningIt) {
    ASSERT_EQ(::mkfifo((cartella.path() / "x.TXT").c_str(), 0644), 0);
    // Opening a pipe with no writer would block for ever; the test's timeout catches a hang.
    ExpectRefused("x.TXT", 75, Generico(75));
}

TEST_F(HostileTest, SymbolicLinkLoopIsRefused) {
    fs::create_symlink("giro2.TXT", cartella.path() / "giro1.TXT");
    fs::create_symlink("giro1.TXT", cartella.path() / "giro2.TXT");
    ExpectRefused("giro1.TXT", 75, Generico(75));
}

TEST_F(HostileTest, DanglingSymbolicLinkIsAMissingFile) {
    fs::create_symlink("nessuno.TXT", cartella.path() / "rotto.TXT");
    ExpectRefused("rotto.TXT", 53, "File non trovato ..! ");
}
#endif

#ifdef _WIN32
// Device names are reserved in every folder: "CON.TXT" is the console, which would wait for
// the keyboard if it were read.
class DeviceNameTest : public HostileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DeviceNameTest, IsRefusedWithoutReading) {
    ExpectRefused(GetParam(), 75, Generico(75));
}

INSTANTIATE_TEST_SUITE_P(Hostile, DeviceNameTest,
                         ::testing::Values("CON.TXT", "NUL.TXT", "AUX.TXT", "COM1.TXT"),
                         [](const auto& info) {
                             const std::string nome = info.param;
                             return nome.substr(0, nome.find('.'));
                         });
#endif

// ---- Failures of the file system, through the source ----

std::string MoltaRighe(int righe) {
    std::string testo;
    for (int i = 0; i < righe; ++i) testo += "1 2 3 4 5 6\r\n";
    return testo;
}

TEST_F(HostileTest, UnreadableFileKeepsPreviousSystem) {
    MemoryFileSource sorgente(kBuono);
    sorgente.openError = 70;
    VARIABILI v = precedente;
    const int errore = CaricaSistema(v, cartella.Text(), "chiuso.TXT", sorgente);
    EXPECT_EQ(errore, 70);
    EXPECT_EQ(MessaggioCaricamento(errore), Generico(70));
    EXPECT_EQ(v, precedente);
    EXPECT_EQ(sorgente.Opens(), 1);
}

TEST_F(HostileTest, ReadFailingMidFileClosesItAndKeepsPreviousSystem) {
    MemoryFileSource sorgente(MoltaRighe(10'000), 4096);
    sorgente.failAt = 60'000;
    VARIABILI v = precedente;
    const int errore = CaricaSistema(v, cartella.Text(), "guasto.TXT", sorgente);
    EXPECT_EQ(errore, 57);
    EXPECT_EQ(MessaggioCaricamento(errore), Generico(57));
    EXPECT_EQ(v, precedente);
    EXPECT_FALSE(sorgente.IsOpen());
}

TEST_F(HostileTest, MemoryRunningOutKeepsPreviousSystem) {
    cartella.Write("enorme.TXT", MoltaRighe(10'000));
    VARIABILI v = precedente;
    PlatformFileSource sorgente;
    const int errore =
        CaricaSistema(v, cartella.Text(), "enorme.TXT", sorgente, LoadLimits{64 * 1024});
    EXPECT_EQ(errore, 7);
    EXPECT_EQ(MessaggioCaricamento(errore), Generico(7));
    EXPECT_EQ(v, precedente);

    // The same file fits a limit large enough for its rows and offsets.
    EXPECT_EQ(CaricaSistema(v, cartella.Text(), "enorme.TXT", sorgente, LoadLimits{512 * 1024}), 0);
    EXPECT_EQ(v.TotCombinazioni, 10'000);
}

}  // namespace
}  // namespace elencario
