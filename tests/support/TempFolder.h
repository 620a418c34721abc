#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "systems/Routines.h"

namespace elencario::test {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::string Text() const { return TestoDaPercorso(path_); }  // as UTF-8
    // Writes `copies` copies of `piece` to the file `name`, without holding the file in memory.
    std::filesystem::path WriteRepeated(const std::string& name, std::string_view piece,
                                        std::size_t copies) const;
    std::filesystem::path Write(const std::string& name, std::string_view bytes) const {
        return WriteRepeated(name, bytes, 1);
    }

  private:
    std::filesystem::path path_;
};

}  // namespace elencario::test
