#include "tests/support/TempFolder.h"

#include <fstream>
#include <random>
#include <stdexcept>

#include "systems/Routines.h"

namespace elencario::test {

TempFolder::TempFolder() {
    std::random_device random;
    for (;;) {
        path_ = std::filesystem::temp_directory_path() /
                ("elencario-test-" + std::to_string(random()) + std::to_string(random()));
        if (std::filesystem::create_directory(path_)) return;
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Text() const {
    return TestoDaPercorso(path_);
}

std::filesystem::path TempFolder::Write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / PercorsoDaTesto(name);
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write test file " + name);
    return file;
}

}  // namespace elencario::test
