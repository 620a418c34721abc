#include "tests/support/TempFolder.h"

#include <fstream>
#include <random>
#include <stdexcept>

#include "systems/Routines.h"

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

std::string TempFolder::Text() const {
    return TestoDaPercorso(path_);
}

std::filesystem::path TempFolder::WriteRepeated(const std::string& name, std::string_view piece,
                                                std::size_t copies) const {
    const std::filesystem::path file = path_ / PercorsoDaTesto(name);
    std::ofstream out(file, std::ios::binary);
    // About a megabyte at a time.
    const std::size_t perBlock = std::min(copies, (1 << 20) / (piece.size() + 1) + 1);
    std::string block;
    for (std::size_t i = 0; i < perBlock; ++i) block += piece;
    for (std::size_t left = copies, now = 0; left > 0; left -= now) {
        now = std::min(left, perBlock);
        out.write(block.data(), static_cast<std::streamsize>(now * piece.size()));
    }
    if (!out.flush()) throw std::runtime_error("cannot write test file " + name);
    return file;
}

}  // namespace elencario::test
