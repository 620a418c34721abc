// What both windows decide, with no window: the start-up and its refusal, what a chosen file
// loads and what the window then shows, the print button's flow, the exit question, and the
// layout table both windows are built from.
#include <gtest/gtest.h>

#include <memory>

#include "app/Disposizione.h"
#include "app/RegoleFinestra.h"
#include "app/VociCartella.h"
#include "systems/Testi.h"
#include "tests/support/ProgrammaDiProva.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;

// A program folder with an accented name; no printer when `senzaStampante`.
struct Regole : ProgrammaDiProva {
    Regole() : ProgrammaDiProva("Citt\xC3\xA0") {}
    bool senzaStampante = false;
    RegoleFinestra regole{messaggi, [this]() -> std::unique_ptr<StampanteTesto> {
                              return senzaStampante ? nullptr : Fabbrica()();
                          }};
};

TEST(RegoleFinestraTest, StartsOnTheSystemsFolderBesideTheProgramOrRefusesWithTheMessage) {
    Regole r;
    EXPECT_FALSE(r.regole.Avvia(TestoDaPercorso(r.provvisoria.path())));
    EXPECT_EQ(r.messaggi.chiesti, std::vector{AvvisoErrore(testi::kNonTrovoSistemi)});
    ASSERT_TRUE(r.regole.Avvia(r.Cartella()));
    EXPECT_EQ(r.messaggi.chiesti.size(), 1U);
    EXPECT_EQ(CartellaNormale(r.regole.CartellaIniziale()), CartellaNormale(r.sistemi));
    EXPECT_EQ(r.regole.Mostrato(), (SistemaMostrato{"0", testi::kNessunSistemaCaricato, {}}));
}

