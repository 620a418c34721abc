#include "cli/UsciteWin32.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>

#include "cli/Terminale.h"
#include "printing/Impaginatore.h"
#include "printing/StampanteAssente.h"
#include "printing/win32/StampanteGdi.h"
#include "systems/Percorsi.h"

namespace elencario {

namespace {

// Set by Ctrl+C, Ctrl+Break or the console closing; the running job polls it and withdraws
// itself.
std::atomic<bool> fermato{false};

BOOL WINAPI Ferma(DWORD) {
    fermato = true;
    return TRUE;
}

// The progress on one line of standard error, redrawn in place, when that is a terminal.
class AvanzamentoConsole final : public Avanzamento {
  public:
    explicit AvanzamentoConsole(std::FILE* err) : err_(Terminale(err) ? err : nullptr) {}

    void Inizio() override { inizio_ = std::chrono::steady_clock::now(); }
    bool Continua() override { return !fermato; }
    void Pagina(int pagina, int pagine) override {
        using namespace std::chrono_literals;
        if (err_ == nullptr || std::chrono::steady_clock::now() - inizio_ < 500ms) return;
        // The text is ASCII: the console shows it whatever its code page.
        std::fprintf(err_, "\rStampa in corso... Pagina %d di %d ", pagina, pagine);
        std::fflush(err_);
        scritto_ = true;
    }
    void Fine() override {
        if (scritto_) std::fputc('\n', err_);
        scritto_ = false;
    }

  private:
    std::FILE* err_;
    std::chrono::steady_clock::time_point inizio_{};
    bool scritto_ = false;
};

std::unique_ptr<TextPrinter> Lavoro(std::unique_ptr<StampanteGdi> stampante) {
    static const bool gestito = ::SetConsoleCtrlHandler(Ferma, TRUE) != 0;
    static_cast<void>(gestito);
    return std::make_unique<Impaginatore>(std::move(stampante),
                                          std::make_unique<AvanzamentoConsole>(stderr));
}

}  // namespace

UsciteStampa UsciteWin32::Uscite() {
    UsciteStampa uscite;
    uscite.pdf = [](const std::string& file) -> std::unique_ptr<TextPrinter> {
        if (file == kUscitaStandard) {
            return std::make_unique<StampanteAssente>(
                StatoStampa::Fallita,
                "Su Windows il PDF non viene scritto sullo standard output: indicare un file");
        }
        // The name as the command line gave it, in UTF-16, to the file the printer writes.
        return Lavoro(
            std::make_unique<StampanteGdi>(kStampantePdf, PercorsoDaTesto(file).wstring()));
    };
    uscite.stampante = [](const SceltaStampante& scelta) -> std::unique_ptr<TextPrinter> {
        if (scelta.copie != 1) {
            return std::make_unique<StampanteAssente>(
                StatoStampa::Fallita, "Su Windows si stampa una copia per volta: --copie non vale");
        }
        return Lavoro(std::make_unique<StampanteGdi>(PercorsoDaTesto(scelta.nome).wstring()));
    };
    return uscite;
}

}  // namespace elencario
