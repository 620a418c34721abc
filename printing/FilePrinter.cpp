#include "printing/FilePrinter.h"

namespace elencario {

namespace {
constexpr std::size_t kSogliaScrittura = 1 << 20;
}

StatoStampa FilePrinter::StampaRiga(std::string_view testo) {
    daScrivere_.append(testo);
    return ACapo();
}

StatoStampa FilePrinter::Stampa(std::string_view testo) {
    daScrivere_.append(testo);
    return daScrivere_.size() >= kSogliaScrittura ? Scrivi() : StatoStampa::Ok;
}

StatoStampa FilePrinter::ACapo() {
    daScrivere_.push_back('\n');
    return daScrivere_.size() >= kSogliaScrittura ? Scrivi() : StatoStampa::Ok;
}

StatoStampa FilePrinter::StampaRighe(std::string_view righe) {
    // Many lines at once are written as they come, not copied into the text waiting.
    if (const StatoStampa s = Scrivi(); s != StatoStampa::Ok) return s;
    return std::fwrite(righe.data(), 1, righe.size(), file_) == righe.size() ? StatoStampa::Ok
                                                                             : StatoStampa::Fallita;
}

StatoStampa FilePrinter::ChiudiDocumento() {
    const StatoStampa s = Scrivi();
    if (s != StatoStampa::Ok) return s;
    return std::fflush(file_) == 0 && std::ferror(file_) == 0 ? StatoStampa::Ok
                                                              : StatoStampa::Fallita;
}

StatoStampa FilePrinter::Scrivi() {
    const std::size_t scritti = std::fwrite(daScrivere_.data(), 1, daScrivere_.size(), file_);
    const bool interi = scritti == daScrivere_.size();
    daScrivere_.clear();
    return interi ? StatoStampa::Ok : StatoStampa::Fallita;
}

}  // namespace elencario
