// The listing and the print button, over a recording printer.

#include "printing/PulsanteStampa.h"
#include "systems/Testi.h"

namespace elencario {
namespace {

using enum StatoStampa;
using Spazio::MargineTroppoLargo, Spazio::CarattereTroppoGrande;

std::string Serie(int n) {  // the rows 1, 2, … 90, 1, 2, …
    std::string righe;
    for (int i = 0; i < n; ++i) righe += std::to_string(1 + i % 90) + "\r\n";
    return righe;
}

std::string Numeri(int da, int a) {  // a line of numbers in play
    std::string testo = "  ";
    for (int n = da; n <= a; ++n) testo.append(n < 10 ? "0" : "").append(std::to_string(n)) += ' ';
    return testo;
}

struct CasoElenco {
    const char* nome;
    std::string righe;
    std::int16_t perRiga;
    bool numeri;
    Lines prime;            // the first lines after the header and its two empty lines
    std::size_t linee = 0;  // all those lines, when more than `prime`
    const char* ultima = nullptr;
    const char* intestazione = nullptr;  // checked with `ultima`
};
class ListingTest : public ::testing::TestWithParam<CasoElenco> {};
TEST_P(ListingTest, NumbersInPlayThirtyToALineThenTheRowsJoinedBySeparator) {
    const CasoElenco& c = GetParam();
    test::StampanteRegistratrice p;
    const OpzioniConvertite opzioni{"Arial", 10, c.perRiga, 2, false, c.numeri};
    EXPECT_EQ(ComponiElencario(test::Sistema(c.righe), opzioni, p), Ok);
    const Lines l = p.Elenco();
    ASSERT_EQ(l.size(), 5 + std::max(c.linee, c.prime.size()));
    EXPECT_EQ(Lines(l.begin() + 5, l.begin() + 5 + std::ssize(c.prime)), c.prime);
    if (c.ultima) {
        EXPECT_EQ(Lines({l[2], l.back()}), Lines({c.intestazione, c.ultima}));
    }
}

const char* const kIG = "  IN GIOCO:";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Shapes, ListingTest, ::testing::Values(
    CasoElenco{"NoNumbers", "\"   \"", 9, true, {kIG, "  ", "", "", "  "}},
    CasoElenco{"Thirty", Serie(30), 99, true, {kIG, Numeri(1, 30), "  ", "", ""}, 6},
    CasoElenco{"ThirtyOne", Serie(31), 99, true, {kIG, Numeri(1, 30), Numeri(31, 31), "", ""}, 6},
    CasoElenco{"Ninety", Serie(90), 99, true,
               {kIG, Numeri(1, 30), Numeri(31, 60), Numeri(61, 90), "  ", "", ""}, 8},
    CasoElenco{"NegativePerLine", Serie(5), -2, false, {"  1   -   2", "  3   -   4", "  5"}},
    CasoElenco{"PerLineAboveRows", Serie(3), 8, false, {"  1   -   2   -   3"}},
    CasoElenco{"BlankRowsAndRowsAsWritten", "\"   \"\r\n05 7\r\n8\r\n\"   \"\r\n\"   \"", 2, false,
               {"  -   05 7", "  8   -", "  "}},
    CasoElenco{"PastSixteenBitIndex", Serie(40000), 2, false, {"  1   -   2"}, 20000,
               "  39   -   40", "  Numeri: 90 - Combinazioni: 40000"}),
    test::NomeRiga);
// clang-format on

TEST(RoomCheckTest, GetsEveryNumberOnceBeforeAnythingIsPrinted) {
    test::StampanteRegistratrice p({.spazio = MargineTroppoLargo});
    // A row wider than a line is carried on at its blanks: only a number must fit whole.
    const VARIABILI v =
        test::Sistema("10 20 3\r\n 1 2 3 4\r\n11 22 3\r\n1 2 3\r\n11 22\r\n90\r\n9 1\r\n007 90");
    EXPECT_EQ(ComponiElencario(v, {"A", 9, 4, 0}, p), (EsitoComposizione{Ok, MargineTroppoLargo}));
    EXPECT_EQ(p.candidati, (Lines{"10", "20", "3", "1", "2", "4", "11", "22", "90", "9", "007"}));
    EXPECT_EQ(p.chiamate, (Lines{"font A", "size " + std::to_string(9.0f)}));  // set first
}

// The print button: one box after the question per refusal or failure; only a print ends a job.
struct CasoBottone {
    const char* nome;
    EsitoStampa esito;
    const char* messaggio = nullptr;  // the box after the question
    test::Guasto guasto = {};
    const char* righe = "1 2";  // the loaded system
    Risposta risposta = Risposta::Si;
    OpzioniStampa opzioni = {};
};
class PrintButtonTest : public ::testing::TestWithParam<CasoBottone> {};
TEST_P(PrintButtonTest, OneBoxPerOutcome) {
    const CasoBottone& c = GetParam();
    test::MessaggiCopione scatola;
    scatola.risposte = {c.risposta};
    test::StampanteRegistratrice stampante(c.guasto);
    EXPECT_EQ(StampaElencario(test::Sistema(c.righe), c.opzioni, scatola, stampante), c.esito);
    std::vector<RichiestaMessaggio> attese;
    if (c.esito != EsitoStampa::NessunSistema)
        attese.push_back({testi::kConfermiStampa, Pulsanti::SiNo, Icona::Nessuna, {}, {}});
    if (c.messaggio) attese.push_back(AvvisoErrore(c.messaggio));
    EXPECT_EQ(scatola.chiesti, attese);
    EXPECT_EQ(stampante.DocumentoChiuso(), c.esito == EsitoStampa::Stampato);
}

using enum EsitoStampa;
using namespace testi;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Outcomes, PrintButtonTest, ::testing::ValuesIn(std::vector<CasoBottone>{
    {"Printed", Stampato}, {"NothingLoaded", NessunSistema, kSelezionareSistema, {}, "\r\n"},
    {.nome = "Declined", .esito = Annullato, .risposta = Risposta::No},
    {.nome = "OptionRefused", .esito = OpzioneNonValida, .messaggio = kMargineNonValido,
     .opzioni = {.margine = "-1"}},
    {"SenzaStampante", NessunaStampante, kNessunaStampante, {.prepara = SenzaStampante}},
    {"FailsMidway", ErroreStampa, kErroreStampa, {.dopo = 4}},
    {"OutOfMemory", ErroreStampa, kErroreStampa, {.dopo = 5, .lancia = true}},
    {"CancelledByUser", Interrotto, nullptr, {.dopo = 6, .stato = Interrotta}},
    {"MarginWide", OpzioneNonValida, kMargineNonValido, {.spazio = MargineTroppoLargo}},
    {"FontTooBig", OpzioneNonValida, kGrandezzaNonValida, {.spazio = CarattereTroppoGrande}}}),
    test::NomeRiga);
// clang-format on

}  // namespace
}  // namespace elencario
