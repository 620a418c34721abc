#include "tests/support/RecordingPrinter.h"

#include <new>

namespace elencario::test {

PrinterStatus RecordingPrinter::Record(std::string call, std::string_view text, bool endsLine) {
    if (guasto.dopo == 0 && guasto.lancia) throw std::bad_alloc();
    if (guasto.dopo == 0) return guasto.stato;
    if (guasto.dopo > 0) --guasto.dopo;
    calls.push_back(text.empty() ? call : call + ' ' + std::string(text));
    lines.back() += text;
    if (endsLine) lines.emplace_back();
    return PrinterStatus::Ok;
}

Spazio RecordingPrinter::VerificaSpazio(int, const std::vector<std::string>& righe) {
    candidati = righe;
    return guasto.spazio;
}

PrinterStatus RecordingPrinter::EndDocument() {
    const PrinterStatus s = Record("document");
    documentEnded = documentEnded || s == PrinterStatus::Ok;
    return s;
}

std::vector<std::string> RecordingPrinter::Listing() const {
    std::vector<std::string> listing = lines;
    if (listing.back().empty()) listing.pop_back();
    return listing;
}

}  // namespace elencario::test
