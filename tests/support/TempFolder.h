#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace elencario::test {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    // The folder as the core's UTF-8 text.
    [[nodiscard]] std::string Text() const;
    // Writes `bytes` to the file `name` in the folder, exactly.
    std::filesystem::path Write(const std::string& name, std::string_view bytes) const;
    // Writes `copies` copies of `piece`, in large blocks, without holding the file in memory.
    std::filesystem::path WriteRepeated(const std::string& name, std::string_view piece,
                                        std::size_t copies) const;

  private:
    std::filesystem::path path_;
};

}  // namespace elencario::test
