#pragma once

// The common short row read sixteen bytes at a time with SSE2 compares, where the processor has
// them: a handful of masks instead of a test and a branch per byte.
#include <bit>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ELENCARIO_RIGA_BREVE 1
#endif

namespace elencario {

#ifdef ELENCARIO_RIGA_BREVE

// Where a short row's numbers sit: bit i of a mask stands for the row's byte i.
struct RigaBreve {
    unsigned lunghezza = 0;  // 0: the bytes do not open a short row of the common shape
    unsigned inizi = 0;      // the first digit of each number
    unsigned decine = 0;     // the first digit of each number of two digits
};

// Reads the sixteen bytes at `p`, which must all be readable, as a row that ends within them:
// numbers of one or two digits from 1 to 90 separated by single spaces, then a comma or a line
// end. Anything else gives length 0.
inline RigaBreve LeggiRigaBreve(const char* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto uguali = [&](char c) {
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))));
    };
    const unsigned fini = uguali('\r') | uguali('\n') | uguali(',');
    if (fini == 0) return {};
    const auto n = static_cast<unsigned>(std::countr_zero(fini));
    const unsigned riga = (1u << n) - 1;
    // A byte is a digit when it is at most 9 above '0', counted without sign.
    const __m128i sopraZero = _mm_sub_epi8(v, _mm_set1_epi8('0'));
    const unsigned cifre = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(
                               _mm_min_epu8(sopraZero, _mm_set1_epi8(9)), sopraZero))) &
                           riga;
    const unsigned spazi = uguali(' ') & riga;
    const unsigned zeri = uguali('0');
    const unsigned inizi = cifre & ~(cifre << 1);
    const unsigned decine = inizi & (cifre >> 1);
    const unsigned unita = inizi & ~decine;
    const bool forma = n > 0 && (cifre | spazi) == riga && (cifre & 1) != 0 &&
                       ((cifre >> (n - 1)) & 1) != 0 && (spazi & (spazi >> 1)) == 0 &&
                       (cifre & (cifre >> 1) & (cifre >> 2)) == 0;
    // Out of range: 0, 00, and 9 followed by anything but 0.
    const unsigned fuori =
        (unita & zeri) | (decine & zeri & (zeri >> 1)) | (decine & uguali('9') & ~(zeri >> 1));
    if (!forma || fuori != 0) return {};
    return {n, inizi, decine};
}

// Adds the numbers of a short row read at `p` to the marks: 1 to 63 in `bassi`, 64 to 90 in
// `alti` (bit n for number n).
inline void SegnaRigaBreve(const char* p, const RigaBreve& riga, std::uint64_t& bassi,
                           std::uint64_t& alti) {
    for (unsigned inizi = riga.inizi; inizi != 0; inizi &= inizi - 1) {
        const auto i = static_cast<unsigned>(std::countr_zero(inizi));
        unsigned valore = static_cast<unsigned>(p[i] - '0');
        if (((riga.decine >> i) & 1) != 0)
            valore = valore * 10 + static_cast<unsigned>(p[i + 1] - '0');
        const std::uint64_t bit = std::uint64_t{1} << (valore & 63);
        bassi |= valore < 64 ? bit : 0;
        alti |= valore < 64 ? 0 : bit;
    }
}

#endif

}  // namespace elencario
