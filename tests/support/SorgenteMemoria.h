#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "systems/NumeriErrore.h"
#include "systems/SorgenteFile.h"

namespace elencario {

// Serves a system file's bytes from memory. Reads hand out at most `maxRead` bytes each, so
// that fields, quotes and CR LF pairs straddle the reader's refills; `openError` makes Open
// fail, `changed` tells the reader the file changed while read, and `failAt` makes the read that
// would pass that offset fail with `readError`.
class SorgenteMemoria final : public SorgenteFile {
  public:
    static constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

    explicit SorgenteMemoria(std::string bytes, std::size_t maxRead = kNever)
        : bytes_(std::move(bytes)), maxRead_(std::max<std::size_t>(maxRead, 1)) {}

    int openError = 0;
    std::size_t failAt = kNever;
    int readError = kErroreDispositivo;
    bool changed = false;  // what Cambiato says

    [[nodiscard]] int Apri(const std::filesystem::path&) override {
        if (openError != 0) return openError;
        open_ = true;
        pos_ = 0;
        return 0;
    }
    [[nodiscard]] std::uint64_t DimensioneAllApertura() const override {
        return open_ ? bytes_.size() : 0;
    }
    [[nodiscard]] std::ptrdiff_t Leggi(char* buffer, std::size_t capacity, int& errore) override {
        if (!open_) {
            errore = kErroreAccesso;
            return -1;
        }
        const std::size_t n = std::min({capacity, maxRead_, bytes_.size() - pos_});
        if (failAt != kNever && pos_ + n >= failAt && pos_ < bytes_.size()) {
            errore = readError;
            return -1;
        }
        std::memcpy(buffer, bytes_.data() + pos_, n);
        pos_ += n;
        return static_cast<std::ptrdiff_t>(n);
    }
    [[nodiscard]] bool Cambiato() override { return changed; }
    void Chiudi() override { open_ = false; }

    [[nodiscard]] bool Aperta() const { return open_; }

  private:
    std::string bytes_;
    std::size_t maxRead_;
    std::size_t pos_ = 0;
    bool open_ = false;
};

}  // namespace elencario
