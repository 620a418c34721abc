// libFuzzer entry point: every input is a system file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/ControlliCaricamento.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const std::string guasto = elencario::ControllaCaricamento(bytes); !guasto.empty()) {
        std::fprintf(stderr, "Regola violata: %s\n", guasto.c_str());
        std::abort();
    }
    return 0;
}
