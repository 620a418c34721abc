// What both windows decide, with no window (the exit question is each window's own test), and the
// layout table both are built from.
#include <gtest/gtest.h>

#include "app/Disposizione.h"
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

// Started on the systems folder beside the program, or refused. Each file chosen is shown before
// any box: a load replaces the system, no name changes nothing, a failure keeps it and says why
// after. The print goes to the factory's printer with the options as given, or says there is none.
TEST(RegoleFinestraTest, StartsShowsTheChosenFileBeforeAnyBoxAndPrintsIt) {
    Regole r;
    r.Scrivi("Sistema1.txt", "3 15 27\r\n3 15 42\r\n3 27 42\r\n");
    r.Scrivi("du\xC3\xA0.txt", "1 2\r\n3 4\r\n");
    r.Scrivi("rotto.txt", "5 6\r\n7 91\r\n");
    EXPECT_FALSE(r.regole.Avvia(TestoDaPercorso(r.provvisoria.path())));
    ASSERT_TRUE(r.regole.Avvia(r.Cartella()));
    EXPECT_EQ(CartellaNormale(r.regole.CartellaIniziale()), CartellaNormale(r.sistemi));
    EXPECT_EQ(r.regole.Mostrato(), (SistemaMostrato{"0", testi::kNessunSistemaCaricato, {}}));
    std::vector<std::pair<SistemaMostrato, std::size_t>> mostrati;
    for (const char* nome : {"du\xC3\xA0.txt", "Sistema1.txt", "", "rotto.txt"})
        r.regole.SceltoFile(r.sistemi, nome, [&](const SistemaMostrato& m) {
            mostrati.emplace_back(m, r.messaggi.chiesti.size());
        });
    const auto mostrato = [&](const char* nome, const char* conteggio) {
        const fs::path p = r.sistemi / PercorsoDaTesto(nome);
        return SistemaMostrato{conteggio, TestoDaPercorso(p), p};
    };
    const SistemaMostrato s1 = mostrato("Sistema1.txt", "3");
    EXPECT_EQ(mostrati, (std::vector<std::pair<SistemaMostrato, std::size_t>>{
                            {mostrato("du\xC3\xA0.txt", "2"), 1}, {s1, 1}, {s1, 1}}));
    EXPECT_EQ(r.regole.Mostrato(), s1);
    EXPECT_EQ(r.messaggi.chiesti,
              (std::vector{AvvisoErrore(testi::kNonTrovoSistemi),
                           AvvisoErrore("Si \xC3\xA8 verificato l' errore: 9")}));
    const OpzioniStampa opzioni{"Courier New", "9", "4", "1", true, false};
    EXPECT_EQ(r.regole.Stampa(opzioni), EsitoStampa::Stampato);
    EXPECT_EQ(r.stampante.Elenco(), (Lines{"", "", " SISTEMA1.TXT -  Numeri: 4 - Combinazioni: 3",
                                           "", "", " 3 15 27   -   3 15 42   -   3 27 42"}));
    r.senzaStampante = true;
    EXPECT_EQ(r.regole.Stampa(opzioni), EsitoStampa::NessunaStampante);
    EXPECT_EQ(r.messaggi.chiesti.back(), AvvisoErrore(testi::kNessunaStampante));
}

TEST(RegoleFinestraTest, TheCounterShrinksByQuarterPointsUntilItFitsAndNeverBelowOnePoint) {
    // A text 10 pixels wide and 2 high for every point of size.
    const auto misura = [](double p) { return std::pair<int, int>(p * 10, p * 2); };
    std::vector<double> grandezze;  // fits at once; too wide; too high; never fits
    for (const auto& [l, a] : {std::pair{200, 40}, {80, 40}, {200, 14}, {1, 1}})
        grandezze.push_back(GrandezzaAdattata(9.75, l, a, misura));
    EXPECT_EQ(grandezze, std::vector({9.75, 8.0, 7.25, 1.0}));
}

// Every control lies whole inside its container, in whole pixels at 96 DPI, and overlaps no
// sibling by more than a pixel's line (a heading may touch the frame below it). Twips become
// pixels exact at 96 and at 144 DPI, a half rounded up, less than a half down.
TEST(DisposizioneTest, EachControlLiesInsideItsContainerInWholePixelsAndOverlapsNoSibling) {
    const auto in = [](const char* k) { return std::string_view(k ? k : ""); };
    for (const SchedaControllo& c : Controlli()) {
        SCOPED_TRACE(c.nome);
        const SchedaControllo* k = c.contenitore ? Scheda(c.contenitore) : nullptr;
        EXPECT_EQ(Scheda(c.nome), &c);
        EXPECT_TRUE(!c.contenitore || k != nullptr);
        EXPECT_TRUE(c.left >= 0 && c.top >= 0 &&
                    c.left + c.width <= (k ? k->width : kLarghezzaFinestra) &&
                    c.top + c.height <= (k ? k->height : kAltezzaFinestra));
        EXPECT_EQ(std::vector({c.left % 15, c.top % 15, c.width % 15, c.height % 15}),
                  std::vector(4, 0));
        for (const SchedaControllo& altro : Controlli()) {
            if (&altro == &c || in(altro.contenitore) != in(c.contenitore)) continue;
            const int l = std::max(c.left, altro.left), t = std::max(c.top, altro.top);
            const int r = std::min(c.left + c.width, altro.left + altro.width);
            const int b = std::min(c.top + c.height, altro.top + altro.height);
            EXPECT_TRUE(r - l <= 15 || b - t <= 15) << altro.nome;
        }
    }
    EXPECT_EQ(Scheda("Frame9"), nullptr);
    const Posto margine = PostoNellaFinestra(*Scheda("cmbMargine"));  // in Frame7#3 in Frame1
    EXPECT_EQ(std::pair(margine.left, margine.top), std::pair(5430 + 240 + 1560, 120 + 2730 + 300));
    EXPECT_EQ(std::vector({Pixel(8865, 96), Pixel(7905, 144), Pixel(15, 48), Pixel(14, 48)}),
              std::vector({591, 791, 1, 0}));
}

}  // namespace
}  // namespace elencario::test
