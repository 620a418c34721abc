#include "printing/StampanteFile.h"

namespace elencario {

namespace {
constexpr std::size_t kSogliaScarico = 1 << 20;
}

StatoStampa StampanteFile::StampaRiga(std::string_view text) {
    pending_.append(text);
    return ACapo();
}

StatoStampa StampanteFile::Stampa(std::string_view text) {
    pending_.append(text);
    return pending_.size() >= kSogliaScarico ? Scarica() : StatoStampa::Ok;
}

StatoStampa StampanteFile::ACapo() {
    pending_.push_back('\n');
    return pending_.size() >= kSogliaScarico ? Scarica() : StatoStampa::Ok;
}

StatoStampa StampanteFile::StampaRighe(const LottoRighe& lotto) {
    const std::string_view righe = lotto.testo;
    // Many lines at once are written as they come, not copied into the pending text.
    if (const StatoStampa status = Scarica(); status != StatoStampa::Ok) return status;
    return std::fwrite(righe.data(), 1, righe.size(), file_) == righe.size() ? StatoStampa::Ok
                                                                             : StatoStampa::Fallita;
}

StatoStampa StampanteFile::ChiudiDocumento() {
    const StatoStampa status = Scarica();
    if (status != StatoStampa::Ok) return status;
    return std::fflush(file_) == 0 && std::ferror(file_) == 0 ? StatoStampa::Ok
                                                              : StatoStampa::Fallita;
}

StatoStampa StampanteFile::Scarica() {
    const std::size_t written = std::fwrite(pending_.data(), 1, pending_.size(), file_);
    const bool complete = written == pending_.size();
    pending_.clear();
    return complete ? StatoStampa::Ok : StatoStampa::Fallita;
}

}  // namespace elencario
