#pragma once

// The command run in the test's own process: its status, standard output and standard error.
#include <cstdio>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "cli/Elencario.h"

namespace elencario::test {

inline std::string Contenuto(std::FILE* f) {
    std::string testo;
    std::rewind(f);
    for (char bytes[4096]; const std::size_t n = std::fread(bytes, 1, sizeof bytes, f);)
        testo.append(bytes, n);
    return testo;
}

// Its outputs are files of the test's own folder: the C library's tmpfile makes its files in a
// folder that tests running at once share, and on Windows two of them may fail to get one.
inline std::tuple<int, std::string, std::string> EseguiComando(
    const std::vector<std::string>& argomenti, const CartellaProvvisoria& cartella,
    const UsciteStampa& uscite = {}) {
    std::FILE* uscita = std::fopen((cartella.path() / "uscita").string().c_str(), "w+b");
    std::FILE* errori = std::fopen((cartella.path() / "errori").string().c_str(), "w+b");
    if (uscita == nullptr || errori == nullptr) throw std::runtime_error("cannot open the outputs");
    const int stato = EseguiElencario(argomenti, uscita, errori, uscite);
    std::tuple esito{stato, Contenuto(uscita), Contenuto(errori)};
    std::fclose(uscita);
    std::fclose(errori);
    return esito;
}

}  // namespace elencario::test
