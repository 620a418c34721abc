#pragma once

#include <string>

namespace elencario {

inline constexpr int kCopieMassime = 99;

// Where a printer job goes and how many copies of it the print server makes. The window always
// prints one copy on the default printer; the command may ask for another printer and more.
struct SceltaStampante {
    std::string nome;  // empty: the default printer
    int copie = 1;     // 1..kCopieMassime

    bool operator==(const SceltaStampante&) const = default;
};

}  // namespace elencario
