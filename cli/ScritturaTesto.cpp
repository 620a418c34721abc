#include "cli/ScritturaTesto.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "systems/Utf16.h"
#endif

namespace elencario {

bool ScriviTesto(std::FILE* f, std::string_view testo) {
#ifdef _WIN32
    const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
    DWORD modo = 0;
    if (console != INVALID_HANDLE_VALUE && ::GetConsoleMode(console, &modo)) {
        // What went before through the C library reaches the console first.
        std::fflush(f);
        const std::wstring largo = Utf16(testo);
        DWORD scritti = 0;
        return largo.empty() ||
               (::WriteConsoleW(console, largo.data(), static_cast<DWORD>(largo.size()), &scritti,
                                nullptr) &&
                scritti == largo.size());
    }
#endif
    return std::fwrite(testo.data(), 1, testo.size(), f) == testo.size();
}

}  // namespace elencario
