#include "printing/qt/StampanteNativa.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <utility>

#include "systems/Testi.h"

namespace elencario {

StampanteNativa::StampanteNativa(SceltaStampante scelta) : scelta_(std::move(scelta)) {}

StampanteNativa::~StampanteNativa() {
    Abbandona();
}

StatoStampa StampanteNativa::Prepara(const std::function<bool()>& continua) {
    const QPrinterInfo info = scelta_.nome.empty()
                                  ? QPrinterInfo::defaultPrinter()
                                  : QPrinterInfo::printerInfo(QString::fromStdString(scelta_.nome));
    if (info.isNull()) return StatoStampa::SenzaStampante;
    auto stampante = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // With no usable printer Qt turns the printer into a PDF writer with no file: refuse it.
    if (!stampante->isValid() || stampante->outputFormat() != QPrinter::NativeFormat) {
        return StatoStampa::SenzaStampante;
    }
    stampante->setDocName(QString::fromLatin1(testi::kNomeLavoro));
    stampante->setCopyCount(scelta_.copie);
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
