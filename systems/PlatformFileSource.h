#pragma once

#include "systems/FileSource.h"

namespace elencario {

// Reads system files through the operating system (POSIX or Win32).
class PlatformFileSource final : public FileSource {
  public:
    PlatformFileSource() = default;
    PlatformFileSource(const PlatformFileSource&) = delete;
    PlatformFileSource& operator=(const PlatformFileSource&) = delete;
    ~PlatformFileSource() override { Close(); }

    [[nodiscard]] int Open(const std::filesystem::path& path) override;
    [[nodiscard]] std::uint64_t SizeAtOpen() const override { return size_; }
    [[nodiscard]] std::ptrdiff_t Read(char* buffer, std::size_t capacity, int& errore) override;
    void Close() override;

  private:
#ifdef _WIN32
    void* handle_ = nullptr;  // a HANDLE
#else
    int fd_ = -1;
#endif
    std::uint64_t size_ = 0;
};

}  // namespace elencario
