#include "tests/hardening/FileOstili.h"

namespace elencario::test {

std::string RigaDiPezzi(std::size_t pezzi) {
    std::string riga;
    for (std::size_t i = 0; i < pezzi; ++i) riga += (i > 0 ? " " : "") + std::to_string(i % 90 + 1);
    return riga + "\r\n";
}

}  // namespace elencario::test
