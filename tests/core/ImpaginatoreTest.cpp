// The page layout over a device whose every character is one unit wide and every line one unit
// tall: where lines break, how they fill pages, the room check, and how a job stops.

#include <algorithm>
#include <memory>

#include "printing/Impaginatore.h"

namespace elencario {
namespace {

using enum StatoStampa;

struct Pagina {
    double larghezza = 100, altezza = 3, altezzaRiga = 1;
};

// Keeps what the layout does on it: "prepara", "FONT SIZE", "inizia", "y TEXT" for a line drawn
// at y, "pagina", "termina", "abbandona"; and of the progress "p/n" and "fine", saying stop once
// asked `finoA` times. One call of the device may be made to fail.
struct Dispositivo final : DispositivoPagine, Pagina {
    Dispositivo(Pagina p, Lines& visti) : Pagina(p), visti(visti) {}
    StatoStampa Prepara(const std::function<bool()>&) override { return Fa("prepara"); }
    void Carattere(const std::string& n, float p) override { Fa(n + " " + std::to_string(int(p))); }
    MisurePagina Misure() override { return {larghezza, altezza, 1, altezzaRiga}; }
    double Larghezza(std::string_view testo) override {  // in characters, not bytes
        return static_cast<double>(std::ranges::count_if(
            testo, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    }
    StatoStampa Inizia() override { return Fa("inizia"); }
    StatoStampa Disegna(double alto, std::string_view testo) override {
        return Fa(std::to_string(static_cast<int>(alto)) + " " + std::string(testo));
    }
    StatoStampa NuovaPagina() override { return Fa("pagina"); }
    StatoStampa Termina(const std::function<bool()>&) override { return Fa("termina"); }
    void Abbandona() noexcept override {
        if (visti.empty() || visti.back() != "abbandona") visti.push_back("abbandona");
    }
    StatoStampa Fa(const std::string& chiamata) {
        visti.push_back(chiamata);
        return chiamata == guasto.first ? guasto.second : Ok;
    }
    Lines& visti;
    std::pair<std::string, StatoStampa> guasto;  // the call that fails, and what it gives
};

struct Progresso final : Avanzamento {
    Progresso(Lines& visti, int finoA) : visti(visti), finoA(finoA) {}
    bool Continua() override { return finoA < 0 || finoA-- > 0; }
    void Pagina(int p, int n) override {
        visti.push_back(std::to_string(p) + '/' + std::to_string(n));
    }
    void Fine() override { visti.push_back("fine"); }
    Lines& visti;
    int finoA;
};

struct Prova {
    explicit Prova(Pagina p = {}, int finoA = -1)
        : dispositivo(new Dispositivo(p, visti)),
          stampante(std::make_unique<Impaginatore>(std::unique_ptr<DispositivoPagine>(dispositivo),
                                                   std::make_unique<Progresso>(visti, finoA))) {}
    [[nodiscard]] Lines Disegnate() const {  // the lines drawn, without their heights
        Lines righe;
        for (const std::string& v : visti)
            if (v[0] >= '0' && v[0] <= '9' && v.find(' ') != std::string::npos)
                righe.push_back(v.substr(v.find(' ') + 1));
        return righe;
    }
    Lines visti;  // first: the device and the progress keep it
    Dispositivo* dispositivo;
    std::unique_ptr<Impaginatore> stampante;
};

// One printed line of the grid, as the listing hands it over: its separators as data.
struct CasoRiga {
    const char* nome;
    double larghezza;
    std::string riga;  // the margin, then rows joined by '|': the separator "   -   "
    Lines carta;       // the lines they take on paper
};
class RigaTest : public testing::TestWithParam<CasoRiga> {};
TEST_P(RigaTest, BreaksAtTheLastSeparatorThatFitsElseAtABlankAndGoesOnAtTheMargin) {
    const CasoRiga& c = GetParam();
    std::string testo;
    std::vector<std::size_t> separatori;
    for (const char carattere : c.riga) {
        if (carattere == '|') separatori.push_back(testo.size());
        testo += carattere == '|' ? "   -   " : std::string(1, carattere);
    }
    Prova prova({c.larghezza, 100});
    ASSERT_EQ(
        prova.stampante->StampaRighe({testo + '\n', c.riga.find_first_not_of(' '), separatori}),
        Ok);
    ASSERT_EQ(prova.stampante->ChiudiDocumento(), Ok);
    EXPECT_EQ(prova.Disegnate(), c.carta);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Righe, RigaTest, testing::ValuesIn(std::vector<CasoRiga>{
    {"AtTheSeparatorKeepingItsDash", 16, "  10 20|30 40|50 60",
     {"  10 20   -", "  30 40   -", "  50 60"}},
    {"DashThatDoesNotFitIsLeftOut", 9, "  10 20|30 40", {"  10 20", "  30 40"}},
    {"RowWiderThanTheLineAtItsBlanks", 10, "  1 2 3 4 5 6 7 8", {"  1 2 3 4", "  5 6 7 8"}},
    {"ANumberIsNeverSplitNorBlanksKept", 6, "  12 3456  7", {"  12", "  3456", "  7"}},
    {"BlanksInARowAreNotSeparators", 14, "1 2 3|4 5 6", {"1 2 3   -", "4 5 6"}},
    {"AWordWiderThanTheLineIsCut", 4, "123456", {"1234", "56"}},
    {"CutBetweenCharactersNotBytes", 3, "àààà", {"ààà", "à"}}}),
    test::NomeRiga);
// clang-format on

// A text line breaks at blanks and goes on under its own leading blanks; the listing hands its
// rows over with their separators, so that a row's own blanks never break before one that fits.
TEST(ImpaginatoreTest, TextLinesAndTheListingsGrid) {
    Prova prova({12, 100}), griglia({24, 100});
    ASSERT_EQ(prova.stampante->Stampa("   Numeri:"), Ok);
    ASSERT_EQ(prova.stampante->StampaRiga(" 90 - Combinazioni: 5"), Ok);
    ASSERT_EQ(prova.stampante->ChiudiDocumento(), Ok);
    EXPECT_EQ(prova.Disegnate(), (Lines{"   Numeri:", "   90 -", "   Combinazi", "   oni: 5"}));
    ASSERT_EQ(ComponiElencario(test::Sistema("1 2 3\r\n4 5 6\r\n7 8 9\r\n"),
                               {"A", 9, 3, 1, false, false}, *griglia.stampante),
              Ok);
    EXPECT_EQ(griglia.Disegnate(),
              (Lines{" Numeri: 9 -", " Combinazioni: 3", " 1 2 3   -   4 5 6   -", " 7 8 9"}));
}

// Every page takes one line even when the line is taller than it.
TEST(ImpaginatoreTest, LinesFillEveryPageFromTheTopAndThePagesAreCountedFromTheFirst) {
    Prova prova, alta({100, 1, 5});  // three lines a page; a line taller than the page
    for (const char* riga : {"a", "", "b", "c", "d", "e", "f"}) prova.stampante->StampaRiga(riga);
    ASSERT_EQ(prova.stampante->ChiudiDocumento(), Ok);
    EXPECT_EQ(prova.visti, (Lines{"prepara", " 0", "inizia", "1/3", "0 a", "2 b", "pagina", "2/3",
                                  "0 c", "1 d", "2 e", "pagina", "3/3", "0 f", "termina", "fine"}));
    for (const char* riga : {"a", "b"}) alta.stampante->StampaRiga(riga);
    ASSERT_EQ(alta.stampante->ChiudiDocumento(), Ok);
    EXPECT_EQ(alta.visti, (Lines{"prepara", " 0", "inizia", "1/2", "0 a", "pagina", "2/2", "0 b",
                                 "termina", "fine"}));
}

struct CasoSpazio {
    const char* nome;
    Pagina pagina;
    int margine;
    Spazio risposta;
};
class SpazioTest : public testing::TestWithParam<CasoSpazio> {};
// The device is prepared by the check itself when nobody prepared it before.
TEST_P(SpazioTest, OnlyALineTallerThanThePageOrAMarginAndNumberWiderThanTheLineAreRefused) {
    const CasoSpazio& c = GetParam();
    Prova prova(c.pagina);
    prova.stampante->ImpostaCarattere("A");
    prova.stampante->ImpostaGrandezza(9);
    const auto righe = [] { return Lines{"1", "22", "333"}; };
    EXPECT_EQ(prova.stampante->VerificaSpazio(c.margine, righe), c.risposta);
    EXPECT_EQ(prova.visti, (Lines{"prepara", "A 9"}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Spazi, SpazioTest, testing::ValuesIn(std::vector<CasoSpazio>{
    {"Fits", {5, 3}, 2, Spazio::Ok}, {"MarginTooWide", {5, 3}, 3, Spazio::MargineTroppoLargo},
    {"NumberTooWide", {2, 3}, 0, Spazio::CarattereTroppoGrande},
    {"LineTallerThanThePage", {5, 3, 4}, 0, Spazio::CarattereTroppoGrande}}),
    test::NomeRiga);
// clang-format on

TEST(ImpaginatoreTest, APrinterThatCannotBePreparedFailsTheFirstPrintAfterTheCheck) {
    Prova prova;
    prova.dispositivo->guasto = {"prepara", SenzaStampante};
    EXPECT_EQ(prova.stampante->VerificaSpazio(0, [] { return Lines{"1"}; }), Spazio::Ok);
    EXPECT_EQ(prova.stampante->StampaRiga("a"), SenzaStampante);
    EXPECT_EQ(prova.stampante->ChiudiDocumento(), SenzaStampante);
    EXPECT_EQ(prova.stampante->Prepara(), SenzaStampante);
    EXPECT_EQ(prova.visti, (Lines{"prepara", "abbandona"}));
}

struct CasoFine {
    const char* nome;
    int righe;              // whole lines sent, then one left open
    int finoA;              // the progress says stop after so many questions; -1 never
    const char* fallisceA;  // the device's call that fails
    StatoStampa esito;
};
class FineTest : public testing::TestWithParam<CasoFine> {};
// A job that ends badly is withdrawn, and its progress ends before the caller hears of it.
TEST_P(FineTest, AJobStoppedOrFailedAnywhereIsWithdrawn) {
    const CasoFine& c = GetParam();
    Prova prova({100, 1}, c.finoA);
    prova.dispositivo->guasto = {c.fallisceA, Fallita};
    StatoStampa s = Ok;
    for (int i = 0; i < c.righe && s == Ok; ++i) s = prova.stampante->StampaRiga("a");
    if (s == Ok) s = prova.stampante->Stampa("b");
    if (s == Ok) s = prova.stampante->ChiudiDocumento();
    EXPECT_EQ(s, c.esito);
    // What the caller asks afterwards says the same: nothing goes on over a job that ended.
    EXPECT_EQ(prova.stampante->ImpostaCarattere("B"), c.esito);
    EXPECT_EQ(prova.stampante->ImpostaGrandezza(9), c.esito);
    EXPECT_FALSE(std::ranges::search(prova.visti, Lines{"abbandona", "fine"}).empty());
    prova.stampante.reset();
    EXPECT_EQ(std::count(prova.visti.begin(), prova.visti.end(), "termina"),
              std::string_view(c.fallisceA) == "termina");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fini, FineTest, testing::ValuesIn(std::vector<CasoFine>{
    {"CancelledWhileGathering", 2000, 1, "", Interrotta},
    {"CancelledWhenTheLastOpenLineEnds", 511, 0, "", Interrotta},
    {"CancelledBetweenPages", 3, 3, "", Interrotta}, {"PageNotBegun", 3, -1, "inizia", Fallita},
    {"LineNotDrawn", 3, -1, "0 a", Fallita}, {"NewPageNotMade", 3, -1, "pagina", Fallita},
    {"JobNotHandedOver", 3, -1, "termina", Fallita}}),
    test::NomeRiga);
// clang-format on

}  // namespace
}  // namespace elencario
