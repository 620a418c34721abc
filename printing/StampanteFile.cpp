#include "printing/StampanteFile.h"

namespace elencario {

namespace {
constexpr std::size_t kSogliaScarico = 1 << 20;
}

StatoStampa StampanteFile::StampaRiga(std::string_view testo) {
    inSospeso_.append(testo);
    return ACapo();
}

StatoStampa StampanteFile::Stampa(std::string_view testo) {
    inSospeso_.append(testo);
    return inSospeso_.size() >= kSogliaScarico ? Scarica() : StatoStampa::Ok;
}

StatoStampa StampanteFile::ACapo() {
    inSospeso_.push_back('\n');
    return inSospeso_.size() >= kSogliaScarico ? Scarica() : StatoStampa::Ok;
}

StatoStampa StampanteFile::StampaRighe(const LottoRighe& lotto) {
    const std::string_view righe = lotto.testo;
    // Many lines at once are written as they come, not copied into the pending text.
    if (const StatoStampa stato = Scarica(); stato != StatoStampa::Ok) return stato;
    return std::fwrite(righe.data(), 1, righe.size(), file_) == righe.size() ? StatoStampa::Ok
                                                                             : StatoStampa::Fallita;
}

StatoStampa StampanteFile::ChiudiDocumento() {
    const StatoStampa stato = Scarica();
    if (stato != StatoStampa::Ok) return stato;
    return std::fflush(file_) == 0 && std::ferror(file_) == 0 ? StatoStampa::Ok
                                                              : StatoStampa::Fallita;
}

StatoStampa StampanteFile::Scarica() {
    const std::size_t scritto = std::fwrite(inSospeso_.data(), 1, inSospeso_.size(), file_);
    const bool completo = scritto == inSospeso_.size();
    inSospeso_.clear();
    return completo ? StatoStampa::Ok : StatoStampa::Fallita;
}

}  // namespace elencario
