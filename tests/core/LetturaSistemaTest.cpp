// The loader over good, bad and hostile files and failures of the file system (each reported, the
// system loaded before and the entry itself left as they were), and the path routines.

#include <algorithm>
#include <chrono>
#include <functional>
#include <sstream>

#include "fuzz/ControlliCaricamento.h"
#include "systems/CartellaSistemi.h"
#include "systems/MaiuscoloUtf8.h"
#include "systems/NumeriErrore.h"
#include "systems/Routines.h"
#include "systems/SorgenteFilePiattaforma.h"
#include "tests/support/SorgenteMemoria.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace elencario {
namespace {

// A row of `pezzi` numbers, "1 2 … 90 1 2 …".
std::string Pezzi(std::size_t pezzi) {
    std::string riga;
    for (std::size_t i = 0; i < pezzi; ++i)
        riga.append(i > 0 ? " " : "").append(std::to_string(i % 90 + 1));
    return riga;
}

// Rows of 1 to 4 numbers, some with leading zeros or quoted, over several read blocks so that every
// kind of byte falls on a block boundary: the file's bytes, or (`righe`) the rows it gives.
std::string Blocchi(bool righe) {
    std::string testo;
    for (int i = 0; i < 100'000; ++i) {
        std::string riga = std::string(i % 11 ? "" : "0").append(std::to_string(1 + i % 90));
        for (int k = 1; k <= i % 4; ++k)
            riga.append(i % 11 ? " " : " 0").append(std::to_string(1 + (i + k) % 90));
        const bool virgolette = !righe && i % 7 == 0;
        if (virgolette) std::replace(riga.begin(), riga.end(), ' ', ',');
        testo += (virgolette ? '"' + riga + '"' : riga) + (righe ? "|" : i % 5 ? "\r\n" : "\n");
    }
    return testo;
}

// A row decided at its first piece, then `pezzi` pieces of 1 to 8 digits and of 9 by turns: the
// blank after a skipped piece falls at every offset of the eight bytes skipped at once.
std::string DecisaPoiPezzi(std::size_t pezzi) {
    std::string riga = "x";
    for (std::size_t i = 0; i < pezzi; ++i)
        riga.append(" ").append("123456789", i % 2 ? 9 : 1 + i / 2 % 8);
    return riga;
}

std::string Ripeti(const std::string& s) {
    std::string volte;
    for (int i = 0; i < 100; ++i) volte += s;
    return volte;
}

struct Caso {
    const char* nome;
    std::string contenuto;  // the file holds `volte` copies of it
    int errore;             // 0: the file loads, giving `righe`, each ended by '|'
    std::string righe = "";
    std::size_t volte = 1;
};
class ContentTest : public ::testing::TestWithParam<Caso> {};
// A file either loads whole, replacing the system loaded before, or fails and leaves that one as
// it was. Rows may take 4 MiB only: a failing row is decided at its first bad piece, never held.
TEST_P(ContentTest, LoadsWholeOrKeepsSystemLoadedBefore) {
    const Caso& c = GetParam();
    const test::CartellaProvvisoria cartella;
    const VARIABILI prima = test::Sistema("3 15 27\r\n8 15 42\r\n");
    VARIABILI v = prima;
    cartella.Scrivi("dopo.txt", c.contenuto, c.volte);
    SorgenteFilePiattaforma sorgente;
    ASSERT_EQ(CaricaSistema(v, cartella.Testo(), "dopo.txt", sorgente, {4 << 20}), c.errore);
    // And every rule of a load, the numbers in play among them, as the fuzz target checks them.
    EXPECT_EQ(c.volte > 1 ? "" : ControllaCaricamento(c.contenuto), "");
    if (c.errore != 0) {
        EXPECT_EQ(v, prima);
        return;
    }
    std::string righe;
    for (std::size_t i = 0; i < v.Combinazioni.size(); ++i) righe.append(v.Combinazioni[i]) += '|';
    EXPECT_EQ(righe, c.righe);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, ContentTest, ::testing::ValuesIn(std::vector<Caso>{
    {"LineEnds", "1 2\r\n3 4\n5\r6\n\r7", 0, "1 2|3 4|5|6|7|"},
    {"Blanks", "  01  02\t03 \r\n\t \t7 8\r\n\r\n  \r\n1\t\t2\r\n\t\t", 0, "01 02 03|7 8|1 2|"},
    {"Quotes", "10,20,\"30,40\"\r\n\"1 2\"x y,3\r\n\"\"\r\n5,\r\n\"4, 5, 6", 0,
     "10|20|30 40|1 2|3|5|4 5 6|"},
    {"QuotedBlanksEmptyRow", "\"  ,\t \"\r\n", 0, "|"},
    {"SignsZerosRepeats", "5 5 5\r\n+5 005 90", 0, "5 5 5|+5 005 90|"},
    // Rows of other shapes among common ones, in a file long enough to be read in wide windows:
    // normalised, or refused by their range.
    {"AmongCommonRows", Ripeti(" 1 2\r\n1 2 \r\n1  2\r\n01 09\r\n90,5\r\n10 20 30 40 50 60 70\r\n"),
     0, Ripeti("1 2|1 2|1 2|01 09|90|5|10 20 30 40 50 60 70|")},
    {"ZeroAmongRows", "3 4\r\n0\r\n" + Ripeti("3 4\r\n"), kErroreIndice},
    {"DoubleZeroAmongRows", "3 4\r\n00\r\n" + Ripeti("3 4\r\n"), kErroreIndice},
    {"NinetyFiveAmongRows", "3 4\r\n95\r\n" + Ripeti("3 4\r\n"), kErroreIndice},
    {"ThreeDigitsAmongRows", "3 4\r\n123\r\n" + Ripeti("3 4\r\n"), kErroreIndice},
    {"EmptyFile", "", 0}, {"OnlyBlanks", "  \r\n \t ", 0}, {"EmptyFields2M", ",", 0, "", 2'000'000},
    {"AcrossBlocks", Blocchi(false), 0, Blocchi(true)}, {"TwoSigns", "+-5", kErroreTipo},
    {"Pieces32767", Pezzi(32767), 0, Pezzi(32767) + "|"}, {"Letter", "7 x\r\n", kErroreTipo},
    {"SignAlone", "-", kErroreTipo}, {"NinetyOne", "1 2\r\n3 4\r\n7 91\r\n1", kErroreIndice},
    {"Zero", "00", kErroreIndice}, {"Max", "32767", kErroreIndice},
    {"PastMax", "32768", kErroreOverflow}, {"Min", "-32768", kErroreIndice},
    {"PastMin", "-32769", kErroreOverflow}, {"QuoteInField", "1\"2", kErroreTipo},
    {"HugeThenLetter", "1 99999999999999999999x", kErroreTipo},
    {"FirstBadDecides", "1 x 40000 91", kErroreTipo}, {"ThreeSpaces", "\"1   2\"", kErroreTipo},
    {"SpaceTabSpace", "1 \t 2", kErroreTipo}, {"SpaceCommaSpace", "\"1 , 2\"", kErroreTipo},
    {"QuotedLineEnd", "\"1\r\n2\"", kErroreTipo}, {"Bom", "\xEF\xBB\xBF" "1 2", kErroreTipo},
    {"Nuls20MB", std::string(1, '\0'), kErroreTipo, "", 20'000'000},
    // The letter decides the row, unless it has more pieces than can be counted.
    {"LetterInRow20MB", "x 1 ", kErroreOverflow, "", 5'000'000},
    {"QuotedNulsCommas", "\"x" + std::string(3'000'000, '\0') + std::string(70'000, ',') + "1\"",
     kErroreOverflow},
    {"Pieces32768", Pezzi(32768), kErroreOverflow},
    {"LetterIn32768", "x " + Pezzi(32767), kErroreTipo},
    {"LetterThenSkippedPieces32768", DecisaPoiPezzi(32768), kErroreOverflow},
    {"Pieces40000", "1 2\r\n" + Pezzi(40000), kErroreOverflow},
    // Mostly empty pieces: a short row can still hold more than 32768 of them.
    {"EmptyPieces70000", "\"1" + std::string(70'000, ' ') + "2\"", kErroreOverflow},
    {"Zeros20MB", "0", kErroreIndice, "", 20'000'000}}),
    test::NomeRiga);
// clang-format on

// A system loaded before counts as kept only when its rows' text is the same, not their lengths.
TEST(ArchivioRigheTest, StoresOfRowsOfTheSameLengthsDifferByTheirText) {
    const auto righe = [](const char* testo) { return test::Sistema(testo).Combinazioni; };
    EXPECT_EQ(righe("3 15\r\n27"), righe("3 15\r\n27"));
    EXPECT_NE(righe("3 15\r\n27"), righe("3 16\r\n27"));
}

// What lies just past each range stays as it is, and so do bytes that are not a two-byte letter.
TEST(MaiuscoloUtf8Test, EveryRangeOfLowerCaseLettersToItsEdges) {
    EXPECT_EQ(MaiuscoloUtf8("`az{ ßÀàþÿ÷ ΰαωσςϋάέίόύώϏΆ аяѐџѠ ĀāįıĳķĸĹĺňŉŋŷŸźžſ"),
              "`AZ{ ßÀÀÞŸ÷ ΰΑΩΣΣΫΆΈΊΌΎΏϏΆ АЯЀЏѠ ĀĀĮıĲĶĸĹĹŇŉŊŶŸŹŽſ");
    EXPECT_EQ(MaiuscoloUtf8("a\xC3 \xFFz €\xC1\xA1"), "A\xC3 \xFFZ €\xC1\xA1");
}

// The path rules of both platforms: only the platform's separator ends the folder part.
TEST(PathRulesTest, TheSystemsNameFollowsTheLastSeparator) {
#ifdef _WIN32
    EXPECT_EQ(NomeSistema("\\\\server\\Sistemi\\\\a/b.txt"), "A/B.TXT");
#else
    EXPECT_EQ(NomeSistema("/opt/Sistemi//a\\b.txt"), "A\\B.TXT");
#endif
    EXPECT_EQ(NomeSistema(std::string("Sistemi") + kSeparatoreCartelle), "");
    // A name always on one line, whatever its bytes.
    EXPECT_EQ(NomeSistema(std::string("a\nb\r\t\x1F\x7F\x00é ~.txt", 16)), "A?B?????É ~.TXT");
}

// A folder by its attributes, written as the platform allows; the systems folder beside the
// program first, then the installed one, else the one beside the program for the refusal.
TEST(PathRulesTest, FoldersAndWhereTheSystemsAreLookedFor) {
    const test::CartellaProvvisoria t;
    const std::string c = t.Testo() + kSeparatoreCartelle, binario = c + "bin";
    t.Scrivi("file.TXT", "1");
    EXPECT_FALSE(EsisteCartella(c + "file.TXT"));
    EXPECT_FALSE(EsisteCartella(c + "file.TXT" + kSeparatoreCartelle));
    const std::string s(1, kSeparatoreCartelle),
        accanto = binario + s + "Shared" + s + "Sistemi" + s,
        installati = c + "share" + s + "stampa-elencario" + s + "Sistemi" + s;
    EXPECT_EQ(CercaPercorsoSistemi(binario), accanto);
    std::filesystem::create_directories(PercorsoDaTesto(installati));
    EXPECT_EQ(CercaPercorsoSistemi(binario), installati);
    std::filesystem::create_directories(PercorsoDaTesto(accanto));
    EXPECT_EQ(CercaPercorsoSistemi(binario), accanto);
    EXPECT_TRUE(EsisteCartella(c + "share"));
#ifdef _WIN32
    EXPECT_TRUE(EsisteCartella(c + "SHARE/"));
    EXPECT_FALSE(EsisteCartella(c + "a<b>|"));
#else
    EXPECT_FALSE(EsisteCartella(c + "SHARE"));
#endif
}

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

std::ptrdiff_t FileAperti() {  // as the system lists them; under wine they would be wine's own
#ifdef _WIN32
    return 0;
#else
    return std::distance(fs::directory_iterator("/proc/self/fd"), {});
#endif
}

class HostileTest : public ::testing::Test {
  protected:
    // Every load closes its file, whatever its outcome.
    void TearDown() override { EXPECT_EQ(FileAperti(), aperti); }

    void AttendiRifiuto(const std::string& nome, int errore,
                        SorgenteFile&& sorgente = SorgenteFilePiattaforma{}) {
        const fs::path file = cartella.path() / PercorsoDaTesto(nome);
        const std::string prima = Impronta(file);
        VARIABILI v = precedente;
        EXPECT_EQ(CaricaSistema(v, cartella.Testo(), nome, sorgente, {1 << 20}), errore) << nome;
        EXPECT_EQ(v, precedente);
        EXPECT_EQ(Impronta(file), prima);
    }

    const std::ptrdiff_t aperti = FileAperti();
    test::CartellaProvvisoria cartella;
    const VARIABILI precedente = test::Sistema("7 8 9\r\n");
};

TEST_F(HostileTest, EntriesThatAreNotReadableFilesAndFailuresOfTheSource) {
    const std::string dentro(1, kSeparatoreCartelle);
    fs::create_directory(cartella.path() / "y.TXT");
    AttendiRifiuto("y.TXT", kErroreAccesso);
    AttendiRifiuto("sparito.TXT", kErroreFileMancante);
    AttendiRifiuto("Ambi" + dentro + "s.TXT", kErroreCartella);
    cartella.Scrivi("enorme.TXT", kRiga, 100'000);
    AttendiRifiuto("enorme.TXT", kErroreMemoria);
#ifndef _WIN32
    // Opening a pipe with no writer would block for ever; the test's timeout catches a hang.
    ASSERT_EQ(::mkfifo((cartella.path() / "x.TXT").c_str(), 0644), 0);
    AttendiRifiuto("x.TXT", kErroreAccesso);
    cartella.Scrivi("buono.TXT", kRiga);
    AttendiRifiuto("buono.TXT" + dentro + "s.TXT", kErroreCartella);
    fs::create_symlink("giro2.TXT", cartella.path() / "giro1.TXT");
    fs::create_symlink("giro1.TXT", cartella.path() / "giro2.TXT");
    AttendiRifiuto("giro1.TXT", kErroreAccesso);
#else
    // Device names are reserved in every folder: CON would wait for the keyboard.
    for (const char* nome : {"CON.TXT", "NUL.TXT", "AUX.TXT", "COM1.TXT"})
        AttendiRifiuto(nome, kErroreAccesso);
#endif
    SorgenteMemoria chiuso(kRiga), guasto(std::string(100'000, ','), 4096), cambiato(kRiga);
    chiuso.erroreApertura = kErrorePermesso;
    guasto.fallisceA = 60'000;
    cambiato.cambiato = true;  // a file changed while read
    AttendiRifiuto("chiuso.TXT", kErrorePermesso, std::move(chiuso));
    AttendiRifiuto("guasto.TXT", kErroreAccesso, std::move(guasto));
    AttendiRifiuto("cambiato.TXT", kErroreDispositivo, std::move(cambiato));
}

// The platform's source tells a file grown, touched, replaced or removed since it was opened.
TEST_F(HostileTest, PlatformSourceTellsFileChangedSinceOpened) {
    const fs::path file = cartella.path() / "s.TXT";
    const std::function<void()> cambi[] = {
        [&] { cartella.Scrivi("s.TXT", kRiga, 4); },
        [&] { fs::last_write_time(file, fs::last_write_time(file) + std::chrono::hours(1)); },
        [&] {  // moved away first: Windows renames an open file but replaces none
            fs::rename(file, cartella.path() / "vecchio.TXT");
            cartella.Scrivi("s.TXT", kRiga, 3);
        },
#ifndef _WIN32
        [&] { fs::remove(file); },  // Windows keeps the name of a removed file still open
#endif
    };
    for (int i = 0; const auto& cambia : cambi) {
        cartella.Scrivi("s.TXT", kRiga, 3);
        SorgenteFilePiattaforma sorgente;
        ASSERT_EQ(sorgente.Apri(file), 0);
        cambia();
        EXPECT_TRUE(sorgente.Cambiato()) << i++;
    }
}

}  // namespace
}  // namespace elencario
