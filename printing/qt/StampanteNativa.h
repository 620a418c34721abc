#pragma once

#include <memory>

#include "printing/SceltaStampante.h"
#include "printing/qt/PagineQt.h"

class QPrinter;

namespace elencario {

// The pages on the system's default printer, or the one named, through Qt's own printer, where
// printing does not go through CUPS.
class StampanteNativa final : public PagineQt {
  public:
    explicit StampanteNativa(SceltaStampante scelta = {});
    ~StampanteNativa() override;

    [[nodiscard]] StatoStampa Prepara(const std::function<bool()>& continua) override;

  protected:
    [[nodiscard]] QPagedPaintDevice* Dispositivo() const override;
    [[nodiscard]] StatoStampa Consegna(const std::function<bool()>& continua) override;
    void Ferma(bool aperte) noexcept override;
    void Lascia() noexcept override;

  private:
    SceltaStampante scelta_;
    std::unique_ptr<QPrinter> stampante_;
};

}  // namespace elencario
