#include "printing/qt/LavoroCups.h"

#include <QDir>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <chrono>
#include <utility>

#include "printing/qt/InvioCups.h"
#include "systems/Testi.h"

namespace elencario {

namespace {

constexpr std::chrono::milliseconds kLimiteServer{30'000};

// Whether to go on, for a wait on the print server; a no is kept in `annullato`.
std::function<bool()> Avanti(const std::function<bool()>& continua, bool& annullato) {
    return [&continua, &annullato] {
        annullato = annullato || !continua();
        return !annullato;
    };
}

}  // namespace

LavoroCups::LavoroCups(SceltaStampante scelta) : scelta_(std::move(scelta)) {}

LavoroCups::~LavoroCups() {
    Abbandona();
}

StatoStampa LavoroCups::Prepara(const std::function<bool()>& continua) {
    bool annullato = false;
    const auto trovata = CercaDestinazione(QString::fromStdString(scelta_.nome), kLimiteServer,
                                           Avanti(continua, annullato));
    if (annullato) return StatoStampa::Interrotta;
    if (!trovata) return StatoStampa::SenzaStampante;
    // Private to the user, removed with the job whatever its outcome.
    lavoro_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/elencario-XXXXXX.pdf");
    if (!lavoro_->open()) return StatoStampa::Fallita;
    destinazione_ = std::make_unique<DestinazioneCups>(*trovata);
    pdf_ = ScrittorePdf(lavoro_.get(), destinazione_->pagina);
    return StatoStampa::Ok;
}

QPagedPaintDevice* LavoroCups::Dispositivo() const {
    return pdf_.get();
}

bool LavoroCups::Scritte() const {
    return lavoro_->error() == QFileDevice::NoError;
}

StatoStampa LavoroCups::Consegna(const std::function<bool()>& continua) {
    if (!lavoro_->flush() || lavoro_->error() != QFileDevice::NoError) return StatoStampa::Fallita;
    bool annullato = false;
    const EsitoCups esito =
        InviaPdf(*destinazione_, lavoro_->fileName(), QString::fromLatin1(testi::kNomeLavoro),
                 kLimiteServer, Avanti(continua, annullato), scelta_.copie);
    Ritira();
    switch (esito) {
        case EsitoCups::Accettato:
            return StatoStampa::Ok;
        case EsitoCups::Annullato:
            return StatoStampa::Interrotta;
        case EsitoCups::Fallito:
            break;
    }
    return annullato ? StatoStampa::Interrotta : StatoStampa::Fallita;
}

void LavoroCups::Ritira() noexcept {
    pdf_.reset();
    lavoro_.reset();
}

void LavoroCups::Lascia() noexcept {
    static_cast<void>(pdf_.release());
}

}  // namespace elencario
