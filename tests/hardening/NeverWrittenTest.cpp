// Loading and printing never changes a system file: not its bytes, not its modification time.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

#include "printing/FilePrinter.h"
#include "printing/Printout.h"
#include "systems/Routines.h"
#include "systems/SystemReader.h"
#include "tests/hardening/FileOstili.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace elencario {
namespace {

namespace fs = std::filesystem;

struct Impronta {
    std::optional<std::uint64_t> hash;  // of the bytes, for regular files only
    std::int64_t mtime = 0;             // of the entry itself, links not followed
    bool operator==(const Impronta&) const = default;
};

std::uint64_t HashFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::vector<char> blocco(1 << 20);
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a
    while (in.read(blocco.data(), static_cast<std::streamsize>(blocco.size())) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            h = (h ^ static_cast<unsigned char>(blocco[static_cast<std::size_t>(i)])) *
                1099511628211ull;
        }
    }
    return h;
}

Impronta ImprontaDi(const fs::path& p) {
    Impronta i;
    const fs::file_status stato = fs::symlink_status(p);
#ifdef _WIN32
    i.mtime = fs::last_write_time(p).time_since_epoch().count();
#else
    struct stat st {};
    if (::lstat(p.c_str(), &st) == 0) {
        i.mtime = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    }
#endif
    if (fs::is_regular_file(stato)) i.hash = HashFile(p);
    return i;
}

TEST(NeverWrittenTest, SamplesAndHostileFilesKeepBytesAndTimes) {
    struct Voce {
        std::string cartella;
        std::string nome;
        fs::path Path() const { return PercorsoDaTesto(cartella) / PercorsoDaTesto(nome); }
    };
    std::vector<Voce> voci;
    // The samples where they are, the hostile entries in a folder of their own.
    for (const auto& sample : fs::directory_iterator(PercorsoDaTesto(ELENCARIO_SAMPLES))) {
        voci.push_back({ELENCARIO_SAMPLES, TestoDaPercorso(sample.path().filename())});
    }
    const test::TempFolder cartella;
    for (const std::string& nome : test::CreaTuttiGliOstili(cartella, 20'000'000)) {
        voci.push_back({cartella.Text(), nome});
    }
    ASSERT_GE(voci.size(), 10u);

    std::vector<Impronta> prima;
    for (const Voce& voce : voci) prima.push_back(ImprontaDi(voce.Path()));

    const fs::path listato = cartella.path() / "listato.out";
    std::FILE* uscita = std::fopen(listato.string().c_str(), "wb");
    ASSERT_NE(uscita, nullptr);
    VARIABILI v;
    OpzioniConvertite opzioni;
    opzioni.nomeSistema = true;
    opzioni.numeriInGioco = true;
    int stampati = 0;
    for (const Voce& voce : voci) {
        (void)CaricaSistema(v, voce.cartella, voce.nome);
        if (v.TotCombinazioni < 1) continue;
        FilePrinter stampante(uscita);
        EXPECT_EQ(ComponiElencario(v, opzioni, stampante), PrinterStatus::Ok) << voce.nome;
        ++stampati;
    }
    std::fclose(uscita);
    EXPECT_GE(stampati, 5);

    for (std::size_t i = 0; i < voci.size(); ++i) {
        EXPECT_EQ(ImprontaDi(voci[i].Path()), prima[i]) << voci[i].nome;
    }
}

}  // namespace
}  // namespace elencario
