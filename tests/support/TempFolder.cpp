#include "tests/support/TempFolder.h"

#include <algorithm>
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
    // Entries made unreadable must not stop the clean-up.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Text() const {
    return TestoDaPercorso(path_);
}

std::filesystem::path TempFolder::Write(const std::string& name, std::string_view bytes) const {
    return WriteRepeated(name, bytes, 1);
}

std::filesystem::path TempFolder::WriteRepeated(const std::string& name, std::string_view piece,
                                                std::size_t copies) const {
    const std::filesystem::path file = path_ / PercorsoDaTesto(name);
    std::ofstream out(file, std::ios::binary);
    const std::size_t perBlock =
        piece.empty() ? 1 : std::max<std::size_t>(1, (1 << 20) / piece.size());
    std::string block;
    for (std::size_t i = 0; i < perBlock && i < copies; ++i) block.append(piece);
    for (std::size_t written = 0; written < copies; written += perBlock) {
        const std::size_t now = std::min(perBlock, copies - written);
        out.write(block.data(), static_cast<std::streamsize>(now * piece.size()));
    }
    if (!out.flush()) throw std::runtime_error("cannot write test file " + name);
    return file;
}

}  // namespace elencario::test
