#include "cli/UsciteQt.h"

#include <QGuiApplication>
#include <QString>
#include <csignal>
#include <cstdio>

#include "cli/AvanzamentoTerminale.h"
#include "cli/TestiComando.h"
#include "printing/Impaginatore.h"
#include "printing/qt/AmbienteQt.h"
#include "printing/qt/FilePdf.h"
#include "printing/qt/StampantePredefinita.h"
#include "printing/qt/UscitaPdf.h"
#include "systems/Percorsi.h"
#include "systems/Testi.h"

namespace elencario {

namespace {

// Set by Ctrl+C or a request to end; the running job polls it and withdraws itself. A signal
// handler can reach nothing else.
volatile std::sig_atomic_t segnaleRicevuto = 0;

extern "C" void RicordaSegnale(int) {
    segnaleRicevuto = 1;
}

std::unique_ptr<Avanzamento> NuovoAvanzamento() {
    return std::make_unique<AvanzamentoTerminale>(
        stderr, [] { return segnaleRicevuto != 0; }, testi::kStampaInCorso);
}

}  // namespace

UsciteQt::UsciteQt() = default;

UsciteQt::~UsciteQt() = default;

UsciteStampa UsciteQt::Uscite() {
    UsciteStampa uscite;
    uscite.pdf = [this](const std::string& file) -> std::unique_ptr<StampanteTesto> {
        AvviaQt();
        // The name stays in the system's own bytes: a name that is not UTF-8 is the one written.
        auto uscita = file == kUscitaStandard ? std::make_unique<UscitaPdf>(
                                                    fileno(stdout), testi::kPdfSulloStandardOutput)
                                              : std::make_unique<UscitaPdf>(PercorsoDaTesto(file));
        return std::make_unique<Impaginatore>(std::make_unique<FilePdf>(std::move(uscita)),
                                              NuovoAvanzamento());
    };
    uscite.stampante = [this](const SceltaStampante& scelta) -> std::unique_ptr<StampanteTesto> {
        AvviaQt();
        return std::make_unique<Impaginatore>(StampantePredefinita(scelta), NuovoAvanzamento());
    };
    return uscite;
}

void UsciteQt::AvviaQt() {
    if (applicazione_) return;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && noDisplay) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    ZittisciAvvisiQt();
    applicazione_ = std::make_unique<QGuiApplication>(argc_, argv_);
    PreparaQt(*applicazione_);
    // From here on a job is under way: an interruption withdraws it instead of leaving half a
    // file or half a job behind.
    std::signal(SIGINT, RicordaSegnale);
    std::signal(SIGTERM, RicordaSegnale);
}

}  // namespace elencario

#ifdef ELENCARIO_MODULO_STAMPA
// What the command calls once it has loaded this module.
extern "C" elencario::FornitoreUscite* elencario_uscite_qt() {
    return new elencario::UsciteQt;
}
#endif
