#include "printing/qt/StampanteNativa.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace elencario {

StampanteNativa::StampanteNativa() = default;

StampanteNativa::~StampanteNativa() {
    Abbandona();
}

StatoStampa StampanteNativa::Prepara(const std::function<bool()>& continua) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return StatoStampa::SenzaStampante;
    auto stampante = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // With no usable printer Qt turns the printer into a PDF writer with no file: refuse it.
    if (!stampante->isValid() || stampante->outputFormat() != QPrinter::NativeFormat) {
        return StatoStampa::SenzaStampante;
    }
    stampante->setDocName(QString::fromLatin1(kNomeLavoro));
    stampante_ = std::move(stampante);
    return continua() ? StatoStampa::Ok : StatoStampa::Interrotta;
}

QPagedPaintDevice* StampanteNativa::Dispositivo() const {
    return stampante_.get();
}

StatoStampa StampanteNativa::Consegna(const std::function<bool()>&) {
    return stampante_->printerState() != QPrinter::Error ? StatoStampa::Ok : StatoStampa::Fallita;
}

void StampanteNativa::Ferma(bool aperte) noexcept {
    if (aperte) stampante_->abort();
}

void StampanteNativa::Lascia() noexcept {
    static_cast<void>(stampante_.release());
}

}  // namespace elencario
