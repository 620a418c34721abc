#include "app/qt/LetturaCartelle.h"

#include <QFile>
#include <QString>

namespace elencario {

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
