#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "printing/StampanteTesto.h"

namespace elencario {

// How the text reaches the file: whole UTF-8 characters, false when not written whole.
using ScritturaFile = bool (*)(std::FILE* file, std::string_view testo);

// The text's own bytes, as they are.
bool ScriviByte(std::FILE* file, std::string_view testo);

// The printer as plain UTF-8 text: one text line per printed line, each ended by a line feed.
// Font settings are not shown. The text is handed to `scrivi` a block at a time, never splitting
// a character between two blocks.
class StampanteFile final : public StampanteTesto {
  public:
    explicit StampanteFile(std::FILE* file, ScritturaFile scrivi = ScriviByte)
        : file_(file), scrivi_(scrivi) {}

    StatoStampa ImpostaCarattere(const std::string&) override { return StatoStampa::Ok; }
    StatoStampa ImpostaGrandezza(float) override { return StatoStampa::Ok; }
    StatoStampa StampaRiga(std::string_view testo) override;
    StatoStampa Stampa(std::string_view testo) override;
    StatoStampa ACapo() override;
    StatoStampa StampaRighe(const LottoRighe& lotto) override;
    StatoStampa ChiudiDocumento() override;

  private:
    // Writes the pending text up to its last whole character (all of it when `tutto`), keeping
    // the rest pending.
    StatoStampa Scarica(bool tutto = false);

    std::FILE* file_;
    ScritturaFile scrivi_;
    std::string inSospeso_;
};

}  // namespace elencario
