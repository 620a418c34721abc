#include "app/Eseguibile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <filesystem>
#include <system_error>

#include "systems/Routines.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace elencario {

std::string CartellaEseguibile() {
#ifdef _WIN32
    std::wstring nome(32768, L'\0');
    const DWORD lunghezza =
        ::GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
    if (lunghezza > 0 && lunghezza < nome.size()) {
        nome.resize(lunghezza);
        return TestoDaPercorso(std::filesystem::path(nome).parent_path());
    }
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
#else
    // Qt's own answer is text, in which a name that is not UTF-8 loses its bytes.
    std::error_code errore;
    const std::filesystem::path eseguibile =
        std::filesystem::read_symlink("/proc/self/exe", errore);
    if (!errore) return TestoDaPercorso(eseguibile.parent_path());
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
#endif
}

}  // namespace elencario
