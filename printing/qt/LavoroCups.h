#pragma once

#include <memory>

#include "printing/SceltaStampante.h"
#include "printing/qt/PagineQt.h"

class QTemporaryFile;

namespace elencario {

struct DestinazioneCups;

// The pages as a job for a destination of the print server (its default one unless named): rendered
// into a private temporary PDF on the destination's default media, and that finished file handed to
// the server, whose answer, within a time limit, is the outcome. Only where printing goes through
// CUPS.
class LavoroCups final : public PagineQt {
  public:
    explicit LavoroCups(SceltaStampante scelta = {});
    ~LavoroCups() override;

    [[nodiscard]] StatoStampa Prepara(const std::function<bool()>& continua) override;

  protected:
    [[nodiscard]] QPagedPaintDevice* Dispositivo() const override;
    [[nodiscard]] bool Scritte() const override;
    [[nodiscard]] StatoStampa Consegna(const std::function<bool()>& continua) override;
    void Ritira() noexcept override;
    void Lascia() noexcept override;

  private:
    SceltaStampante scelta_;
    // The job for the print server, and where it goes.
    std::unique_ptr<QTemporaryFile> lavoro_;
    std::unique_ptr<DestinazioneCups> destinazione_;
    std::unique_ptr<QPdfWriter> pdf_;
};

}  // namespace elencario
