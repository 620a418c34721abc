#pragma once

#include <filesystem>
#include <optional>
#include <vector>

class QRegularExpression;
class QString;

namespace elencario {

// What the folder list and the file list show of a folder: names sorted without regard to
// letter case, hidden entries left out. Nothing when the folder cannot be read.
[[nodiscard]] std::optional<std::vector<std::filesystem::path>> Sottocartelle(
    const std::filesystem::path& cartella);
// The regular files (after following links) whose names match `modello`.
[[nodiscard]] std::optional<std::vector<std::filesystem::path>> FileCorrispondenti(
    const std::filesystem::path& cartella, const QRegularExpression& modello);

// `percorso` made absolute, without "." or ".." and without a trailing separator (a root keeps
// its own).
[[nodiscard]] std::filesystem::path CartellaNormale(const std::filesystem::path& percorso);

// `percorso` as text to show; bytes that are no character show as a replacement mark.
[[nodiscard]] QString TestoMostrato(const std::filesystem::path& percorso);
// The name shown for the last component of `percorso` (the root shows as itself).
[[nodiscard]] QString NomeMostrato(const std::filesystem::path& percorso);

}  // namespace elencario
