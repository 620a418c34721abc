#include "cli/UsciteWin32.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

#include "cli/AvanzamentoTerminale.h"
#include "cli/TestiComando.h"
#include "printing/Impaginatore.h"
#include "printing/StampanteAssente.h"
#include "printing/win32/FileSostituito.h"
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

std::unique_ptr<StampanteTesto> Lavoro(std::unique_ptr<DispositivoPagine> stampante) {
    static const bool gestito = ::SetConsoleCtrlHandler(Ferma, TRUE) != 0;
    static_cast<void>(gestito);
    auto avanzamento = std::make_unique<AvanzamentoTerminale>(
        stderr, [] { return fermato.load(); }, testi::kStampaInCorsoAscii);
    return std::make_unique<Impaginatore>(std::move(stampante), std::move(avanzamento));
}

}  // namespace

UsciteStampa UsciteWin32::Uscite() {
    UsciteStampa uscite;
    uscite.pdf = [](const std::string& file) -> std::unique_ptr<StampanteTesto> {
        if (file == kUscitaStandard) {
            return std::make_unique<StampanteAssente>(StatoStampa::Fallita,
                                                      testi::kPdfWindowsSulloStandardOutput);
        }
        // The name as the command line gave it, in UTF-16; the printer writes a new file beside
        // it, which replaces it once the job is done.
        return Lavoro(std::make_unique<FileSostituito>(
            PercorsoDaTesto(file),
            [file](std::string_view motivo) { return testi::PdfNonScrivibile(file, motivo); },
            [](const std::wstring& provvisorio) {
                return std::make_unique<StampanteGdi>(kStampantePdf, provvisorio);
            }));
    };
    uscite.stampante = [](const SceltaStampante& scelta) -> std::unique_ptr<StampanteTesto> {
        if (scelta.copie != 1) {
            return std::make_unique<StampanteAssente>(StatoStampa::Fallita, testi::kCopieWindows);
        }
        return Lavoro(std::make_unique<StampanteGdi>(PercorsoDaTesto(scelta.nome).wstring()));
    };
    return uscite;
}

}  // namespace elencario
