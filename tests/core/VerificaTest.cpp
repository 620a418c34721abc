// The check of a system against a draw: the report's lines against a computation of the test's
// own, the archive of draws, and the report on a printer.

#include <algorithm>
#include <map>
#include <numeric>
#include <set>
#include <sstream>

#include "cli/TestiComando.h"
#include "tests/support/Comando.h"
#include "verifica/TestiVerifica.h"
#include "verifica/Verifica.h"

namespace elencario {
namespace {

using Lines = std::vector<std::string>;

// Runs the command on the system `sistema` (its text) with `argomenti` before it: status, the
// lines of standard output, standard error.
std::tuple<int, Lines, std::string> Comando(Lines argomenti, const std::string& sistema,
                                            const test::CartellaProvvisoria& cartella) {
    argomenti.push_back(TestoDaPercorso(cartella.Scrivi("s.txt", sistema)));
    const auto [stato, uscita, errori] = test::EseguiComando(argomenti, cartella);
    EXPECT_TRUE(uscita.empty() || uscita.ends_with('\n'));
    Lines righe;
    std::istringstream in(uscita);
    for (std::string riga; std::getline(in, riga);) righe.push_back(riga);
    return {stato, righe, errori};
}

// The report as this test works it out: each row's numbers read by a stream into a set, the
// prizes as binomial coefficients, the counts of hits kept in a map.
Lines Atteso(const Lines& righe, const std::set<int>& estratti) {
    const auto binomiale = [](std::uint64_t n, std::uint64_t k) {
        std::uint64_t c = 1;  // after step i: n - k + i taken i at a time
        for (std::uint64_t i = 1; i <= k && k <= n; ++i) c = c * (n - k + i) / i;
        return k <= n ? c : 0;
    };
    const auto dueCifre = [](int n) {
        const std::string cifre = std::to_string(n);
        return n < 10 ? '0' + cifre : cifre;
    };
    Lines vincenti;
    std::uint64_t premi[6] = {};
    std::map<std::size_t, int> perPunti;
    for (std::size_t i = 0; i < righe.size(); ++i) {
        std::istringstream pezzi(righe[i]);
        std::set<int> presi;
        for (int n; pezzi >> n;)
            if (estratti.contains(n)) presi.insert(n);
        ++perPunti[presi.size()];
        for (std::size_t k = 2; k <= 5; ++k) premi[k] += binomiale(presi.size(), k);
        if (presi.size() < 2) continue;
        std::string riga = "Riga " + std::to_string(i + 1) + ": " + righe[i] + " - punti " +
                           std::to_string(presi.size()) + " (";
        for (const int n : presi) riga += dueCifre(n) + (n == *presi.rbegin() ? ")" : " ");
        vincenti.push_back(riga);
    }
    std::string estrazione = "Estrazione:";
    for (const int n : estratti) estrazione.append(" ").append(dueCifre(n));
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
            const int forma = tra(0, 9);  // one in ten written "07", one "+7"
            riga.append(riga.empty() ? "" : " ").append(forma == 0 ? "0" : forma == 1 ? "+" : "");
            riga.append(std::to_string(tra(1, 90)));
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
    CasoGenerato{"SixtyFiveDrawn", 5, 400, 12, 65},
    CasoGenerato{"AllNinetyDrawn", 6, 200, 90, 90}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

const Lines kRighe1{"3 15 27", "3 15 42", "3 27 42", "15 27 42", "8 15 27"};
const std::string kSistema1 = "3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n";
// A report under its title, of the rows of kSistema1 unless others are given.
Lines Report(const std::string& titolo, const std::set<int>& estratti,
             const Lines& righe = kRighe1) {
    Lines report = Atteso(righe, estratti);
    report.insert(report.begin(), titolo);
    return report;
}
const Lines kBari = Report("Ruota BA - 2024/01/02", {3, 15, 27, 42, 90}),
            kCagliari = Report("Ruota CA - 2024/01/02", {1, 2, 4, 8, 15});
const std::string kBa = "2024/01/02\tBA\t3\t15\t27\t42\t90\n";
const std::string kCa = "2024/01/02\tCA\t08\t15\t1\t2\t4\n";
const std::string kAltro = "2023/12/30\tRN\t1\t2\t3\t4\t5\n";

Lines Unite(Lines a, const Lines& b) {
    a.push_back("");
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// On paper every line but the empty one between reports opens with the margin, and every word
// must fit whole; a report that does not fit prints nothing.
TEST(PrintedReportTest, LinesAfterTheMarginAndTheirWordsMeasured) {
    const VARIABILI v = test::Sistema("3 15\r\n1 2 1\r\n");
    InsiemeNumeri bari, cagliari;
    for (const int n : {15, 3}) bari.Aggiungi(n);
    for (const int n : {1, 2, 3}) cagliari.Aggiungi(n);
    const std::vector<VerificaRichiesta> richieste{{"Ruota BA", bari}, {"Ruota CA", cagliari}};
    test::StampanteRegistratrice p;
    EXPECT_EQ(ComponiVerifiche(v, richieste, {"Arial", 10, 4, 2}, p), StatoStampa::Ok);
    Lines attese = Unite(Report("Ruota BA", {3, 15}, {"3 15", "1 2 1"}),
                         Report("Ruota CA", {1, 2, 3}, {"3 15", "1 2 1"}));
    for (std::string& riga : attese) riga.insert(0, riga.empty() ? "" : "  ");
    EXPECT_EQ(p.Elenco(), attese);
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

struct Caso {
    const char* nome;
    std::string archivio;  // "(cartella)": a folder; "(manca)": no file at all
    int stato;
    std::string errori;  // all of standard error but its line end
    Lines out = {};
    std::string data = "2024/01/02", ruota = {};  // --data, and --ruota when not empty
};
class ArchiveTest : public ::testing::TestWithParam<Caso> {};
TEST_P(ArchiveTest, ReportsEachDrawOfTheDateOrSaysWhyNot) {
    const Caso& c = GetParam();
    const test::CartellaProvvisoria cartella;
    std::string file = cartella.Testo() + "/manca.txt";
    if (c.archivio == "(cartella)") file = cartella.Testo();
    if (!c.archivio.starts_with('(')) file = TestoDaPercorso(cartella.Scrivi("e.txt", c.archivio));
    Lines argomenti{"--estrazioni", file, "--data", c.data};
    if (!c.ruota.empty()) argomenti.insert(argomenti.end(), {"--ruota", c.ruota});
    const auto [stato, out, errori] = Comando(argomenti, kSistema1, cartella);
    EXPECT_EQ(stato, c.stato);
    EXPECT_EQ(out, c.out);
    std::string atteso = c.errori;
    if (const std::size_t p = atteso.find("ARCHIVIO"); p != std::string::npos)
        atteso.replace(p, 8, file);
    EXPECT_EQ(errori, atteso.empty() ? "" : atteso + "\n");
}

using namespace testi;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Shapes, ArchiveTest, ::testing::Values(
    Caso{"EveryWheelOfTheDateInFileOrder", kAltro + kBa + kCa, 0, "", Unite(kBari, kCagliari)},
    Caso{"OneWheel", kBa + kCa, 0, "", kCagliari, "2024/01/02", "CA"},
    Caso{"CrLfNoLastEndAndUtf8Mark", "\xEF\xBB\xBF" + kAltro.substr(0, kAltro.size() - 1) + "\r\n" +
         kCa.substr(0, kCa.size() - 1), 0, "", kCagliari},
    Caso{"DateNotInArchive", kBa, 1, NessunaEstrazione("2024/01/03"), {}, "2024/01/03"},
    Caso{"WheelDidNotDraw", kBa + kAltro, 1, RuotaSenzaEstrazione("RN", "2024/01/02"), {},
         "2024/01/02", "RN"},
    Caso{"SixNumbers", kBa + "2024/01/02\tCA\t1\t2\t3\t4\t5\t6\n", 1, RigaArchivioNonValida(2)},
    Caso{"FourNumbers", kAltro + kAltro + "2024/01/02\tCA\t1\t2\t3\t4\n" + kBa, 1,
         RigaArchivioNonValida(3)},
    Caso{"RepeatedNumber", "2024/01/02\tCA\t1\t2\t3\t4\t01\n", 1, RigaArchivioNonValida(1)},
    Caso{"NumberPastNinety", "2024/01/02\tCA\t1\t2\t3\t4\t91\n", 1, RigaArchivioNonValida(1)},
    Caso{"NumberZero", "2024/01/02\tCA\t1\t2\t3\t4\t00\n", 1, RigaArchivioNonValida(1)},
    Caso{"UnknownWheel", kBa + "2024/01/02\tXX\t1\t2\t3\t4\t5\n", 1, RigaArchivioNonValida(2)},
    Caso{"NoSuchDay", "2023/02/29\tBA\t1\t2\t3\t4\t5\n" + kBa, 1, RigaArchivioNonValida(1)},
    Caso{"ArchiveIsAFolder", "(cartella)", 1,
         ArchivioIllegibile("ARCHIVIO", "è una cartella, non un file")},
    Caso{"ArchiveMissing", "(manca)", 1,
         ArchivioIllegibile("ARCHIVIO", "file o cartella inesistente")},
    Caso{"DateNotADate", kBa, 2, DataNonValida("2024/02/30"), {}, "2024/02/30"},
    Caso{"DateOtherShape", kBa, 2, DataNonValida("2/1/2024"), {}, "2/1/2024"},
    Caso{"LeapDay", "2024/02/29\tVE\t3\t15\t27\t42\t90\n", 0, "",
         Report("Ruota VE - 2024/02/29", {3, 15, 27, 42, 90}), "2024/02/29"},
    Caso{"WheelNotAWheel", kBa, 2, "Ruota non valida: ba (una di BA CA FI GE MI NA PA RM TO VE RN)",
         {}, "2024/01/02", "ba"}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

}  // namespace
}  // namespace elencario
