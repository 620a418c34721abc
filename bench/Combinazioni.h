#pragma once

#include <fstream>
#include <vector>

namespace elencario::bench {

// Writes every combination of `k` numbers of 1..90, one row each, straight to the file so that
// generating does not raise the process's peak memory.
inline void GeneraCombinazioni(int k, int from, std::vector<int>& scelti, std::ofstream& uscita) {
    if (static_cast<int>(scelti.size()) == k) {
        for (std::size_t i = 0; i < scelti.size(); ++i) uscita << (i > 0 ? " " : "") << scelti[i];
        uscita << "\r\n";
        return;
    }
    for (int n = from; n <= 90; ++n) {
        scelti.push_back(n);
        GeneraCombinazioni(k, n + 1, scelti, uscita);
        scelti.pop_back();
    }
}

}  // namespace elencario::bench
