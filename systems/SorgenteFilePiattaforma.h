#pragma once

#include <cstdint>

#include "systems/SorgenteFile.h"

namespace elencario {

// Reads system files through the operating system (POSIX or Win32).
class SorgenteFilePiattaforma final : public SorgenteFile {
  public:
    SorgenteFilePiattaforma() = default;
    SorgenteFilePiattaforma(const SorgenteFilePiattaforma&) = delete;
    SorgenteFilePiattaforma& operator=(const SorgenteFilePiattaforma&) = delete;
    ~SorgenteFilePiattaforma() override { Chiudi(); }

    [[nodiscard]] int Apri(const std::filesystem::path& percorso) override;
    [[nodiscard]] std::uint64_t DimensioneAllApertura() const override { return dimensione_; }
    [[nodiscard]] std::ptrdiff_t Leggi(char* buffer, std::size_t capacity, int& errore) override;
    [[nodiscard]] bool Cambiato() override;
    void Chiudi() override;

    // What tells one version of a file from another: the volume and the file's index on it,
    // its size and its modification time.
    struct Impronta {
        std::uint64_t volume = 0;
        std::uint64_t indice = 0;
        std::uint64_t dimensione = 0;
        std::int64_t modifica = 0;
        bool operator==(const Impronta&) const = default;
    };

  private:
#ifdef _WIN32
    void* handle_ = nullptr;  // a HANDLE
#else
    int fd_ = -1;
#endif
    std::uint64_t dimensione_ = 0;
    std::filesystem::path percorso_;
    Impronta impronta_;
};

}  // namespace elencario
