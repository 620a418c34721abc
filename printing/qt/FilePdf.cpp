#include "printing/qt/FilePdf.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "printing/qt/UscitaPdf.h"

namespace elencario {

FilePdf::FilePdf(std::unique_ptr<UscitaPdf> uscita)
    : uscita_(std::move(uscita)),
      pdf_(ScrittorePdf(uscita_.get(),
                        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter))) {}

FilePdf::~FilePdf() {
    Abbandona();
}

StatoStampa FilePdf::Prepara(const std::function<bool()>&) {
    return uscita_->Apri() ? StatoStampa::Ok : NonScritto();
}

QPagedPaintDevice* FilePdf::Dispositivo() const {
    return pdf_.get();
}

bool FilePdf::Scritte() const {
    return !uscita_->Fallita();
}

StatoStampa FilePdf::Consegna(const std::function<bool()>&) {
    return uscita_->Conferma() ? StatoStampa::Ok : NonScritto();
}

void FilePdf::Ferma(bool) noexcept {
    uscita_->Annulla();
}

void FilePdf::Lascia() noexcept {
    static_cast<void>(pdf_.release());
}

StatoStampa FilePdf::NonScritto() {
    errore_ = uscita_->Errore();
    return StatoStampa::Fallita;
}

}  // namespace elencario
