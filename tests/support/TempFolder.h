#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

#include "systems/Routines.h"

namespace elencario::test {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("elencario-test-" + std::to_string(random()) + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::string Text() const { return TestoDaPercorso(path_); }  // as UTF-8
    // Writes `copies` copies of `piece` to the file `name`, without holding the file in memory.
    std::filesystem::path Write(const std::string& name, std::string_view piece,
                                std::size_t copies = 1) const {
        const std::filesystem::path file = path_ / PercorsoDaTesto(name);
        std::ofstream out(file, std::ios::binary);
        for (std::size_t i = 0; i < copies; ++i) out.write(piece.data(), std::ssize(piece));
        if (!out.flush()) throw std::runtime_error("cannot write test file " + name);
        return file;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace elencario::test
