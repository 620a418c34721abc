#pragma once

#include <string>
#include <string_view>

namespace elencario {

enum class PrinterStatus { Ok, NoPrinter, PrintError };

// The printer driven as a text device. The first print opens the job; the font stays in force
// for the whole job; every line starts at the left edge of the printable area and pages follow
// one another by themselves. Every operation reports how it went: once one fails, the caller
// stops sending.
class TextPrinter {
  public:
    virtual ~TextPrinter() = default;

    // Asked once before anything is sent: is there a printer to send to?
    [[nodiscard]] virtual PrinterStatus Prepare() { return PrinterStatus::Ok; }

    virtual PrinterStatus SetFontName(const std::string& name) = 0;
    virtual PrinterStatus SetFontSize(float points) = 0;
    virtual PrinterStatus PrintAndEndLine(std::string_view text) = 0;
    virtual PrinterStatus PrintAndStay(std::string_view text) = 0;
    virtual PrinterStatus EndLine() = 0;
    // Finishes the job and hands it to the printer.
    virtual PrinterStatus EndDocument() = 0;
};

}  // namespace elencario
