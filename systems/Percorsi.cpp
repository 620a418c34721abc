#include "systems/Percorsi.h"

namespace elencario {

std::filesystem::path PercorsoDaTesto(const std::string& utf8) {
    const std::u8string testo(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
    return std::filesystem::path(testo);
}

std::string TestoDaPercorso(const std::filesystem::path& percorso) {
    const std::u8string testo = percorso.u8string();
    return std::string(reinterpret_cast<const char*>(testo.data()), testo.size());
}

std::filesystem::path SeguiCollegamenti(std::filesystem::path file) {
    constexpr int kCollegamentiMassimi = 40;
    for (int i = 0; i < kCollegamentiMassimi; ++i) {
        std::error_code e;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, e))) return file;
        const std::filesystem::path meta = std::filesystem::read_symlink(file, e);
        if (e) return file;
        file = meta.is_absolute() ? meta : file.parent_path() / meta;
    }
    return file;
}

}  // namespace elencario