// Loaded first (or nothing), then chosen: what the window shows after, and the box shown.
struct Scelta {
    const char *nome, *prima, *scelto, *mostrato;
    int conteggio;
    const char* messaggio;
};
void PrintTo(const Scelta& s, std::ostream* os) {
    *os << s.nome;
}
class SceltaTest : public testing::TestWithParam<Scelta> {};
TEST_P(SceltaTest, TheChosenFileIsLoadedAndShownBeforeAnyBoxAndAFailureKeepsTheSystemBefore) {
    const Scelta& s = GetParam();
    Regole r;
    r.Scrivi("Sistema1.txt", "3 15 27\r\n3 15 42\r\n3 27 42\r\n");
    r.Scrivi("du\xC3\xA0.txt", "1 2\r\n3 4\r\n");
    r.Scrivi("rotto.txt", "5 6\r\n7 91\r\n");
    ASSERT_TRUE(r.regole.Avvia(r.Cartella()));
    const auto nessuno = [](const SistemaMostrato&) {};
    if (*s.prima) r.regole.SceltoFile(r.sistemi, s.prima, nessuno);
    std::vector<SistemaMostrato> mostrati;
    std::size_t boxPrima = 0;  // the boxes asked when the window was told
    r.regole.SceltoFile(r.sistemi, s.scelto, [&](const SistemaMostrato& m) {
        mostrati.push_back(m);
        boxPrima = r.messaggi.chiesti.size();
    });
    const fs::path mostrato = r.sistemi / PercorsoDaTesto(s.mostrato);
    const std::string file = *s.mostrato ? TestoDaPercorso(mostrato) : "";
    const SistemaMostrato atteso =
        *s.mostrato ? SistemaMostrato{std::to_string(s.conteggio), file, mostrato}
                    : SistemaMostrato{"0", testi::kNessunSistemaCaricato, {}};
    EXPECT_EQ(r.regole.Mostrato(), atteso);
    EXPECT_EQ(mostrati, *s.scelto ? std::vector{atteso} : std::vector<SistemaMostrato>{});
    EXPECT_EQ(r.regole.Variabili().FileSistema, file);
    EXPECT_EQ(r.messaggi.chiesti, s.messaggio ? std::vector{AvvisoErrore(s.messaggio)}
                                              : std::vector<RichiestaMessaggio>{});
    EXPECT_EQ(boxPrima, 0U);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(File1, SceltaTest, testing::Values(
    Scelta{"Loads", "", "Sistema1.txt", "Sistema1.txt", 3, nullptr},
    Scelta{"AccentedName", "Sistema1.txt", "du\xC3\xA0.txt", "du\xC3\xA0.txt", 2, nullptr},
    Scelta{"NoNameChangesNothing", "Sistema1.txt", "", "Sistema1.txt", 3, nullptr},
    Scelta{"BadContentKeepsTheOneBefore", "Sistema1.txt", "rotto.txt", "Sistema1.txt", 3,
           "Si \xC3\xA8 verificato l' errore: 9"},
    Scelta{"BadContentWithNothingBefore", "", "rotto.txt", "", 0,
           "Si \xC3\xA8 verificato l' errore: 9"},
    Scelta{"VanishedKeepsTheOneBefore", "du\xC3\xA0.txt", "sparito.txt", "du\xC3\xA0.txt", 2,
           testi::kFileNonTrovato}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

// The button: refused with nothing loaded; asked, then printed with the options as given (a
// typed font among them) or not at all on No; with no printer, the message that says so.
TEST(RegoleFinestraTest, PrintAsksThenPrintsTheOptionsAsGivenOrSaysWhatStoppedIt) {
    Regole r;
    r.Scrivi("Sistema1.txt", "3 15 27\r\n3 15 42\r\n");
    ASSERT_TRUE(r.regole.Avvia(r.Cartella()));
    const OpzioniStampa opzioni{"Courier New", "9", "4", "1", true, false};
    EXPECT_EQ(r.regole.Stampa(opzioni), EsitoStampa::NessunSistema);
    EXPECT_EQ(r.messaggi.chiesti, std::vector{AvvisoErrore(testi::kSelezionareSistema)});
    r.regole.SceltoFile(r.sistemi, "Sistema1.txt", [](const SistemaMostrato&) {});
    r.messaggi.risposte = {Risposta::No, Risposta::Si};
    EXPECT_EQ(r.regole.Stampa(opzioni), EsitoStampa::Annullato);
    EXPECT_TRUE(r.stampante.chiamate.empty());
    EXPECT_EQ(r.regole.Stampa(opzioni), EsitoStampa::Stampato);
    const RichiestaMessaggio conferma{testi::kConfermiStampa, Pulsanti::SiNo, Icona::Nessuna,
                                      PulsantePredefinito::Primo, std::nullopt};
    EXPECT_EQ(std::vector(r.messaggi.chiesti.begin() + 1, r.messaggi.chiesti.end()),
              std::vector(2, conferma));
    EXPECT_EQ(std::vector(r.stampante.chiamate.begin(), r.stampante.chiamate.begin() + 2),
              (std::vector<std::string>{"font Courier New", "size " + std::to_string(9.0f)}));
    EXPECT_EQ(r.stampante.Elenco(),
              (std::vector<std::string>{"", "", " SISTEMA1.TXT -  Numeri: 4 - Combinazioni: 2", "",
                                        "", " 3 15 27   -   3 15 42"}));
    r.senzaStampante = true;
    r.messaggi.risposte = {Risposta::Si};
    EXPECT_EQ(r.regole.Stampa(opzioni), EsitoStampa::NessunaStampante);
    EXPECT_EQ(r.messaggi.chiesti.back(), AvvisoErrore(testi::kNessunaStampante));
}

TEST(RegoleFinestraTest, TheExitQuestionLetsTheWindowCloseOnYesOnly) {
    Regole r;
    r.messaggi.risposte = {Risposta::No, Risposta::Si};
    EXPECT_FALSE(r.regole.ConfermaUscita());
    EXPECT_TRUE(r.regole.ConfermaUscita());
    const RichiestaMessaggio domanda{testi::kDomandaUscita, Pulsanti::SiNo, Icona::Avviso,
                                     PulsantePredefinito::Secondo, testi::kTitoloUscita};
    EXPECT_EQ(r.messaggi.chiesti, std::vector(2, domanda));
    r.regole.CartellaNonAccessibile();
    EXPECT_EQ(r.messaggi.chiesti.back(), AvvisoErrore(testi::kCartellaNonAccessibile));
}

TEST(RegoleFinestraTest, TheCounterShrinksByQuarterPointsUntilItFitsAndNeverBelowOnePoint) {
    // A text 10 pixels wide and 2 high for every point of size.
    const auto misura = [](double punti) {
        return std::pair(static_cast<int>(punti * 10), static_cast<int>(punti * 2));
    };
    EXPECT_EQ(GrandezzaAdattata(9.75, 200, 40, misura), 9.75);
    EXPECT_EQ(GrandezzaAdattata(9.75, 80, 40, misura), 8.0);
    EXPECT_EQ(GrandezzaAdattata(9.75, 200, 14, misura), 7.25);
    EXPECT_EQ(GrandezzaAdattata(9.75, 1, 1, misura), 1.0);
}

// Every control lies whole inside its container, in whole pixels at 96 DPI, and overlaps no
// sibling by more than a pixel's line (a heading may touch the frame below it).
TEST(DisposizioneTest, EachControlLiesInsideItsContainerAndOverlapsNoSibling) {
    const auto dentro = [](const SchedaControllo& c) {
        const SchedaControllo* k = c.contenitore ? Scheda(c.contenitore) : nullptr;
        const int w = k ? k->width : kLarghezzaFinestra, h = k ? k->height : kAltezzaFinestra;
        return c.left >= 0 && c.top >= 0 && c.left + c.width <= w && c.top + c.height <= h;
    };
    for (const SchedaControllo& c : Controlli()) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(Scheda(c.nome), &c);
        EXPECT_TRUE(!c.contenitore || Scheda(c.contenitore) != nullptr);
        EXPECT_TRUE(dentro(c));
        EXPECT_EQ(std::vector({c.left % 15, c.top % 15, c.width % 15, c.height % 15}),
                  std::vector(4, 0));
        for (const SchedaControllo& altro : Controlli()) {
            if (&altro == &c || std::string_view(altro.contenitore ? altro.contenitore : "") !=
                                    (c.contenitore ? c.contenitore : ""))
                continue;
            const int l = std::max(c.left, altro.left), t = std::max(c.top, altro.top);
            const int r = std::min(c.left + c.width, altro.left + altro.width);
            const int b = std::min(c.top + c.height, altro.top + altro.height);
            EXPECT_TRUE(r - l <= 15 || b - t <= 15) << altro.nome;
        }
    }
    EXPECT_EQ(Scheda("Frame9"), nullptr);
}

struct Scala {
    const char* nome;
    int twips, dpi, pixel;
};
void PrintTo(const Scala& s, std::ostream* os) {
    *os << s.nome;
}
class PixelTest : public testing::TestWithParam<Scala> {};
TEST_P(PixelTest, TwipsBecomePixelsRoundedToTheNearest) {
    EXPECT_EQ(Pixel(GetParam().twips, GetParam().dpi), GetParam().pixel);
}
INSTANTIATE_TEST_SUITE_P(Disposizione, PixelTest,
                         testing::Values(Scala{"At96", 8865, 96, 591},
                                         Scala{"At144", 7905, 144, 791},
                                         Scala{"HalfRoundsUp", 15, 48, 1},
                                         Scala{"BelowHalfRoundsDown", 14, 48, 0},
                                         Scala{"At120", 255, 120, 21}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(DisposizioneTest, APlaceInTheWindowAddsTheContainersCorners) {
    const Posto margine = PostoNellaFinestra(*Scheda("cmbMargine"));
    EXPECT_EQ(std::pair(margine.left, margine.top), std::pair(5430 + 240 + 1560, 120 + 2730 + 300));
    const Posto frame3 = PostoNellaFinestra(*Scheda("Frame3"));
    EXPECT_EQ(std::pair(frame3.left, frame3.top), std::pair(180, 120));
}

}  // namespace
}  // namespace elencario::test
