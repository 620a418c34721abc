#pragma once

#include "printing/TextPrinter.h"

namespace elencario {

// Stands in when no printer could be made: the printout then reports that there is none, after
// its own refusal and confirmation, like a printer that is not there.
class StampanteAssente final : public TextPrinter {
  public:
    [[nodiscard]] PrinterStatus Prepare() override { return PrinterStatus::NoPrinter; }
    PrinterStatus SetFontName(const std::string&) override { return PrinterStatus::NoPrinter; }
    PrinterStatus SetFontSize(float) override { return PrinterStatus::NoPrinter; }
    PrinterStatus PrintAndEndLine(std::string_view) override { return PrinterStatus::NoPrinter; }
    PrinterStatus PrintAndStay(std::string_view) override { return PrinterStatus::NoPrinter; }
    PrinterStatus EndLine() override { return PrinterStatus::NoPrinter; }
    PrinterStatus EndDocument() override { return PrinterStatus::NoPrinter; }
};

}  // namespace elencario
