#pragma once

#include <cstdio>
#include <string>

#include "printing/StampanteTesto.h"

namespace elencario {

// The printer as plain UTF-8 text: one text line per printed line, each ended by a line feed.
// Font settings are not shown.
class StampanteFile final : public StampanteTesto {
  public:
    explicit StampanteFile(std::FILE* file) : file_(file) {}

    StatoStampa ImpostaCarattere(const std::string&) override { return StatoStampa::Ok; }
    StatoStampa ImpostaGrandezza(float) override { return StatoStampa::Ok; }
    StatoStampa StampaRiga(std::string_view testo) override;
    StatoStampa Stampa(std::string_view testo) override;
    StatoStampa ACapo() override;
    StatoStampa StampaRighe(const LottoRighe& lotto) override;
    StatoStampa ChiudiDocumento() override;

  private:
    StatoStampa Scarica();

    std::FILE* file_;
    std::string inSospeso_;
};

}  // namespace elencario
