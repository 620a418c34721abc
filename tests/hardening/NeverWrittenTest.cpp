// Loading and printing never changes a system file: not its bytes, not its modification time.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "printing/FilePrinter.h"
#include "printing/Printout.h"
#include "systems/Routines.h"
#include "systems/SystemReader.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

namespace fs = std::filesystem;

// The bytes and modification time of a regular file; the kind of anything else.
std::string Impronta(const fs::path& p) {
    const fs::file_status stato = fs::symlink_status(p);
    std::ostringstream impronta;
    impronta << static_cast<int>(stato.type());
    if (fs::is_regular_file(stato)) {
        impronta << fs::last_write_time(p).time_since_epoch().count()
                 << std::ifstream(p, std::ios::binary).rdbuf();
    }
    return impronta.str();
}

TEST(NeverWrittenTest, SamplesAndHostileFilesKeepBytesAndTimes) {
    std::vector<std::pair<std::string, std::string>> voci;  // folder and name
    for (const auto& sample : fs::directory_iterator(PercorsoDaTesto(ELENCARIO_SAMPLES))) {
        voci.emplace_back(ELENCARIO_SAMPLES, TestoDaPercorso(sample.path().filename()));
    }
    const test::TempFolder cartella;
    cartella.WriteRepeated("zeri.TXT", std::string_view("\0", 1), 4096);
    cartella.WriteRepeated("vuoti.TXT", ",", 100'000);
    cartella.WriteRepeated("grande.TXT", "12 ", 1'000'000);
    cartella.Write("cambia.TXT", "1 2\r\n");
    fs::create_directory(cartella.path() / "y.TXT");
    fs::create_symlink("cambia.TXT", cartella.path() / "link.TXT");
    for (const char* nome :
         {"zeri.TXT", "vuoti.TXT", "grande.TXT", "cambia.TXT", "y.TXT", "link.TXT"}) {
        voci.emplace_back(cartella.Text(), nome);
    }
    ASSERT_GE(voci.size(), 10u);
    const auto percorso = [](const auto& voce) {
        return PercorsoDaTesto(voce.first) / PercorsoDaTesto(voce.second);
    };
    std::vector<std::string> prima;
    for (const auto& voce : voci) prima.push_back(Impronta(percorso(voce)));

    std::FILE* uscita = std::tmpfile();
    ASSERT_NE(uscita, nullptr);
    OpzioniConvertite opzioni;
    opzioni.nomeSistema = opzioni.numeriInGioco = true;
    int stampati = 0;
    for (const auto& [nome, file] : voci) {
        VARIABILI v;
        if (CaricaSistema(v, nome, file) != 0 || v.TotCombinazioni < 1) continue;
        FilePrinter stampante(uscita);
        EXPECT_EQ(ComponiElencario(v, opzioni, stampante), PrinterStatus::Ok) << file;
        ++stampati;
    }
    std::fclose(uscita);
    EXPECT_GE(stampati, 5);
    for (std::size_t i = 0; i < voci.size(); ++i) {
        EXPECT_EQ(Impronta(percorso(voci[i])), prima[i]) << voci[i].second;
    }
}

}  // namespace
}  // namespace elencario
