#include "systems/MaiuscoloUtf8.h"

namespace elencario {

namespace {

// Upper-case partner of a lower-case letter encoded in two UTF-8 bytes, or the letter itself.
char32_t MaiuscolaDi(char32_t c) {
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F)) {
        return c - 0x20;
    }
    if (c == 0xFF) return 0x178;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if (c == 0x3C2) return 0x3A3;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    // Latin Extended-A: upper and lower case letters alternate.
    const bool paiDispari = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    const bool paiPari =
        (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    if (paiPari && c % 2 == 1) return c - 1;
    if (paiDispari && c % 2 == 0) return c - 1;
    return c;
}

}  // namespace

std::string MaiuscoloUtf8(std::string_view testo) {
    std::string risultato;
    risultato.reserve(testo.size());
    for (std::size_t i = 0; i < testo.size(); ++i) {
        const auto b = static_cast<unsigned char>(testo[i]);
        if (b >= 'a' && b <= 'z') {
            risultato.push_back(static_cast<char>(b - 32));
            continue;
        }
        const bool dueByte = (b & 0xE0) == 0xC0 && b >= 0xC2 && i + 1 < testo.size() &&
                             (static_cast<unsigned char>(testo[i + 1]) & 0xC0) == 0x80;
        if (!dueByte) {
            risultato.push_back(static_cast<char>(b));
            continue;
        }
        const char32_t c = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(testo[i + 1]) & 0x3Fu);
        const char32_t m = MaiuscolaDi(c);
        risultato.push_back(static_cast<char>(0xC0 | (m >> 6)));
        risultato.push_back(static_cast<char>(0x80 | (m & 0x3F)));
        ++i;
    }
    return risultato;
}

}  // namespace elencario
