#include "app/qt/LetturaCartelle.h"

#include <QFile>
#include <QString>

#include "systems/Routines.h"

namespace elencario {

QString TestoMostrato(const std::filesystem::path& percorso) {
#ifdef _WIN32
    return QString::fromStdWString(percorso.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(SuUnaRiga(percorso.native())));
#endif
}

QString NomeMostrato(const std::filesystem::path& percorso) {
    return TestoMostrato(percorso.has_filename() ? percorso.filename() : percorso);
}

}  // namespace elencario
