#pragma once

#include <cstdio>
#include <string>

#include "printing/TextPrinter.h"

namespace elencario {

// The printer as plain UTF-8 text: one text line per printed line, each ended by a line feed.
// Font settings are not shown.
class FilePrinter final : public TextPrinter {
  public:
    explicit FilePrinter(std::FILE* file) : file_(file) {}

    PrinterStatus SetFontName(const std::string&) override { return PrinterStatus::Ok; }
    PrinterStatus SetFontSize(float) override { return PrinterStatus::Ok; }
    PrinterStatus PrintAndEndLine(std::string_view text) override;
    PrinterStatus PrintAndStay(std::string_view text) override;
    PrinterStatus EndLine() override;
    PrinterStatus PrintLines(std::string_view righe) override;
    PrinterStatus EndDocument() override;

  private:
    PrinterStatus Flush();

    std::FILE* file_;
    std::string pending_;
};

}  // namespace elencario
