#pragma once

// Hostile entries for the systems folder, made at test time in a folder of their own.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace elencario::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class CartellaOstile {
  public:
    CartellaOstile();
    CartellaOstile(const CartellaOstile&) = delete;
    CartellaOstile& operator=(const CartellaOstile&) = delete;
    ~CartellaOstile();

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
    // The folder as the core's UTF-8 text.
    [[nodiscard]] std::string Text() const;

    void Write(const std::string& nome, std::string_view contenuto) const;
    // Writes `copie` copies of `pezzo`, in large blocks, without holding the file in memory.
    void WriteRepeated(const std::string& nome, std::string_view pezzo, std::size_t copie) const;

  private:
    std::filesystem::path path_;
};

// A row of `pezzi` numbers, "1 2 … 90 1 2 …", ended by CR LF.
[[nodiscard]] std::string RigaDiPezzi(std::size_t pezzi);

// Every hostile entry this platform can make, by name: the names end in ".TXT" like the files
// the window lists. Size of the large one: `byteGrande`.
std::vector<std::string> CreaTuttiGliOstili(const CartellaOstile& cartella, std::size_t byteGrande);

}  // namespace elencario::test
