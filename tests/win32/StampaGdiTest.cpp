// The Windows printer under wine, run by stampa-gdi.sh with the private print server as the
// default printer.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <thread>
#include <utility>

#include "printing/Impaginatore.h"
#include "printing/ScelteOpzioni.h"
#include "printing/win32/FileSostituito.h"
#include "printing/win32/FinestraAvanzamentoWin32.h"
#include "printing/win32/StampanteGdi.h"
#include "systems/Percorsi.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The empty folder the script made, where it also waits for this program's signs.
const wchar_t* const kVariabile = _wgetenv(L"ELENCARIO_PROVA_GDI");
const fs::path kCartella = kVariabile != nullptr ? fs::path(kVariabile) : fs::path();

// A job of one line on `stampante`, to its end.
StatoStampa Stampa(std::unique_ptr<DispositivoPagine> stampante,
                   std::unique_ptr<Avanzamento> avanzamento) {
    Impaginatore lavoro(std::move(stampante), std::move(avanzamento));
    EXPECT_EQ(lavoro.Prepara(), StatoStampa::Ok);
    EXPECT_EQ(lavoro.ImpostaCarattere(std::string(kCourierNew)), StatoStampa::Ok);
    EXPECT_EQ(lavoro.ImpostaGrandezza(10), StatoStampa::Ok);
    EXPECT_EQ(lavoro.StampaRiga("Città"), StatoStampa::Ok);
    const StatoStampa stato = lavoro.ChiudiDocumento();
    if (stato != StatoStampa::Ok) std::cout << lavoro.Errore() << '\n';
    return stato;
}

// The progress, which, at the job's first page, tells the script to kill the print server and
// waits until it has, a minute at the most.
struct ServerDaUccidere final : Avanzamento {
    bool Continua() override { return true; }
    void Pagina(int pagina, int) override {
        if (std::exchange(segnalato, true)) return;
        std::ofstream(kCartella / "pagina") << pagina;
        for (int i = 0; i < 1200 && !fs::exists(kCartella / "ucciso"); ++i)
            std::this_thread::sleep_for(50ms);
    }
    bool segnalato = false;
};

TEST(StampaGdiTest, AJobWhoseServerIsKilledFails) {
    if (kCartella.empty()) GTEST_SKIP() << "da eseguire con stampa-gdi.sh, che avvia il server";
    EXPECT_EQ(Stampa(std::make_unique<StampanteGdi>(), std::make_unique<ServerDaUccidere>()),
              StatoStampa::Fallita);
}

// Wine's printer writes its PostScript into the file a document names, as Microsoft Print to PDF
// writes its PDF: the file replaces the target once the job is done, nothing left beside it.
TEST(StampaGdiTest, ThePrintedFileReplacesTheTargetOnceTheJobIsDone) {
    if (kCartella.empty()) GTEST_SKIP() << "da eseguire con stampa-gdi.sh, che avvia il server";
    const fs::path destinazione = kCartella / "uscita.pdf";
    std::ofstream(destinazione, std::ios::binary) << "%PDF-vecchio";
    EXPECT_EQ(Stampa(std::make_unique<FileSostituito>(
                         destinazione, [](std::string_view motivo) { return std::string(motivo); },
                         [](const std::wstring& file) {
                             return std::make_unique<StampanteGdi>(std::wstring(), file);
                         }),
                     std::make_unique<FinestraAvanzamentoWin32>()),
              StatoStampa::Ok);
    std::ifstream in(destinazione, std::ios::binary);
    EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}).starts_with("%!PS"));
    EXPECT_EQ(std::distance(fs::directory_iterator(kCartella), {}), 1);
}

}  // namespace
}  // namespace elencario::test
