#include "printing/FilePrinter.h"

namespace elencario {

namespace {
constexpr std::size_t kFlushAt = 1 << 20;
}

PrinterStatus FilePrinter::PrintAndEndLine(std::string_view text) {
    pending_.append(text);
    return EndLine();
}

PrinterStatus FilePrinter::PrintAndStay(std::string_view text) {
    pending_.append(text);
    return pending_.size() >= kFlushAt ? Flush() : PrinterStatus::Ok;
}

PrinterStatus FilePrinter::EndLine() {
    pending_.push_back('\n');
    return pending_.size() >= kFlushAt ? Flush() : PrinterStatus::Ok;
}

PrinterStatus FilePrinter::PrintLines(std::string_view righe) {
    // Many lines at once are written as they come, not copied into the pending text.
    if (const PrinterStatus status = Flush(); status != PrinterStatus::Ok) return status;
    return std::fwrite(righe.data(), 1, righe.size(), file_) == righe.size()
               ? PrinterStatus::Ok
               : PrinterStatus::PrintError;
}

PrinterStatus FilePrinter::EndDocument() {
    const PrinterStatus status = Flush();
    if (status != PrinterStatus::Ok) return status;
    return std::fflush(file_) == 0 && std::ferror(file_) == 0 ? PrinterStatus::Ok
                                                              : PrinterStatus::PrintError;
}

PrinterStatus FilePrinter::Flush() {
    const std::size_t written = std::fwrite(pending_.data(), 1, pending_.size(), file_);
    const bool complete = written == pending_.size();
    pending_.clear();
    return complete ? PrinterStatus::Ok : PrinterStatus::PrintError;
}

}  // namespace elencario
