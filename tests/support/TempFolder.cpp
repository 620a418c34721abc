#include "tests/support/TempFolder.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace elencario::test {

TempFolder::TempFolder() {
    std::random_device random;
    do {
        path_ = std::filesystem::temp_directory_path() /
                ("elencario-test-" + std::to_string(random()) + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::WriteRepeated(const std::string& name, std::string_view piece,
                                                std::size_t copies) const {
    const std::filesystem::path file = path_ / PercorsoDaTesto(name);
    std::ofstream out(file, std::ios::binary);
    for (std::size_t i = 0; i < copies; ++i) out.write(piece.data(), std::ssize(piece));
    if (!out.flush()) throw std::runtime_error("cannot write test file " + name);
    return file;
}

}  // namespace elencario::test
