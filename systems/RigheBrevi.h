#pragma once

// Runs of common rows read sixty-four bytes at a time with SSE2 compares, where the processor has
// them: a handful of masks per window instead of a test and a branch per byte, and rows whose
// reading does not wait on the row before.
#include <bit>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ELENCARIO_RIGHE_BREVI 1
#endif

namespace elencario {

#ifdef ELENCARIO_RIGHE_BREVI

inline constexpr unsigned kFinestra = 64;

// The rows of a window: bit i of a mask stands for the window's byte i.
struct RigheBrevi {
    std::uint64_t inizi = 0;   // the first byte of each row
    std::uint64_t ultimi = 0;  // the last byte of each row
    std::uint64_t numeri = 0;  // the first digit of each number
    std::uint64_t decine = 0;  // the first digit of each number of two digits
    unsigned letti = 0;        // the bytes read, up to the last field end; 0 when none can be
};

namespace dettaglio {

struct Maschere {
    std::uint64_t cifre = 0;
    std::uint64_t spazi = 0;
    std::uint64_t fini = 0;  // commas and line ends
    std::uint64_t zeri = 0;
    std::uint64_t nove = 0;
};

inline void Aggiungi16(Maschere& m, const char* p, unsigned da) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + da));
    const auto uguali = [&](char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
    const auto bit = [&](__m128i x) {
        return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(x))} << da;
    };
    // A byte is a digit when it is at most 9 above '0', counted without sign.
    const __m128i sopraZero = _mm_sub_epi8(v, _mm_set1_epi8('0'));
    m.cifre |= bit(_mm_cmpeq_epi8(_mm_min_epu8(sopraZero, _mm_set1_epi8(9)), sopraZero));
    m.spazi |= bit(uguali(' '));
    m.fini |= bit(_mm_or_si128(_mm_or_si128(uguali('\r'), uguali('\n')), uguali(',')));
    m.zeri |= bit(uguali('0'));
    m.nove |= bit(uguali('9'));
}

}  // namespace dettaglio

// Reads the 64 bytes at `p`, which must all be readable and open a field, as whole fields up to
// the last field end among them: each one empty or a row of numbers of one or two digits from 1
// to 90 separated by single spaces. Nothing is read when no field end is among them or any field
// before it has another shape.
inline RigheBrevi LeggiRigheBrevi(const char* p) {
    dettaglio::Maschere m;
    for (unsigned da = 0; da < kFinestra; da += 16) dettaglio::Aggiungi16(m, p, da);
    if (m.fini == 0) return {};
    const auto ultimaFine = static_cast<unsigned>(63 - std::countl_zero(m.fini));
    const std::uint64_t letti = ~std::uint64_t{0} >> (63 - ultimaFine);
    const std::uint64_t c = m.cifre & letti;
    const std::uint64_t s = m.spazi & letti;
    const std::uint64_t numeri = c & ~(c << 1);
    const std::uint64_t decine = numeri & (c >> 1);
    const std::uint64_t unita = numeri & ~decine;
    const std::uint64_t errori =
        (letti & ~(c | s | m.fini)) |
        // a blank with anything but a digit on either side, three digits in a row
        (s & ~((c << 1) & (c >> 1))) | (c & (c >> 1) & (c >> 2)) |
        // out of range: 0, 00, and 9 followed by anything but 0
        (unita & m.zeri) | (decine & m.zeri & (m.zeri >> 1)) | (decine & m.nove & ~(m.zeri >> 1));
    if (errori != 0) return {};
    const std::uint64_t righe = c | s;
    return {righe & ~(righe << 1), righe & ~(righe >> 1), numeri, decine, ultimaFine + 1};
}

// Adds the numbers of a window's rows to the marks: 1 to 63 in `bassi`, 64 to 90 in `alti` (bit n
// for number n).
inline void SegnaRigheBrevi(const char* p, const RigheBrevi& righe, std::uint64_t& bassi,
                            std::uint64_t& alti) {
    for (std::uint64_t numeri = righe.numeri; numeri != 0; numeri &= numeri - 1) {
        const auto i = static_cast<unsigned>(std::countr_zero(numeri));
        unsigned valore = static_cast<unsigned>(p[i] - '0');
        if (((righe.decine >> i) & 1) != 0) {
            valore = valore * 10 + static_cast<unsigned>(p[i + 1] - '0');
        }
        const std::uint64_t bit = std::uint64_t{1} << (valore & 63);
        bassi |= valore < 64 ? bit : 0;
        alti |= valore < 64 ? 0 : bit;
    }
}

#endif

}  // namespace elencario
