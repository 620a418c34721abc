// The check of a system against a draw: the report's lines against a computation of the test's
// own, the archive of draws, and the report on a printer.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "cli/Elencario.h"
#include "cli/TestiComando.h"
#include "systems/LetturaSistema.h"
#include "tests/support/Comando.h"
#include "verifica/TestiVerifica.h"
#include "verifica/Verifica.h"

namespace elencario {
namespace {

using Lines = std::vector<std::string>;

Lines Righe(const std::string& testo) {
    Lines righe;
    std::istringstream in(testo);
    for (std::string riga; std::getline(in, riga);) righe.push_back(riga);
    return righe;
}

// Runs the command on the system `sistema` (its text) with `argomenti` before it: status, the
// lines of standard output, standard error.
std::tuple<int, Lines, std::string> Comando(Lines argomenti, const std::string& sistema,
                                            const test::CartellaProvvisoria& cartella) {
    argomenti.push_back(TestoDaPercorso(cartella.Scrivi("s.txt", sistema)));
    const auto [stato, uscita, errori] = test::EseguiComando(argomenti, cartella);
    EXPECT_TRUE(uscita.empty() || uscita.ends_with('\n'));
    return {stato, Righe(uscita), errori};
}

std::string DueCifre(int n) {
    std::string cifre = std::to_string(n);
    return cifre.size() < 2 ? '0' + cifre : cifre;
}

// The report as this test works it out: each row's numbers read by a stream into a set, the
// prizes from Pascal's triangle, the counts of hits kept in a map.
Lines Atteso(const Lines& righe, const std::set<int>& estratti) {
    std::vector<std::vector<std::uint64_t>> pascal(91, std::vector<std::uint64_t>(6, 0));
    for (std::size_t n = 0; n <= 90; ++n) {
        pascal[n][0] = 1;
        for (std::size_t k = 1; k <= 5 && n > 0; ++k)
            pascal[n][k] = pascal[n - 1][k - 1] + pascal[n - 1][k];
    }
    Lines vincenti;
    std::uint64_t premi[6] = {};
    std::map<std::size_t, int> perPunti;
    for (std::size_t i = 0; i < righe.size(); ++i) {
        std::istringstream pezzi(righe[i]);
        std::set<int> presi;
        for (int n; pezzi >> n;)
            if (estratti.contains(n)) presi.insert(n);
        ++perPunti[presi.size()];
        for (std::size_t k = 2; k <= 5; ++k) premi[k] += pascal[presi.size()][k];
        if (presi.size() < 2) continue;
        std::string riga = "Riga " + std::to_string(i + 1) + ": " + righe[i] + " - punti " +
                           std::to_string(presi.size()) + " (";
        for (const int n : presi) riga += DueCifre(n) + (n == *presi.rbegin() ? ")" : " ");
        vincenti.push_back(riga);
    }
    std::string estrazione = "Estrazione:";
    for (const int n : estratti) estrazione.append(" ").append(DueCifre(n));
    Lines attese{estrazione, "Combinazioni: " + std::to_string(righe.size()) +
                                 " - Vincenti: " + std::to_string(vincenti.size())};
    attese.insert(attese.end(), vincenti.begin(), vincenti.end());
    attese.push_back("Ambi: " + std::to_string(premi[2]) + " - Terni: " + std::to_string(premi[3]) +
                     " - Quaterne: " + std::to_string(premi[4]) +
                     " - Cinquine: " + std::to_string(premi[5]));
    std::string punti = "Punti:";
    const std::size_t massimo = std::max<std::size_t>(2, perPunti.rbegin()->first);
    for (std::size_t h = 2; h <= massimo; ++h)
        punti.append(" ").append(std::to_string(h)).append("=").append(std::to_string(perPunti[h]));
    attese.push_back(punti);
    return attese;
}

struct CasoGenerato {
    const char* nome;
    friend void PrintTo(const CasoGenerato& c, std::ostream* os) { *os << c.nome; }
    unsigned seme;
    int righe;
    int lunghezzaMassima;  // numbers in a row, repeats included
    int estratti;
};
class ReportTest : public ::testing::TestWithParam<CasoGenerato> {};
// Rows of random numbers (some repeated, some written "07" or "+7"), a draw written with random
// separators and leading zeros.
TEST_P(ReportTest, LinesMatchAnIndependentCount) {
    const CasoGenerato& c = GetParam();
    std::mt19937 caso(c.seme);
    const auto tra = [&caso](int a, int b) { return std::uniform_int_distribution(a, b)(caso); };
    Lines righe;
    std::string sistema;
    for (int i = 0; i < c.righe; ++i) {
        std::string riga;
        for (int k = tra(1, c.lunghezzaMassima); k > 0; --k) {
            const int n = tra(1, 90);
            const int forma = tra(0, 9);
            if (!riga.empty()) riga.push_back(' ');
            if (forma < 2) riga.push_back(forma == 0 ? '0' : '+');
            riga.append(std::to_string(n));
        }
        righe.push_back(riga);
        sistema += riga + (tra(0, 1) ? "\r\n" : ",");
    }
    std::vector<int> tutti(90);
    std::iota(tutti.begin(), tutti.end(), 1);
    std::shuffle(tutti.begin(), tutti.end(), caso);
    const std::set<int> estratti(tutti.begin(), tutti.begin() + c.estratti);
    std::string estrazione;
    const char* const separatori[] = {" ", ",", ", ", "\t", "  "};
    for (int i = 0; i < c.estratti; ++i) {
        estrazione += (i == 0 ? " " : separatori[tra(0, 4)]) + std::string(tra(0, 1) ? "0" : "") +
                      std::to_string(tutti[static_cast<std::size_t>(i)]);
    }
    const test::CartellaProvvisoria cartella;
    const auto [stato, out, errori] = Comando({"--verifica", estrazione}, sistema, cartella);
    EXPECT_EQ(errori, "");
    EXPECT_EQ(stato, 0);
    EXPECT_EQ(out, Atteso(righe, estratti));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Generated, ReportTest, ::testing::Values(
    CasoGenerato{"OneNumberDrawn", 1, 300, 6, 1},
    CasoGenerato{"FiveDrawnShortRows", 2, 2000, 4, 5},
    CasoGenerato{"FiveDrawnLongRows", 3, 500, 30, 5},
    CasoGenerato{"TwentyDrawn", 4, 1000, 10, 20},
    CasoGenerato{"SixtyFiveDrawn", 5, 400, 12, 65},
    CasoGenerato{"AllNinetyDrawn", 6, 200, 90, 90},
    CasoGenerato{"SingleRowOfOne", 7, 1, 1, 5}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

// On paper every line but the empty one between reports opens with the margin, and every word
// must fit whole; a report that does not fit prints nothing.
TEST(PrintedReportTest, LinesAfterTheMarginAndTheirWordsMeasured) {
    const VARIABILI v = test::Sistema("3 15\r\n1 2 1\r\n");
    InsiemeNumeri bari, cagliari;
    bari.Aggiungi(15);
    bari.Aggiungi(3);
    for (const int n : {1, 2, 3}) cagliari.Aggiungi(n);
    const std::vector<VerificaRichiesta> richieste{{"Ruota BA", bari}, {"Ruota CA", cagliari}};
    test::StampanteRegistratrice p;
    EXPECT_EQ(ComponiVerifiche(v, richieste, {"Arial", 10, 4, 2}, p), StatoStampa::Ok);
    EXPECT_EQ(p.Elenco(),
              (Lines{"  Ruota BA", "  Estrazione: 03 15", "  Combinazioni: 2 - Vincenti: 1",
                     "  Riga 1: 3 15 - punti 2 (03 15)",
                     "  Ambi: 1 - Terni: 0 - Quaterne: 0 - Cinquine: 0", "  Punti: 2=1", "",
                     "  Ruota CA", "  Estrazione: 01 02 03", "  Combinazioni: 2 - Vincenti: 1",
                     "  Riga 2: 1 2 1 - punti 2 (01 02)",
                     "  Ambi: 1 - Terni: 0 - Quaterne: 0 - Cinquine: 0", "  Punti: 2=1"}));
    // Every word once, the rows' numbers after.
    // clang-format off
    EXPECT_EQ(p.candidati, (Lines{"(88", "-", "0", "01", "02", "03", "1", "15", "1:", "2", "2:",
                                  "2=1", "88)", "90", "Ambi:", "BA", "CA", "Cinquine:",
                                  "Combinazioni:", "Estrazione:", "Punti:", "Quaterne:", "Riga",
                                  "Ruota", "Terni:", "Vincenti:", "punti", "3", "15", "1", "2"}));
    // clang-format on
    EXPECT_TRUE(p.DocumentoChiuso());
    test::StampanteRegistratrice stretta({.spazio = Spazio::MargineTroppoLargo});
    EXPECT_EQ(ComponiVerifiche(v, richieste, {"Arial", 10, 4, 2}, stretta),
              (EsitoComposizione{StatoStampa::Ok, Spazio::MargineTroppoLargo}));
    EXPECT_EQ(stretta.chiamate, (Lines{"font Arial", "size " + std::to_string(10.0f)}));
}

const std::string kSistema1 = "3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n";
const Lines kEsempio{"Estrazione: 03 15 27 42 90",
                     "Combinazioni: 5 - Vincenti: 5",
                     "Riga 1: 3 15 27 - punti 3 (03 15 27)",
                     "Riga 2: 3 15 42 - punti 3 (03 15 42)",
                     "Riga 3: 3 27 42 - punti 3 (03 27 42)",
                     "Riga 4: 15 27 42 - punti 3 (15 27 42)",
                     "Riga 5: 8 15 27 - punti 2 (15 27)",
                     "Ambi: 13 - Terni: 4 - Quaterne: 0 - Cinquine: 0",
                     "Punti: 2=1 3=4"};
const Lines kCagliari{"Ruota CA - 2024/01/02",
                      "Estrazione: 01 02 04 08 15",
                      "Combinazioni: 5 - Vincenti: 1",
                      "Riga 5: 8 15 27 - punti 2 (08 15)",
                      "Ambi: 1 - Terni: 0 - Quaterne: 0 - Cinquine: 0",
                      "Punti: 2=1"};
const std::string kBari = "2024/01/02\tBA\t3\t15\t27\t42\t90\n";
const std::string kCa = "2024/01/02\tCA\t08\t15\t1\t2\t4\n";
const std::string kAltro = "2023/12/30\tRN\t1\t2\t3\t4\t5\n";

Lines Report(const std::string& titolo, Lines righe) {
    righe.insert(righe.begin(), titolo);
    return righe;
}
Lines Unite(Lines a, const Lines& b) {
    a.push_back("");
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct CasoArchivio {
    const char* nome;
    friend void PrintTo(const CasoArchivio& c, std::ostream* os) { *os << c.nome; }
    std::string archivio;  // "(cartella)": a folder; "(manca)": no file at all
    Lines argomenti;       // after --estrazioni ARCHIVIO
    int stato;
    Lines out;
    std::string errori = {};  // all of standard error
};
class ArchiveTest : public ::testing::TestWithParam<CasoArchivio> {};
TEST_P(ArchiveTest, ReportsEachDrawOfTheDateOrSaysWhyNot) {
    const CasoArchivio& c = GetParam();
    const test::CartellaProvvisoria cartella;
    std::string file = cartella.Testo() + "/manca.txt";
    if (c.archivio == "(cartella)") file = cartella.Testo();
    if (!c.archivio.starts_with('(')) file = TestoDaPercorso(cartella.Scrivi("e.txt", c.archivio));
    Lines argomenti{"--estrazioni", file};
    argomenti.insert(argomenti.end(), c.argomenti.begin(), c.argomenti.end());
    const auto [stato, out, errori] = Comando(argomenti, kSistema1, cartella);
    EXPECT_EQ(stato, c.stato);
    EXPECT_EQ(out, c.out);
    std::string atteso = c.errori;
    if (const std::size_t p = atteso.find("ARCHIVIO"); p != std::string::npos)
        atteso.replace(p, 8, file);
    EXPECT_EQ(errori, atteso);
}

const Lines kData{"--data", "2024/01/02"};
// clang-format off
INSTANTIATE_TEST_SUITE_P(Shapes, ArchiveTest, ::testing::Values(
    CasoArchivio{"EveryWheelOfTheDateInFileOrder", kAltro + kBari + kCa, kData, 0,
                 Unite(Report("Ruota BA - 2024/01/02", kEsempio), kCagliari)},
    CasoArchivio{"OneWheel", kBari + kCa, {"--data", "2024/01/02", "--ruota", "CA"}, 0, kCagliari},
    CasoArchivio{"CrLfNoLastEndAndUtf8Mark", "\xEF\xBB\xBF" + kAltro.substr(0, kAltro.size() - 1) +
                 "\r\n" + kCa.substr(0, kCa.size() - 1), kData, 0, kCagliari},
    CasoArchivio{"DateNotInArchive", kBari, {"--data", "2024/01/03"}, 1, {},
                 testi::NessunaEstrazione("2024/01/03") + "\n"},
    CasoArchivio{"WheelDidNotDraw", kBari + kAltro, {"--data", "2024/01/02", "--ruota", "RN"}, 1,
                 {}, testi::RuotaSenzaEstrazione("RN", "2024/01/02") + "\n"},
    CasoArchivio{"EmptyArchive", "", kData, 1, {}, testi::NessunaEstrazione("2024/01/02") + "\n"},
    CasoArchivio{"SixNumbers", kBari + "2024/01/02\tCA\t1\t2\t3\t4\t5\t6\n", kData, 1, {},
                 testi::RigaArchivioNonValida(2) + "\n"},
    CasoArchivio{"FourNumbers", kAltro + kAltro + "2024/01/02\tCA\t1\t2\t3\t4\n" + kBari, kData, 1,
                 {}, testi::RigaArchivioNonValida(3) + "\n"},
    CasoArchivio{"RepeatedNumber", "2024/01/02\tCA\t1\t2\t3\t4\t01\n", kData, 1, {},
                 testi::RigaArchivioNonValida(1) + "\n"},
    CasoArchivio{"NumberPastNinety", "2024/01/02\tCA\t1\t2\t3\t4\t91\n", kData, 1, {},
                 testi::RigaArchivioNonValida(1) + "\n"},
    CasoArchivio{"NumberZero", "2024/01/02\tCA\t1\t2\t3\t4\t00\n", kData, 1, {},
                 testi::RigaArchivioNonValida(1) + "\n"},
    CasoArchivio{"UnknownWheel", kBari + "2024/01/02\tXX\t1\t2\t3\t4\t5\n", kData, 1, {},
                 testi::RigaArchivioNonValida(2) + "\n"},
    CasoArchivio{"NoSuchDay", "2023/02/29\tBA\t1\t2\t3\t4\t5\n" + kBari, kData, 1, {},
                 testi::RigaArchivioNonValida(1) + "\n"},
    CasoArchivio{"ArchiveIsAFolder", "(cartella)", kData, 1, {},
                 testi::ArchivioIllegibile("ARCHIVIO", "è una cartella, non un file") + "\n"},
    CasoArchivio{"ArchiveMissing", "(manca)", kData, 1, {},
                 testi::ArchivioIllegibile("ARCHIVIO", "file o cartella inesistente") + "\n"},
    CasoArchivio{"DateNotADate", kBari, {"--data", "2024/02/30"}, 2, {},
                 testi::DataNonValida("2024/02/30") + "\n"},
    CasoArchivio{"DateOtherShape", kBari, {"--data", "2/1/2024"}, 2, {},
                 testi::DataNonValida("2/1/2024") + "\n"},
    CasoArchivio{"LeapDay", "2024/02/29\tVE\t3\t15\t27\t42\t90\n", {"--data", "2024/02/29"}, 0,
                 Report("Ruota VE - 2024/02/29", kEsempio)},
    CasoArchivio{"WheelNotAWheel", kBari, {"--data", "2024/01/02", "--ruota", "ba"}, 2, {},
                 "Ruota non valida: ba (una di BA CA FI GE MI NA PA RM TO VE RN)\n"}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

}  // namespace
}  // namespace elencario
