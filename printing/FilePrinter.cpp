#include "printing/FilePrinter.h"

namespace elencario {

namespace {
constexpr std::size_t kFlushAt = 1 << 20;
}

StatoStampa FilePrinter::StampaRiga(std::string_view text) {
    pending_.append(text);
    return ACapo();
}

StatoStampa FilePrinter::Stampa(std::string_view text) {
    pending_.append(text);
    return pending_.size() >= kFlushAt ? Flush() : StatoStampa::Ok;
}

StatoStampa FilePrinter::ACapo() {
    pending_.push_back('\n');
    return pending_.size() >= kFlushAt ? Flush() : StatoStampa::Ok;
}

StatoStampa FilePrinter::StampaRighe(const LottoRighe& lotto) {
    const std::string_view righe = lotto.testo;
    // Many lines at once are written as they come, not copied into the pending text.
    if (const StatoStampa status = Flush(); status != StatoStampa::Ok) return status;
    return std::fwrite(righe.data(), 1, righe.size(), file_) == righe.size() ? StatoStampa::Ok
                                                                             : StatoStampa::Fallita;
}

StatoStampa FilePrinter::ChiudiDocumento() {
    const StatoStampa status = Flush();
    if (status != StatoStampa::Ok) return status;
    return std::fflush(file_) == 0 && std::ferror(file_) == 0 ? StatoStampa::Ok
                                                              : StatoStampa::Fallita;
}

StatoStampa FilePrinter::Flush() {
    const std::size_t written = std::fwrite(pending_.data(), 1, pending_.size(), file_);
    const bool complete = written == pending_.size();
    pending_.clear();
    return complete ? StatoStampa::Ok : StatoStampa::Fallita;
}

}  // namespace elencario
