#include <string>
#include <vector>

#include "cli/Elencario.h"

#if defined(ELENCARIO_QT_CARICATO)
#include "cli/ModuloQt.h"
#elif defined(ELENCARIO_WITH_QT)
#include "cli/QtOutputs.h"
#endif

namespace {

int Esegui(const std::vector<std::string>& argomenti) {
#if defined(ELENCARIO_QT_CARICATO)
    elencario::ModuloQt qt;
    return elencario::EseguiElencario(argomenti, stdout, stderr, qt.Uscite());
#elif defined(ELENCARIO_WITH_QT)
    elencario::QtOutputs qt;
    return elencario::EseguiElencario(argomenti, stdout, stderr, qt.Uscite());
#else
    return elencario::EseguiElencario(argomenti, stdout, stderr);
#endif
}

}  // namespace

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <filesystem>

// Arguments arrive as UTF-16 so that any file name works; the core takes UTF-8.
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> argomenti;
    for (int i = 1; i < argc; ++i) {
        const std::u8string testo = std::filesystem::path(argv[i]).u8string();
        argomenti.emplace_back(reinterpret_cast<const char*>(testo.data()), testo.size());
    }
    return Esegui(argomenti);
}
#else
int main(int argc, char** argv) {
    return Esegui(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
