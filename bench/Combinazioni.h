#pragma once

#include <fstream>
#include <vector>

namespace elencario::bench {

// Writes every combination of `k` numbers of 1..90, one row each, straight to the file so that
// generating does not raise the process's peak memory.
inline void GeneraCombinazioni(int k, int from, std::vector<int>& chosen, std::ofstream& out) {
    if (static_cast<int>(chosen.size()) == k) {
        for (std::size_t i = 0; i < chosen.size(); ++i) out << (i > 0 ? " " : "") << chosen[i];
        out << "\r\n";
        return;
    }
    for (int n = from; n <= 90; ++n) {
        chosen.push_back(n);
        GeneraCombinazioni(k, n + 1, chosen, out);
        chosen.pop_back();
    }
}

}  // namespace elencario::bench
