#pragma once

// What the two lists of the window show of a folder, the same on every platform: the folder
// list's entries (the chain of folders from the root down to the current one, then its
// subfolders) and the file list's names that match a pattern. Names are sorted without regard to
// letter case and hidden entries are left out.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace elencario {

// The folder list's entries for `cartella`: `percorsi[0..catena)` the chain from the root down to
// the folder itself (last of the chain), then its subfolders.
struct VociCartelle {
    std::vector<std::filesystem::path> percorsi;
    std::size_t catena = 0;

    bool operator==(const VociCartelle&) const = default;
};

// Nothing when `cartella` cannot be read.
[[nodiscard]] std::optional<VociCartelle> VociDi(const std::filesystem::path& cartella);

// The subfolders of `cartella`; nothing when it cannot be read.
[[nodiscard]] std::optional<std::vector<std::filesystem::path>> Sottocartelle(
    const std::filesystem::path& cartella);

// The regular files of `cartella` (after following links) whose whole names match `modello`;
// nothing when it cannot be read.
[[nodiscard]] std::optional<std::vector<std::filesystem::path>> FileCorrispondenti(
    const std::filesystem::path& cartella, std::string_view modello);

// Whether the UTF-8 name `nome` matches `modello` as a file list matches names: "*" stands for
// any run of characters, "?" for one character, anything else for itself without regard to letter
// case. The whole name is matched, never a short form of it: "*.TXT" takes "a.txt", not "a.TXTX".
[[nodiscard]] bool CorrispondeModello(std::string_view nome, std::string_view modello);

// `percorso` made absolute, without "." or ".." and without a trailing separator (a root keeps
// its own).
[[nodiscard]] std::filesystem::path CartellaNormale(const std::filesystem::path& percorso);

}  // namespace elencario
