#pragma once

#include <string>
#include <utility>

#include "printing/StampanteTesto.h"

namespace elencario {

// Stands in when no printer could be made: every call fails with `stato` (by default, that there
// is no printer), and Errore() gives the reason when one is known.
class StampanteAssente final : public StampanteTesto {
  public:
    explicit StampanteAssente(StatoStampa stato = StatoStampa::SenzaStampante,
                              std::string motivo = {})
        : stato_(stato), motivo_(std::move(motivo)) {}

    [[nodiscard]] StatoStampa Prepara() override { return stato_; }
    StatoStampa ImpostaCarattere(const std::string&) override { return stato_; }
    StatoStampa ImpostaGrandezza(float) override { return stato_; }
    StatoStampa StampaRiga(std::string_view) override { return stato_; }
    StatoStampa Stampa(std::string_view) override { return stato_; }
    StatoStampa ACapo() override { return stato_; }
    StatoStampa ChiudiDocumento() override { return stato_; }
    [[nodiscard]] std::string Errore() const override { return motivo_; }

  private:
    StatoStampa stato_;
    std::string motivo_;
};

}  // namespace elencario
