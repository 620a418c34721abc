// libFuzzer entry point: every input is a system file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/ControlliCaricamento.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
    if (const std::string guasto = elencario::ControllaCaricamento(byte); !guasto.empty()) {
        std::fprintf(stderr, "Regola violata: %s\n", guasto.c_str());
        std::abort();
    }
    return 0;
}
