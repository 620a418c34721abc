#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace elencario {

// Cancelled: the user (or a signal) stopped the job; nothing reached the printer.
enum class PrinterStatus { Ok, NoPrinter, PrintError, Cancelled };

// Whether the listing fits across and down the printable area, asked before the first print.
enum class Spazio { Ok, MargineTroppoLargo, CarattereTroppoGrande };

// Gives the rows that may be the widest on paper; gathered only for a device that measures them,
// since it takes a pass over every row.
using RigheCandidate = std::function<std::vector<std::string>()>;

// The printer driven as a text device. The first print opens the job; the font stays in force
// for the whole job; every line starts at the left edge of the printable area and pages follow
// one another by themselves; a line wider than the printable area goes on over further lines at
// the same margin, broken at a blank. Every operation reports how it went: once one fails, the
// caller stops sending.
class TextPrinter {
  public:
    virtual ~TextPrinter() = default;

    // Asked once before anything is sent: is there a printer to send to?
    [[nodiscard]] virtual PrinterStatus Prepare() { return PrinterStatus::Ok; }

    // With the font already set: do `margine` spaces followed by the widest of `righe()` fit on
    // one line, and does one line fit on a page? A device without a width always answers Ok.
    [[nodiscard]] virtual Spazio VerificaSpazio(int margine, const RigheCandidate& righe) {
        (void)margine;
        (void)righe;
        return Spazio::Ok;
    }

    virtual PrinterStatus SetFontName(const std::string& name) = 0;
    virtual PrinterStatus SetFontSize(float points) = 0;
    virtual PrinterStatus PrintAndEndLine(std::string_view text) = 0;
    virtual PrinterStatus PrintAndStay(std::string_view text) = 0;
    virtual PrinterStatus EndLine() = 0;
    // Whole lines at once, each ended by '\n': for a device that takes many lines in one go. Any
    // other gets them one by one, up to the first that fails.
    virtual PrinterStatus PrintLines(std::string_view righe) {
        PrinterStatus s = PrinterStatus::Ok;
        for (std::size_t inizio = 0; inizio < righe.size() && s == PrinterStatus::Ok;) {
            const std::size_t fine = righe.find('\n', inizio);
            s = PrintAndEndLine(righe.substr(inizio, fine - inizio));
            inizio = fine + 1;
        }
        return s;
    }
    // Finishes the job and hands it to the printer.
    virtual PrinterStatus EndDocument() = 0;

    // The printer's own account of its last failure (naming a file, a reason), when it has one.
    [[nodiscard]] virtual std::string Errore() const { return {}; }
};

}  // namespace elencario
