#include "tests/hardening/FileOstili.h"

#include <fstream>
#include <random>
#include <stdexcept>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "systems/Routines.h"

namespace elencario::test {

namespace fs = std::filesystem;

std::string RigaDiPezzi(std::size_t pezzi) {
    std::string riga;
    for (std::size_t i = 0; i < pezzi; ++i) {
        if (i > 0) riga += ' ';
        riga += std::to_string(i % 90 + 1);
    }
    return riga + "\r\n";
}

std::vector<std::string> CreaTuttiGliOstili(const TempFolder& cartella, std::size_t byteGrande) {
    std::vector<std::string> nomi;
    cartella.WriteRepeated("zeri.TXT", std::string_view("\0", 1), 4096);
    nomi.push_back("zeri.TXT");
    cartella.WriteRepeated("vuoti.TXT", ",", 2'000'000);
    nomi.push_back("vuoti.TXT");
    cartella.Write("pezzi32768.TXT", RigaDiPezzi(32768));
    nomi.push_back("pezzi32768.TXT");
    cartella.Write("pezzi32767.TXT", RigaDiPezzi(32767));
    nomi.push_back("pezzi32767.TXT");
    cartella.WriteRepeated("grande.TXT", "12 ", byteGrande / 3);
    nomi.push_back("grande.TXT");
    fs::create_directory(cartella.path() / "y.TXT");
    nomi.push_back("y.TXT");
#ifndef _WIN32
    if (::mkfifo((cartella.path() / "x.TXT").c_str(), 0644) != 0) {
        throw std::runtime_error("mkfifo failed");
    }
    nomi.push_back("x.TXT");
    fs::create_symlink("giro2.TXT", cartella.path() / "giro1.TXT");
    fs::create_symlink("giro1.TXT", cartella.path() / "giro2.TXT");
    nomi.push_back("giro1.TXT");
#endif
    return nomi;
}

}  // namespace elencario::test
