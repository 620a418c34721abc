#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "systems/NumeriErrore.h"
#include "systems/SorgenteFile.h"

namespace elencario {

// A system file's bytes from memory, at most `maxRead` a read (so that fields straddle refills);
// `erroreApertura` makes Apri fail, `cambiato` is what Cambiato says, and `fallisceA` makes the
// read that would pass that offset fail with kErroreAccesso.
class SorgenteMemoria final : public SorgenteFile {
  public:
    static constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

    explicit SorgenteMemoria(std::string byte, std::size_t maxRead = kNever)
        : byte_(std::move(byte)), massimoLetto_(std::max<std::size_t>(maxRead, 1)) {}

    int erroreApertura = 0;
    std::size_t fallisceA = kNever;
    bool cambiato = false;

    [[nodiscard]] int Apri(const std::filesystem::path&) override {
        if (erroreApertura != 0) return erroreApertura;
        aperta_ = true;
        posizione_ = 0;
        return 0;
    }
    [[nodiscard]] std::uint64_t DimensioneAllApertura() const override {
        return aperta_ ? byte_.size() : 0;
    }
    [[nodiscard]] std::ptrdiff_t Leggi(char* buffer, std::size_t capacity, int& errore) override {
        const std::size_t n = std::min({capacity, massimoLetto_, byte_.size() - posizione_});
        if (fallisceA != kNever && posizione_ + n >= fallisceA && posizione_ < byte_.size()) {
            errore = kErroreAccesso;  // not the reader's own kErroreDispositivo
            return -1;
        }
        std::memcpy(buffer, byte_.data() + posizione_, n);
        posizione_ += n;
        return static_cast<std::ptrdiff_t>(n);
    }
    [[nodiscard]] bool Cambiato() override { return cambiato; }
    void Chiudi() override { aperta_ = false; }

    [[nodiscard]] bool Aperta() const { return aperta_; }

  private:
    std::string byte_;
    std::size_t massimoLetto_;
    std::size_t posizione_ = 0;
    bool aperta_ = false;
};

}  // namespace elencario
