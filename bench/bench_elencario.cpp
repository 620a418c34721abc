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

    std::size_t byte = 0;

  private:
    void Take(std::string_view t) {
        if (buffer_.size() + t.size() > kBuffer) buffer_.clear();
        buffer_.append(t);
        byte += t.size();
    }
    static constexpr std::size_t kBuffer = 1 << 20;
    std::string buffer_;
};

// Peak resident memory of the process so far, in bytes (0 where the system does not say).
std::size_t PiccoResidente() {
    std::ifstream stato("/proc/self/status");
    for (std::string riga; std::getline(stato, riga);) {
        if (riga.rfind("VmHWM:", 0) == 0) return std::stoull(riga.substr(6)) * 1024;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const auto cartella = std::filesystem::temp_directory_path() / "elencario-bench";
    std::filesystem::create_directories(cartella);

    std::printf("%-14s %10s %9s | %9s %11s | %9s %11s | %8s %8s\n", "system", "rows", "file MB",
                "load MB/s", "load rows/s", "out MB/s", "out rows/s", "store/f", "peak/f");
    const struct {
        const char* nome;
        int k;
    } systems[] = {{"ambi.txt", 2}, {"terni.txt", 3}, {"quaterne.txt", 4}};
    for (const auto& s : systems) {
        {
            std::ofstream uscita(cartella / s.nome, std::ios::binary);
            std::vector<int> scelti;
            GeneraCombinazioni(s.k, 1, scelti, uscita);
        }
        const double byteFile = static_cast<double>(std::filesystem::file_size(cartella / s.nome));

        double miglioreCaricamento = 1e9;
        double miglioreComposizione = 1e9;
        double rapportoArchivio = 0;
        double rapportoPicco = 0;
        std::int32_t righe = 0;
        std::size_t byteUscita = 0;
        for (int r = 0; r < repeats; ++r) {
            VARIABILI v;
            const std::size_t prima = PiccoResidente();
            const double t0 = SecondiCpu();
            if (CaricaSistema(v, TestoDaPercorso(cartella), s.nome) != 0) {
                std::fprintf(stderr, "load failed: %s\n", s.nome);
                return 1;
            }
            miglioreCaricamento = std::min(miglioreCaricamento, SecondiCpu() - t0);
            if (r == 0) rapportoPicco = static_cast<double>(PiccoResidente() - prima) / byteFile;
            rapportoArchivio = static_cast<double>(v.Combinazioni.ByteInMemoria()) / byteFile;
            righe = v.TotCombinazioni;

            ScaricoTesto scarico;
            const OpzioniConvertite opzioni{std::string(kSegoeUi), 9, 4, 12, true, true};
            const double t1 = SecondiCpu();
            if (ComponiElencario(v, opzioni, scarico).stato != StatoStampa::Ok) return 1;
            miglioreComposizione = std::min(miglioreComposizione, SecondiCpu() - t1);
            byteUscita = scarico.byte;
        }
        std::printf("%-14s %10d %9.1f | %9.0f %11.0f | %9.0f %11.0f | %8.2f %8.2f\n", s.nome, righe,
                    byteFile / 1e6, byteFile / 1e6 / miglioreCaricamento,
                    righe / miglioreCaricamento,
                    static_cast<double>(byteUscita) / 1e6 / miglioreComposizione,
                    righe / miglioreComposizione, rapportoArchivio, rapportoPicco);
        std::filesystem::remove(cartella / s.nome);
    }
    std::filesystem::remove(cartella);
    std::printf(
        "store/f: memory of the loaded rows / file size; peak/f: growth of the process's "
        "peak memory during the first load / file size\n");
    return 0;
}
