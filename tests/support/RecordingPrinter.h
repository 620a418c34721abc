#pragma once

#include <string>
#include <vector>

#include "printing/TextPrinter.h"

namespace elencario::test {

// A printer that keeps every call, and the text lines they make, for comparison.
class RecordingPrinter final : public TextPrinter {
  public:
    PrinterStatus Prepare() override;
    Spazio VerificaSpazio(int margine, const std::vector<std::string>& righe) override;
    std::string Errore() const override { return errore; }
    PrinterStatus SetFontName(const std::string& name) override;
    PrinterStatus SetFontSize(float points) override;
    PrinterStatus PrintAndEndLine(std::string_view text) override;
    PrinterStatus PrintAndStay(std::string_view text) override;
    PrinterStatus EndLine() override;
    PrinterStatus EndDocument() override;

    // Every call in order, as "font Segoe UI", "size 9", "line TEXT", "stay TEXT", "end",
    // "document".
    std::vector<std::string> calls;
    // The printed text lines; the line under way is the last one.
    std::vector<std::string> lines{""};
    bool documentEnded = false;
    // Calls before the printer fails with `failure` (negative: never).
    int callsBeforeFailure = -1;
    PrinterStatus failure = PrinterStatus::PrintError;
    PrinterStatus prepareStatus = PrinterStatus::Ok;
    // The failure throws std::bad_alloc instead of being reported.
    bool failureThrows = false;
    Spazio spazio = Spazio::Ok;          // the answer to the room check
    std::vector<std::string> candidati;  // the rows the room check was given
    std::string errore;

    // The lines of a finished document, without the empty one that follows its last end line.
    std::vector<std::string> Listing() const;

  private:
    PrinterStatus Record(std::string call);
};

}  // namespace elencario::test
