// Measures loading and composing the listing of the largest regular systems: all the ambi, terni
// and quaterne of 90 numbers. The files are generated in a temporary folder and removed after.
// Times are the process's CPU time (best of REPEATS), so that other work on a busy machine does
// not count.
//
//     build/bench/bench_elencario [REPEATS]

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/Combinazioni.h"
#include "printing/ComposizioneElencario.h"
#include "printing/ScelteOpzioni.h"
#include "systems/LetturaSistema.h"
#include "systems/Percorsi.h"

namespace {

using elencario::bench::GeneraCombinazioni;

using namespace elencario;
// CPU time of the process, in seconds.
double SecondiCpu() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Takes the listing as text, as a file or a pipe would, and counts it.
class ScaricoTesto final : public StampanteTesto {
  public:
    StatoStampa ImpostaCarattere(const std::string&) override { return StatoStampa::Ok; }
    StatoStampa ImpostaGrandezza(float) override { return StatoStampa::Ok; }
    StatoStampa StampaRiga(std::string_view t) override {
        Take(t);
        return ACapo();
    }
    StatoStampa Stampa(std::string_view t) override {
        Take(t);
        return StatoStampa::Ok;
    }
    StatoStampa ACapo() override {
        Take("\n");
        return StatoStampa::Ok;
    }
    StatoStampa ChiudiDocumento() override { return StatoStampa::Ok; }

    std::size_t bytes = 0;

  private:
    void Take(std::string_view t) {
        if (buffer_.size() + t.size() > kBuffer) buffer_.clear();
        buffer_.append(t);
        bytes += t.size();
    }
    static constexpr std::size_t kBuffer = 1 << 20;
    std::string buffer_;
};

// Peak resident memory of the process so far, in bytes (0 where the system does not say).
std::size_t PiccoResidente() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const auto folder = std::filesystem::temp_directory_path() / "elencario-bench";
    std::filesystem::create_directories(folder);

    std::printf("%-14s %10s %9s | %9s %11s | %9s %11s | %8s %8s\n", "system", "rows", "file MB",
                "load MB/s", "load rows/s", "out MB/s", "out rows/s", "store/f", "peak/f");
    const struct {
        const char* name;
        int k;
    } systems[] = {{"ambi.txt", 2}, {"terni.txt", 3}, {"quaterne.txt", 4}};
    for (const auto& s : systems) {
        {
            std::ofstream out(folder / s.name, std::ios::binary);
            std::vector<int> chosen;
            GeneraCombinazioni(s.k, 1, chosen, out);
        }
        const double fileBytes = static_cast<double>(std::filesystem::file_size(folder / s.name));

        double bestLoad = 1e9;
        double bestCompose = 1e9;
        double storeRatio = 0;
        double peakRatio = 0;
        std::int32_t rows = 0;
        std::size_t outBytes = 0;
        for (int r = 0; r < repeats; ++r) {
            VARIABILI v;
            const std::size_t before = PiccoResidente();
            const double t0 = SecondiCpu();
            if (CaricaSistema(v, TestoDaPercorso(folder), s.name) != 0) {
                std::fprintf(stderr, "load failed: %s\n", s.name);
                return 1;
            }
            bestLoad = std::min(bestLoad, SecondiCpu() - t0);
            if (r == 0) peakRatio = static_cast<double>(PiccoResidente() - before) / fileBytes;
            storeRatio = static_cast<double>(v.Combinazioni.ByteInMemoria()) / fileBytes;
            rows = v.TotCombinazioni;

            ScaricoTesto sink;
            const OpzioniConvertite options{std::string(kSegoeUi), 9, 4, 12, true, true};
            const double t1 = SecondiCpu();
            if (ComponiElencario(v, options, sink).stato != StatoStampa::Ok) return 1;
            bestCompose = std::min(bestCompose, SecondiCpu() - t1);
            outBytes = sink.bytes;
        }
        std::printf("%-14s %10d %9.1f | %9.0f %11.0f | %9.0f %11.0f | %8.2f %8.2f\n", s.name, rows,
                    fileBytes / 1e6, fileBytes / 1e6 / bestLoad, rows / bestLoad,
                    static_cast<double>(outBytes) / 1e6 / bestCompose, rows / bestCompose,
                    storeRatio, peakRatio);
        std::filesystem::remove(folder / s.name);
    }
    std::filesystem::remove(folder);
    std::printf(
        "store/f: memory of the loaded rows / file size; peak/f: growth of the process's "
        "peak memory during the first load / file size\n");
    return 0;
}
