#include "printing/qt/Caratteri.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <initializer_list>

namespace elencario {

namespace {

struct Sostituto {
    const char* nome;
    // In order of likeness; the first installed one is used.
    std::initializer_list<const char*> candidati;
};

// Same widths as the captions were drawn for, or the nearest installed sans. Every list holds a
// DejaVu face, which the package depends on and scripts/install-deps installs, so that a name is
// not left to whatever fontconfig would pick, which differs from machine to machine.
const Sostituto kTabella[] = {
    {"Segoe UI", {"Open Sans", "DejaVu Sans"}},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Verdana", {"DejaVu Sans", "Open Sans", "Liberation Sans"}},
    {"Trebuchet", {"Fira Sans", "Open Sans", "Liberation Sans", "DejaVu Sans"}},
    {"Trebuchet MS", {"Fira Sans", "Open Sans", "Liberation Sans", "DejaVu Sans"}},
};

}  // namespace

void SostituisciCaratteriMancanti() {
    for (const Sostituto& s : kTabella) {
        const QString nome = QString::fromLatin1(s.nome);
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
