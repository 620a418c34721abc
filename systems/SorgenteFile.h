#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace elencario {

// Where the reader gets a system file's bytes. The platform's own implementation is
// SorgenteFilePiattaforma; tests plug in sources that fail on purpose.
class SorgenteFile {
  public:
    virtual ~SorgenteFile() = default;

    // Opens `percorso` for reading. Returns 0, or the error number of the failure (53 missing
    // file, 76 missing folder, 70 permission denied, 75 not a readable regular file, 57 device
    // error, 7 out of memory). Anything that is not a regular file (a folder, a device, a
    // pipe) is refused with 75 without blocking.
    [[nodiscard]] virtual int Apri(const std::filesystem::path& percorso) = 0;
    // The size of the open file as found when it was opened (a hint: it may change).
    [[nodiscard]] virtual std::uint64_t DimensioneAllApertura() const = 0;
    // Reads up to `capacity` bytes into `buffer`: the count read, 0 at the end of the file, or
    // -1 with `errore` set to the error number.
    [[nodiscard]] virtual std::ptrdiff_t Leggi(char* buffer, std::size_t capacity, int& errore) = 0;
    // True when the file's size, modification time or identity (the file its path names) is no
    // longer what it was at opening, or can no longer be told. Asked once reading is over.
    [[nodiscard]] virtual bool Cambiato() = 0;
    // Closes the file if open; harmless otherwise.
    virtual void Chiudi() = 0;
};

}  // namespace elencario
