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

CartellaOstile::CartellaOstile() {
    // Test processes run side by side: a random part keeps their folders apart.
    std::random_device caso;
    do {
        path_ = fs::temp_directory_path() /
                ("elencario-ostili-" + std::to_string(caso()) + "-" + std::to_string(caso()));
    } while (!fs::create_directory(path_));
}

CartellaOstile::~CartellaOstile() {
    std::error_code ignorato;
    // Entries made unreadable or looping must not stop the clean-up.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignorato);
    fs::remove_all(path_, ignorato);
}

std::string CartellaOstile::Text() const {
    return TestoDaPercorso(path_);
}

void CartellaOstile::Write(const std::string& nome, std::string_view contenuto) const {
    WriteRepeated(nome, contenuto, 1);
}

void CartellaOstile::WriteRepeated(const std::string& nome, std::string_view pezzo,
                                   std::size_t copie) const {
    std::ofstream out(path_ / PercorsoDaTesto(nome), std::ios::binary);
    std::string blocco;
    const std::size_t perBlocco =
        pezzo.empty() ? 1 : std::max<std::size_t>(1, (1 << 20) / pezzo.size());
    for (std::size_t i = 0; i < perBlocco && i < copie; ++i) blocco.append(pezzo);
    for (std::size_t scritte = 0; scritte < copie; scritte += perBlocco) {
        const std::size_t qui = std::min(perBlocco, copie - scritte);
        out.write(blocco.data(), static_cast<std::streamsize>(qui * pezzo.size()));
    }
    if (!out.flush()) throw std::runtime_error("cannot write " + nome);
}

std::string RigaDiPezzi(std::size_t pezzi) {
    std::string riga;
    for (std::size_t i = 0; i < pezzi; ++i) {
        if (i > 0) riga += ' ';
        riga += std::to_string(i % 90 + 1);
    }
    return riga + "\r\n";
}

std::vector<std::string> CreaTuttiGliOstili(const CartellaOstile& cartella,
                                            std::size_t byteGrande) {
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
    fs::create_directory(cartella.Path() / "y.TXT");
    nomi.push_back("y.TXT");
#ifndef _WIN32
    if (::mkfifo((cartella.Path() / "x.TXT").c_str(), 0644) != 0) {
        throw std::runtime_error("mkfifo failed");
    }
    nomi.push_back("x.TXT");
    fs::create_symlink("giro2.TXT", cartella.Path() / "giro1.TXT");
    fs::create_symlink("giro1.TXT", cartella.Path() / "giro2.TXT");
    nomi.push_back("giro1.TXT");
#endif
    return nomi;
}

}  // namespace elencario::test
