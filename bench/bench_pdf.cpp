// Measures the PDF of the largest regular systems, all the terni and all the quaterne of 90
// numbers, with and without the window's progress: pages per second and the peak memory of the
// process that renders it. Every case runs in a child process of its own, so that the peaks do
// not mix; each mode runs twice and the faster run counts. The files are generated in a
// temporary folder and removed after.
//
//     build/bench/bench_pdf [terni|quaterne]...

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/Combinazioni.h"
#include "printing/ComposizioneElencario.h"
#include "printing/Impaginatore.h"
#include "printing/ScelteOpzioni.h"
#include "printing/qt/AmbienteQt.h"
#include "printing/qt/FilePdf.h"
#include "printing/qt/FinestraAvanzamento.h"
#include "printing/qt/UscitaPdf.h"
#include "systems/LetturaSistema.h"
#include "systems/Percorsi.h"

namespace {

using elencario::bench::GeneraCombinazioni;

using namespace elencario;
using Clock = std::chrono::steady_clock;

// Counts the pages, and hands everything on to the window's progress when there is one.
class Contatore final : public Avanzamento {
  public:
    Contatore(std::unique_ptr<Avanzamento> finestra, int& pagine)
        : finestra_(std::move(finestra)), pagine_(pagine) {}
    void Inizio() override {
        if (finestra_) finestra_->Inizio();
    }
    bool Continua() override { return !finestra_ || finestra_->Continua(); }
    void Pagina(int pagina, int pagine) override {
        pagine_ = pagine;
        if (finestra_) finestra_->Pagina(pagina, pagine);
    }
    void Fine() override {
        if (finestra_) finestra_->Fine();
    }

  private:
    std::unique_ptr<Avanzamento> finestra_;
    int& pagine_;
};

// One case, in the child: loads, renders, prints "rows pages seconds".
int Caso(const std::filesystem::path& folder, const char* name, bool progress) {
    int argc = 1;
    char program[] = "bench_pdf";
    char* argv[] = {program, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ZittisciAvvisiQt();
    QApplication app(argc, argv);
    PreparaQt(app);
    VARIABILI v;
    if (CaricaSistema(v, TestoDaPercorso(folder), name) != 0) return 1;
    int pages = 0;
    std::unique_ptr<Avanzamento> window;
    if (progress) window = std::make_unique<FinestraAvanzamento>();
    auto counter = std::make_unique<Contatore>(std::move(window), pages);
    const auto printer = std::make_unique<Impaginatore>(
        std::make_unique<FilePdf>(std::make_unique<UscitaPdf>(folder / "out.pdf")),
        std::move(counter));
    const OpzioniConvertite options{std::string(kSegoeUi), 9, 4, 12, true, true};
    const auto t0 = Clock::now();
    if (printer->Prepara() != StatoStampa::Ok) return 1;
    if (ComponiElencario(v, options, *printer) != StatoStampa::Ok) return 1;
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    std::printf("%d %d %.2f\n", v.TotCombinazioni, pages, seconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> systems(argv + 1, argv + argc);
    if (systems.empty()) systems = {"terni", "quaterne"};
    const auto folder = std::filesystem::temp_directory_path() / "elencario-bench-pdf";
    std::filesystem::create_directories(folder);
    std::printf("%-10s %-8s %9s %7s %9s %9s %9s\n", "system", "progress", "rows", "pages",
                "seconds", "pages/s", "peak MB");
    std::fflush(stdout);
    for (const std::string& s : systems) {
        const std::string name = s + ".txt";
        {
            std::ofstream out(folder / name, std::ios::binary);
            std::vector<int> chosen;
            GeneraCombinazioni(s == "terni" ? 3 : s == "ambi" ? 2 : 4, 1, chosen, out);
        }
        // Each mode twice, in both orders, so that a warm-up or a busy moment favours neither.
        double best[2] = {1e18, 1e18};
        double peak[2] = {0, 0};
        int rows = 0;
        int pages = 0;
        for (const bool progress : {false, true, true, false}) {
            int pipeFd[2];
            if (pipe(pipeFd) != 0) return 1;
            const pid_t child = fork();
            if (child == 0) {
                dup2(pipeFd[1], STDOUT_FILENO);
                close(pipeFd[0]);
                const int result = Caso(folder, name.c_str(), progress);
                std::fflush(stdout);
                _exit(result);
            }
            close(pipeFd[1]);
            char line[128] = {};
            const ssize_t got = read(pipeFd[0], line, sizeof line - 1);
            close(pipeFd[0]);
            int status = 0;
            rusage usage{};
            wait4(child, &status, 0, &usage);
            double seconds = 0;
            if (got <= 0 || status != 0 ||
                std::sscanf(line, "%d %d %lf", &rows, &pages, &seconds) != 3) {
                std::fprintf(stderr, "%s: failed\n", name.c_str());
                return 1;
            }
            best[progress] = std::min(best[progress], seconds);
            peak[progress] =
                std::max(peak[progress], static_cast<double>(usage.ru_maxrss) / 1024.0);
        }
        for (const int progress : {0, 1}) {
            std::printf("%-10s %-8s %9d %7d %9.2f %9.1f %9.1f\n", s.c_str(),
                        progress ? "yes" : "no", rows, pages, best[progress],
                        pages / best[progress], peak[progress]);
        }
        std::printf("%-10s progress costs %+.1f %% of the time\n", s.c_str(),
                    100.0 * (best[1] - best[0]) / best[0]);
        std::fflush(stdout);
        std::filesystem::remove(folder / name);
        std::filesystem::remove(folder / "out.pdf");
    }
    std::filesystem::remove(folder);
    return 0;
}
