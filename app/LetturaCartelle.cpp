#include "app/LetturaCartelle.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <system_error>

namespace elencario {

namespace {

enum class Tipo { Cartella, File };

std::optional<std::vector<std::filesystem::path>> Elenca(const std::filesystem::path& cartella,
                                                         Tipo tipo,
                                                         const QRegularExpression* modello) {
    std::error_code errore;
    std::filesystem::directory_iterator voci(cartella, errore);
    if (errore) return std::nullopt;
    std::vector<std::filesystem::path> trovati;
    for (; voci != std::filesystem::directory_iterator(); voci.increment(errore)) {
        if (errore) return std::nullopt;
        const std::filesystem::directory_entry& voce = *voci;
        std::error_code e;
        const bool giusto = tipo == Tipo::Cartella ? voce.is_directory(e) : voce.is_regular_file(e);
        if (!giusto || e) continue;
        if (QFileInfo(voce.path()).isHidden()) continue;
        if (modello != nullptr && !modello->match(NomeMostrato(voce.path())).hasMatch()) continue;
        trovati.push_back(voce.path());
    }
    if (errore) return std::nullopt;
    std::sort(trovati.begin(), trovati.end(), [](const auto& a, const auto& b) {
        const QString na = NomeMostrato(a);
        const QString nb = NomeMostrato(b);
        const int diverso = na.compare(nb, Qt::CaseInsensitive);
        return diverso != 0 ? diverso < 0 : a.filename() < b.filename();
    });
    return trovati;
}

}  // namespace

std::optional<std::vector<std::filesystem::path>> Sottocartelle(
    const std::filesystem::path& cartella) {
    return Elenca(cartella, Tipo::Cartella, nullptr);
}

std::optional<std::vector<std::filesystem::path>> FileCorrispondenti(
    const std::filesystem::path& cartella, const QRegularExpression& modello) {
    return Elenca(cartella, Tipo::File, &modello);
}

std::filesystem::path CartellaNormale(const std::filesystem::path& percorso) {
    std::error_code errore;
    std::filesystem::path p = std::filesystem::absolute(percorso, errore);
    if (errore) p = percorso;
    p = p.lexically_normal();
    while (p.has_relative_path() && !p.has_filename()) p = p.parent_path();
    return p;
}

QString TestoMostrato(const std::filesystem::path& percorso) {
#ifdef _WIN32
    return QString::fromStdWString(percorso.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(percorso.native()));
#endif
}

QString NomeMostrato(const std::filesystem::path& percorso) {
    return TestoMostrato(percorso.has_filename() ? percorso.filename() : percorso);
}

}  // namespace elencario
