#include "printing/qt/Caratteri.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <initializer_list>
#include <string_view>

#include "printing/ScelteOpzioni.h"

namespace elencario {

namespace {

struct Sostituto {
    std::string_view nome;
    // In order of likeness; the first installed one is used.
    std::initializer_list<const char*> candidati;
};

// Same widths as the captions were drawn for, or the nearest installed sans. Every list holds a
// DejaVu face, which the package depends on and scripts/install-deps installs, so that a name is
// not left to whatever fontconfig would pick, which differs from machine to machine.
const Sostituto kTabella[] = {
    {kSegoeUi, {"Open Sans", "DejaVu Sans"}},
    {kCourierNew, {"Liberation Mono", "DejaVu Sans Mono"}},
    {kVerdana, {"DejaVu Sans", "Open Sans", "Liberation Sans"}},
    {kTrebuchet, {"Fira Sans", "Open Sans", "Liberation Sans", "DejaVu Sans"}},
    // The font's full name, which a system may give instead.
    {"Trebuchet MS", {"Fira Sans", "Open Sans", "Liberation Sans", "DejaVu Sans"}},
};

}  // namespace

void SostituisciCaratteriMancanti() {
    for (const Sostituto& s : kTabella) {
        const QString nome =
            QString::fromUtf8(s.nome.data(), static_cast<qsizetype>(s.nome.size()));
        if (QFontDatabase::hasFamily(nome)) continue;
        for (const char* candidato : s.candidati) {
            if (QFontDatabase::hasFamily(QString::fromLatin1(candidato))) {
                QFont::insertSubstitution(nome, QString::fromLatin1(candidato));
                break;
            }
        }
    }
}

}  // namespace elencario
