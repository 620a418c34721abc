#include <string>
#include <vector>

#include "cli/Elencario.h"
#include "cli/Piattaforma.h"

namespace {

int Esegui(const std::vector<std::string>& argomenti) {
    const auto fornitore = elencario::FornitorePiattaforma();
    return elencario::EseguiElencario(argomenti, stdout, stderr,
                                      fornitore ? fornitore->Uscite() : elencario::UsciteStampa{});
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
