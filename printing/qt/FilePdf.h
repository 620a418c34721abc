#pragma once

#include <memory>

#include "printing/qt/PagineQt.h"

namespace elencario {

class UscitaPdf;

// The pages as a PDF written into `uscita` (a file put in place only once whole, or standard
// output): A4 with 10 mm margins, whatever the locale. A failure names the file with the reason.
class FilePdf final : public PagineQt {
  public:
    explicit FilePdf(std::unique_ptr<UscitaPdf> uscita);
    ~FilePdf() override;

    [[nodiscard]] StatoStampa Prepara(const std::function<bool()>& continua) override;
    [[nodiscard]] std::string Errore() const override { return errore_; }

  protected:
    [[nodiscard]] QPagedPaintDevice* Dispositivo() const override;
    [[nodiscard]] StatoStampa NonIniziata() override { return NonScritto(); }
    [[nodiscard]] StatoStampa Guasto() override { return NonScritto(); }
    [[nodiscard]] bool Scritte() const override;
    [[nodiscard]] StatoStampa Consegna(const std::function<bool()>& continua) override;
    void Ferma(bool aperte) noexcept override;
    void Lascia() noexcept override;

  private:
    StatoStampa NonScritto();

    std::unique_ptr<UscitaPdf> uscita_;
    std::unique_ptr<QPdfWriter> pdf_;
    std::string errore_;
};

}  // namespace elencario
