#include "app/VociCartella.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "systems/MaiuscoloUtf8.h"
#include "systems/Percorsi.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace elencario {

namespace {

bool Nascosto(const std::filesystem::path& percorso) {
#ifdef _WIN32
    const DWORD attributi = ::GetFileAttributesW(percorso.c_str());
    return attributi != INVALID_FILE_ATTRIBUTES && (attributi & FILE_ATTRIBUTE_HIDDEN) != 0;
#else
    return percorso.filename().native().starts_with('.');
#endif
}

// The length of the UTF-8 character that starts at `testo[i]` (a stray byte counts as one).
std::size_t LunghezzaCarattere(std::string_view testo, std::size_t i) {
    std::size_t n = 1;
    while (i + n < testo.size() && (static_cast<unsigned char>(testo[i + n]) & 0xC0) == 0x80) ++n;
    return n;
}

bool Corrisponde(std::string_view nome, std::string_view modello) {
    // The classic matcher that goes back to the last "*" on a mismatch: linear in practice.
    std::size_t n = 0, m = 0;
    std::size_t stellaModello = std::string_view::npos, stellaNome = 0;
    while (n < nome.size()) {
        if (m < modello.size() && modello[m] == '*') {
            stellaModello = ++m;
            stellaNome = n;
        } else if (m < modello.size() && modello[m] == '?') {
            n += LunghezzaCarattere(nome, n);
            ++m;
        } else if (m < modello.size() && modello[m] == nome[n]) {
            ++n;
            ++m;
        } else if (stellaModello != std::string_view::npos) {
            m = stellaModello;
            n = stellaNome += LunghezzaCarattere(nome, stellaNome);
        } else {
            return false;
        }
    }
    while (m < modello.size() && modello[m] == '*') ++m;
    return m == modello.size();
}

enum class Tipo { Cartella, File };

std::optional<std::vector<std::filesystem::path>> Elenca(const std::filesystem::path& cartella,
                                                         Tipo tipo, std::string_view modello) {
    const std::string modelloMaiuscolo = MaiuscoloUtf8(modello);
    std::error_code errore;
    std::filesystem::directory_iterator voci(cartella, errore);
    if (errore) return std::nullopt;
    // Each name with the key it is sorted by.
    std::vector<std::pair<std::string, std::filesystem::path>> trovati;
    for (; voci != std::filesystem::directory_iterator(); voci.increment(errore)) {
        if (errore) return std::nullopt;
        const std::filesystem::directory_entry& voce = *voci;
        std::error_code e;
        const bool giusto = tipo == Tipo::Cartella ? voce.is_directory(e) : voce.is_regular_file(e);
        if (!giusto || e || Nascosto(voce.path())) continue;
        std::string chiave = MaiuscoloUtf8(TestoDaPercorso(voce.path().filename()));
        if (tipo == Tipo::File && !Corrisponde(chiave, modelloMaiuscolo)) continue;
        trovati.emplace_back(std::move(chiave), voce.path());
    }
    if (errore) return std::nullopt;
    std::sort(trovati.begin(), trovati.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.filename() < b.second.filename();
    });
    std::vector<std::filesystem::path> percorsi;
    percorsi.reserve(trovati.size());
    for (auto& [chiave, percorso] : trovati) percorsi.push_back(std::move(percorso));
    return percorsi;
}

}  // namespace

bool CorrispondeModello(std::string_view nome, std::string_view modello) {
    return Corrisponde(MaiuscoloUtf8(nome), MaiuscoloUtf8(modello));
}

std::optional<std::vector<std::filesystem::path>> Sottocartelle(
    const std::filesystem::path& cartella) {
    return Elenca(cartella, Tipo::Cartella, {});
}

std::optional<std::vector<std::filesystem::path>> FileCorrispondenti(
    const std::filesystem::path& cartella, std::string_view modello) {
    return Elenca(cartella, Tipo::File, modello);
}

std::optional<VociCartelle> VociDi(const std::filesystem::path& cartella) {
    auto sottocartelle = Sottocartelle(cartella);
    if (!sottocartelle) return std::nullopt;
    VociCartelle voci;
    for (std::filesystem::path p = cartella;; p = p.parent_path()) {
        voci.percorsi.push_back(p);
        if (!p.has_relative_path()) break;
    }
    std::reverse(voci.percorsi.begin(), voci.percorsi.end());
    voci.catena = voci.percorsi.size();
    voci.percorsi.insert(voci.percorsi.end(), std::make_move_iterator(sottocartelle->begin()),
                         std::make_move_iterator(sottocartelle->end()));
    return voci;
}

std::filesystem::path CartellaNormale(const std::filesystem::path& percorso) {
    std::error_code errore;
    std::filesystem::path p = std::filesystem::absolute(percorso, errore);
    if (errore) p = percorso;
    p = p.lexically_normal();
    while (p.has_relative_path() && !p.has_filename()) p = p.parent_path();
    return p;
}

}  // namespace elencario
