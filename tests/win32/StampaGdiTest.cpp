// The window's print on the real Windows printer, run by stampa-gdi.sh under wine with the private
// print server as the default printer: the sample system printed with a click and "Sì", the same
// print with the server killed once the job has begun, and a file written in place of another.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "app/win32/FrmAmainWin32.h"
#include "printing/Impaginatore.h"
#include "printing/ScelteOpzioni.h"
#include "printing/win32/FileSostituito.h"
#include "printing/win32/FinestraAvanzamentoWin32.h"
#include "printing/win32/StampanteGdi.h"
#include "systems/Percorsi.h"
#include "systems/Testi.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The program folder the script made, with Shared\Sistemi\Sistema1.txt, where it also waits for
// this program's signs.
fs::path Cartella() {
    const wchar_t* cartella = _wgetenv(L"ELENCARIO_PROVA_GDI");
    return cartella != nullptr ? fs::path(cartella) : fs::path();
}

// The window's own progress, which, at the job's first page, tells the script to kill the print
// server and waits until it has, a minute at the most.
class ServerDaUccidere final : public Avanzamento {
  public:
    void Inizio() override { finestra_.Inizio(); }
    bool Continua() override { return finestra_.Continua(); }
    void Pagina(int pagina, int pagine) override {
        finestra_.Pagina(pagina, pagine);
        if (segnalato_) return;
        segnalato_ = true;
        std::ofstream(Cartella() / "pagina") << pagina;
        for (int i = 0; i < 1200 && !fs::exists(Cartella() / "ucciso"); ++i) {
            std::this_thread::sleep_for(50ms);
        }
    }
    void Fine() override { finestra_.Fine(); }

  private:
    FinestraAvanzamentoWin32 finestra_;
    bool segnalato_ = false;
};

struct Caso {
    const char* nome;
    bool uccidi;
    std::vector<RichiestaMessaggio> chiesti;
};

class StampaGdiTest : public ::testing::TestWithParam<Caso> {};

TEST_P(StampaGdiTest, TheWindowPrintsTheSampleOnTheDefaultPrinter) {
    const Caso& c = GetParam();
    if (Cartella().empty()) GTEST_SKIP() << "da eseguire con stampa-gdi.sh, che avvia il server";
    const INITCOMMONCONTROLSEX controlli{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controlli);
    MessaggiCopione messaggi;
    const auto finestra = FrmAmainWin32::Apri(TestoDaPercorso(Cartella()), messaggi, [&c] {
        std::unique_ptr<Avanzamento> avanzamento;
        if (c.uccidi) {
            avanzamento = std::make_unique<ServerDaUccidere>();
        } else {
            avanzamento = std::make_unique<FinestraAvanzamentoWin32>();
        }
        return std::make_unique<Impaginatore>(std::make_unique<StampanteGdi>(),
                                              std::move(avanzamento));
    });
    ASSERT_NE(finestra, nullptr);
    finestra->Mostra();
    const auto clic = [&](const char* nome) {
        ::SendMessageW(finestra->Controllo(nome), BM_CLICK, 0, 0);
    };
    // The mouse on File1's only row.
    const HWND file1 = finestra->Controllo("File1");
    RECT r{};
    ::SendMessageW(file1, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    const LPARAM punto = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SendMessageW(file1, WM_LBUTTONDOWN, MK_LBUTTON, punto);
    ::SendMessageW(file1, WM_LBUTTONUP, 0, punto);
    ASSERT_EQ(finestra->Variabili().TotCombinazioni, 5);
    clic("chkNomeSistema");
    clic("chkNumeriInGioco");
    ::SetWindowTextW(finestra->Controllo("cmbMargine"), L"4");
    messaggi.risposte = {Risposta::Si};
    clic("cmdElencario");
    EXPECT_EQ(messaggi.chiesti, c.chiesti);
    // The program goes on with the system still loaded.
    EXPECT_EQ(finestra->Variabili().TotCombinazioni, 5);
    EXPECT_TRUE(::IsWindowEnabled(finestra->Handle()));
}

const RichiestaMessaggio kConferma{testi::kConfermiStampa, Pulsanti::SiNo, Icona::Nessuna,
                                   PulsantePredefinito::Primo, std::nullopt};

INSTANTIATE_TEST_SUITE_P(
    Gdi, StampaGdiTest,
    ::testing::Values(Caso{"Stampata", false, {kConferma}},
                      Caso{"ServerUcciso", true, {kConferma, AvvisoErrore(testi::kErroreStampa)}}),
    [](const auto& info) { return std::string(info.param.nome); });

// Wine's printer writes its own output (PostScript) into the file that a document names, as
// Microsoft Print to PDF writes its PDF: the file replaces the target once the job is done, and
// nothing else is left beside it.
TEST(StampaSuFileTest, ThePrintedFileReplacesTheTargetOnceTheJobIsDone) {
    if (Cartella().empty()) GTEST_SKIP() << "da eseguire con stampa-gdi.sh, che avvia il server";
    const fs::path destinazione = Cartella() / "uscita.pdf";
    std::ofstream(destinazione, std::ios::binary) << "%PDF-vecchio";
    {
        Impaginatore stampante(
            std::make_unique<FileSostituito>(
                destinazione, [](std::string_view motivo) { return std::string(motivo); },
                [](const std::wstring& file) {
                    return std::make_unique<StampanteGdi>(std::wstring(), file);
                }),
            std::make_unique<FinestraAvanzamentoWin32>());
        ASSERT_EQ(stampante.Prepara(), StatoStampa::Ok);
        ASSERT_EQ(stampante.ImpostaCarattere(std::string(kCourierNew)), StatoStampa::Ok);
        ASSERT_EQ(stampante.ImpostaGrandezza(10), StatoStampa::Ok);
        ASSERT_EQ(stampante.StampaRiga("Città"), StatoStampa::Ok);
        EXPECT_EQ(stampante.ChiudiDocumento(), StatoStampa::Ok) << stampante.Errore();
    }
    std::ifstream in(destinazione, std::ios::binary);
    EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}).starts_with("%!PS"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Cartella()), {}), 2);
}

}  // namespace
}  // namespace elencario::test
