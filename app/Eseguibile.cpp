#include "app/Eseguibile.h"

#include <filesystem>
#include <system_error>

#include "systems/Percorsi.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace elencario {

std::string CartellaEseguibile() {
#ifdef _WIN32
    std::wstring nome(32768, L'\0');
    const DWORD lunghezza =
        ::GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
    if (lunghezza == 0 || lunghezza >= nome.size()) return {};
    nome.resize(lunghezza);
    return TestoDaPercorso(std::filesystem::path(nome).parent_path());
#else
    // Read from the kernel as bytes: a name that is not UTF-8 keeps them.
    std::error_code errore;
    const std::filesystem::path eseguibile =
        std::filesystem::read_symlink("/proc/self/exe", errore);
    return errore ? std::string() : TestoDaPercorso(eseguibile.parent_path());
#endif
}

}  // namespace elencario
