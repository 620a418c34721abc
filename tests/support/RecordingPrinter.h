#pragma once

#include <string>
#include <vector>

#include "printing/TextPrinter.h"

namespace elencario::test {

// How a recording printer fails: after `dopo` calls (negative: never) every call gives `stato`,
// or throws std::bad_alloc when `lancia`.
struct Guasto {
    int dopo = -1;
    PrinterStatus stato = PrinterStatus::PrintError;
    bool lancia = false;
    PrinterStatus prepara = PrinterStatus::Ok;
    Spazio spazio = Spazio::Ok;  // the answer to the room check
    std::string errore = {};     // the printer's own account of its failure
};

// A printer that keeps every call, and the text lines they make, for comparison.
class RecordingPrinter final : public TextPrinter {
  public:
    explicit RecordingPrinter(Guasto g = {}) : guasto(std::move(g)) {}
    PrinterStatus Prepare() override { return guasto.prepara; }
    Spazio VerificaSpazio(int, const std::vector<std::string>& righe) override;
    std::string Errore() const override { return guasto.errore; }
    PrinterStatus SetFontName(const std::string& name) override { return Record("font " + name); }
    PrinterStatus SetFontSize(float p) override { return Record("size " + std::to_string(p)); }
    PrinterStatus PrintAndEndLine(std::string_view t) override { return Record("line", t, true); }
    PrinterStatus PrintAndStay(std::string_view t) override { return Record("stay", t); }
    PrinterStatus EndLine() override { return Record("end", {}, true); }
    PrinterStatus EndDocument() override;

    // The lines of a finished document, without the empty one after its last end of line.
    [[nodiscard]] std::vector<std::string> Listing() const;

    Guasto guasto;
    // Every call in order: "font Segoe UI", "size 9.000000", "line TEXT", "stay TEXT", "end",
    // "document".
    std::vector<std::string> calls;
    std::vector<std::string> lines{""};  // the printed lines; the one under way is the last
    std::vector<std::string> candidati;  // the rows the room check was given
    bool documentEnded = false;

  private:
    PrinterStatus Record(std::string call, std::string_view text = {}, bool endsLine = false);
};

}  // namespace elencario::test
