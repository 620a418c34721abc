#pragma once

#include <cstdint>
#include <string_view>

#include "systems/NumeriErrore.h"

namespace elencario {

// The conversion of ConvertiIntero16, fed one character at a time, so that a text read in
// pieces can be judged as it comes.
class Intero16InCorso {
  public:
    void Aggiungi(char c) {
        const bool primo = !iniziato_;
        iniziato_ = true;
        if (primo && (c == '+' || c == '-')) {
            negativo_ = c == '-';
        } else if (c < '0' || c > '9') {
            nonNumero_ = true;
        } else {
            cifre_ = true;
            // Past 32768 the value no longer matters: it is out of range whatever follows.
            if (assoluto_ <= 32768) assoluto_ = assoluto_ * 10 + (c - '0');
        }
    }
    // Already certain to be a type mismatch, whatever follows.
    [[nodiscard]] bool NonNumero() const { return nonNumero_; }
    // 0 and `valore`, or the error number of the text seen so far.
    [[nodiscard]] int Esito(std::int16_t& valore) const {
        if (nonNumero_ || !cifre_) return kErroreTipo;
        const std::int32_t risultato = negativo_ ? -assoluto_ : assoluto_;
        if (assoluto_ > 32768 || risultato > 32767) return kErroreOverflow;
        valore = static_cast<std::int16_t>(risultato);
        return 0;
    }

  private:
    std::int32_t assoluto_ = 0;
    bool iniziato_ = false;
    bool negativo_ = false;
    bool cifre_ = false;
    bool nonNumero_ = false;
};

// Converts an optional sign followed by decimal digits (leading zeros allowed) to a 16-bit
// signed integer. Returns 0 and sets `valore`, kErroreTipo for any other form (empty text,
// blanks, fractions, exponents…), or kErroreOverflow when the value is out of range.
[[nodiscard]] int ConvertiIntero16(std::string_view testo, std::int16_t& valore);

}  // namespace elencario
