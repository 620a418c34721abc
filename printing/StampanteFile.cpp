#include "printing/StampanteFile.h"

namespace elencario {

namespace {
constexpr std::size_t kSogliaScarico = 1 << 20;

// How much of `testo` is whole UTF-8 characters: all but a sequence begun in its last bytes and
// not ended there.
std::size_t CaratteriInteri(std::string_view testo) {
    const std::size_t n = testo.size();
    for (std::size_t indietro = 1; indietro <= 3 && indietro <= n; ++indietro) {
        const auto c = static_cast<unsigned char>(testo[n - indietro]);
        if ((c & 0xC0) == 0x80) continue;
        const std::size_t lunghezza = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return lunghezza > indietro ? n - indietro : n;
    }
    return n;
}
}  // namespace

bool ScriviByte(std::FILE* file, std::string_view testo) {
    return std::fwrite(testo.data(), 1, testo.size(), file) == testo.size();
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
    if (const StatoStampa stato = Scarica(); stato != StatoStampa::Ok) return stato;
    // A character left unfinished before is finished by these lines: they join it.
    if (!inSospeso_.empty()) {
        inSospeso_.append(righe);
        return Scarica();
    }
    // Many lines at once are written as they come, not copied into the pending text.
    const std::size_t interi = CaratteriInteri(righe);
    if (interi > 0 && !scrivi_(file_, righe.substr(0, interi))) return StatoStampa::Fallita;
    inSospeso_.assign(righe.substr(interi));
    return StatoStampa::Ok;
}

StatoStampa StampanteFile::ChiudiDocumento() {
    const StatoStampa stato = Scarica(true);
    if (stato != StatoStampa::Ok) return stato;
    return std::fflush(file_) == 0 && std::ferror(file_) == 0 ? StatoStampa::Ok
                                                              : StatoStampa::Fallita;
}

StatoStampa StampanteFile::Scarica(bool tutto) {
    const std::size_t interi = tutto ? inSospeso_.size() : CaratteriInteri(inSospeso_);
    const bool completo =
        interi == 0 || scrivi_(file_, std::string_view(inSospeso_).substr(0, interi));
    inSospeso_.erase(0, interi);
    return completo ? StatoStampa::Ok : StatoStampa::Fallita;
}

}  // namespace elencario
