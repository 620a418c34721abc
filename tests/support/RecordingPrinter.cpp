#include "tests/support/RecordingPrinter.h"

#include <new>

namespace elencario::test {

PrinterStatus RecordingPrinter::Record(std::string call) {
    if (callsBeforeFailure == 0 && failureThrows) throw std::bad_alloc();
    if (callsBeforeFailure == 0) return failure;
    if (callsBeforeFailure > 0) --callsBeforeFailure;
    calls.push_back(std::move(call));
    return PrinterStatus::Ok;
}

PrinterStatus RecordingPrinter::Prepare() {
    return prepareStatus;
}

Spazio RecordingPrinter::VerificaSpazio(int, const std::vector<std::string>& righe) {
    candidati = righe;
    return spazio;
}

PrinterStatus RecordingPrinter::SetFontName(const std::string& name) {
    return Record("font " + name);
}

PrinterStatus RecordingPrinter::SetFontSize(float points) {
    return Record("size " + std::to_string(points));
}

PrinterStatus RecordingPrinter::PrintAndEndLine(std::string_view text) {
    const PrinterStatus s = Record("line " + std::string(text));
    if (s == PrinterStatus::Ok) {
        lines.back() += text;
        lines.emplace_back();
    }
    return s;
}

PrinterStatus RecordingPrinter::PrintAndStay(std::string_view text) {
    const PrinterStatus s = Record("stay " + std::string(text));
    if (s == PrinterStatus::Ok) lines.back() += text;
    return s;
}

PrinterStatus RecordingPrinter::EndLine() {
    const PrinterStatus s = Record("end");
    if (s == PrinterStatus::Ok) lines.emplace_back();
    return s;
}

PrinterStatus RecordingPrinter::EndDocument() {
    const PrinterStatus s = Record("document");
    if (s == PrinterStatus::Ok) documentEnded = true;
    return s;
}

std::vector<std::string> RecordingPrinter::Listing() const {
    std::vector<std::string> listing = lines;
    if (!listing.empty() && listing.back().empty()) listing.pop_back();
    return listing;
}

}  // namespace elencario::test
