#include "tests/support/RecordingPrinter.h"

#include <new>

namespace elencario::test {

PrinterStatus RecordingPrinter::Record(std::string_view call, std::string_view text) {
    if (guasto.dopo == 0) return guasto.lancia ? throw std::bad_alloc() : guasto.stato;
    if (guasto.dopo > 0) --guasto.dopo;
    calls.push_back(std::string(call).append(text));
    documentEnded = documentEnded || call == "document";
    return PrinterStatus::Ok;
}

std::vector<std::string> RecordingPrinter::Listing() const {
    std::vector<std::string> righe{""};
    for (const std::string& c : calls) {
        if (c.starts_with("line ") || c.starts_with("stay ")) righe.back() += c.substr(5);
        if (c.starts_with("line ") || c == "end") righe.emplace_back();
    }
    if (righe.back().empty()) righe.pop_back();
    return righe;
}

}  // namespace elencario::test
