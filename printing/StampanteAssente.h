#pragma once

#include <string>
#include <utility>

#include "printing/TextPrinter.h"

namespace elencario {

// Stands in when no printer could be made: every call fails with `stato` (by default, that there
// is no printer), and Errore() gives the reason when one is known.
class StampanteAssente final : public TextPrinter {
  public:
    explicit StampanteAssente(PrinterStatus stato = PrinterStatus::NoPrinter,
                              std::string motivo = {})
        : stato_(stato), motivo_(std::move(motivo)) {}

    [[nodiscard]] PrinterStatus Prepare() override { return stato_; }
    PrinterStatus SetFontName(const std::string&) override { return stato_; }
    PrinterStatus SetFontSize(float) override { return stato_; }
    PrinterStatus PrintAndEndLine(std::string_view) override { return stato_; }
    PrinterStatus PrintAndStay(std::string_view) override { return stato_; }
    PrinterStatus EndLine() override { return stato_; }
    PrinterStatus EndDocument() override { return stato_; }
    [[nodiscard]] std::string Errore() const override { return motivo_; }

  private:
    PrinterStatus stato_;
    std::string motivo_;
};

}  // namespace elencario
