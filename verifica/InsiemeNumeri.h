#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "systems/Variabili.h"

namespace elencario {

// A set of lottery numbers 1..90, one bit each: a draw, or the numbers of one row.
class InsiemeNumeri {
  public:
    InsiemeNumeri() = default;
    // From its bits: bit n of the two words together is the number n.
    InsiemeNumeri(std::uint64_t basso, std::uint64_t alto) : parole_{basso, alto} {}

    void Aggiungi(int n) { parole_[Parola(n)] |= Bit(n); }
    [[nodiscard]] bool Contiene(int n) const { return (parole_[Parola(n)] & Bit(n)) != 0; }
    [[nodiscard]] int Quanti() const {
        return std::popcount(parole_[0]) + std::popcount(parole_[1]);
    }
    [[nodiscard]] InsiemeNumeri Comuni(const InsiemeNumeri& altro) const {
        InsiemeNumeri comuni;
        comuni.parole_ = {parole_[0] & altro.parole_[0], parole_[1] & altro.parole_[1]};
        return comuni;
    }
    // Calls `f` with every number of the set, ascending.
    template <class F>
    void PerOgni(F&& f) const {
        for (int p = 0; p < 2; ++p) {
            for (std::uint64_t resto = parole_[p]; resto != 0; resto &= resto - 1) {
                f(p * 64 + std::countr_zero(resto));
            }
        }
    }

    bool operator==(const InsiemeNumeri&) const = default;

  private:
    static int Parola(int n) { return n >> 6; }
    static std::uint64_t Bit(int n) { return std::uint64_t{1} << (n & 63); }

    std::array<std::uint64_t, 2> parole_{};
};

}  // namespace elencario
