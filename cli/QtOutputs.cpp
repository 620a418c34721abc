#include "cli/QtOutputs.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QString>
#include <csignal>
#include <cstdio>

#include "cli/Terminale.h"
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

// The progress on one line of standard error, redrawn in place, when that is a terminal.
class AvanzamentoTerminale final : public Avanzamento {
  public:
    explicit AvanzamentoTerminale(std::FILE* err) : err_(Terminale(err) ? err : nullptr) {}

    void Inizio() override { durata_.start(); }
    bool Continua() override { return segnaleRicevuto == 0; }
    void Pagina(int pagina, int pagine) override {
        if (err_ == nullptr || !durata_.isValid() || durata_.elapsed() < 500) return;
        std::fprintf(err_, "\r%s %s ", testi::kStampaInCorso,
                     testi::PaginaDi(pagina, pagine).c_str());
        std::fflush(err_);
        scritto_ = true;
    }
    void Fine() override {
        if (scritto_) std::fputc('\n', err_);
        scritto_ = false;
    }

  private:
    std::FILE* err_;
    QElapsedTimer durata_;
    bool scritto_ = false;
};

}  // namespace

QtOutputs::QtOutputs() = default;

QtOutputs::~QtOutputs() = default;

UsciteStampa QtOutputs::Uscite() {
    UsciteStampa uscite;
    uscite.pdf = [this](const std::string& file) -> std::unique_ptr<TextPrinter> {
        StartQt();
        // The name stays in the system's own bytes: a name that is not UTF-8 is the one written.
        auto uscita = file == kUscitaStandard ? std::make_unique<UscitaPdf>(
                                                    fileno(stdout), "il PDF sullo standard output")
                                              : std::make_unique<UscitaPdf>(PercorsoDaTesto(file));
        return std::make_unique<Impaginatore>(std::make_unique<FilePdf>(std::move(uscita)),
                                              std::make_unique<AvanzamentoTerminale>(stderr));
    };
    uscite.stampante = [this](const SceltaStampante& scelta) -> std::unique_ptr<TextPrinter> {
        StartQt();
        return std::make_unique<Impaginatore>(StampantePredefinita(scelta),
                                              std::make_unique<AvanzamentoTerminale>(stderr));
    };
    return uscite;
}

void QtOutputs::StartQt() {
    if (app_) return;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && noDisplay) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    ZittisciAvvisiQt();
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    PreparaQt(*app_);
    // From here on a job is under way: an interruption withdraws it instead of leaving half a
    // file or half a job behind.
    std::signal(SIGINT, RicordaSegnale);
    std::signal(SIGTERM, RicordaSegnale);
}

}  // namespace elencario

#ifdef ELENCARIO_MODULO_STAMPA
// What the command calls once it has loaded this module.
extern "C" elencario::FornitoreUscite* elencario_uscite_qt() {
    return new elencario::QtOutputs;
}
#endif
