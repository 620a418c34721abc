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
using Orologio = std::chrono::steady_clock;

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
int Caso(const std::filesystem::path& cartella, const char* nome, bool avanzamento) {
    int argc = 1;
    char programma[] = "bench_pdf";
    char* argv[] = {programma, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ZittisciAvvisiQt();
    QApplication applicazione(argc, argv);
    PreparaQt(applicazione);
    VARIABILI v;
    if (CaricaSistema(v, TestoDaPercorso(cartella), nome) != 0) return 1;
    int pagine = 0;
    std::unique_ptr<Avanzamento> finestra;
    if (avanzamento) finestra = std::make_unique<FinestraAvanzamento>();
    auto contatore = std::make_unique<Contatore>(std::move(finestra), pagine);
    const auto stampante = std::make_unique<Impaginatore>(
        std::make_unique<FilePdf>(std::make_unique<UscitaPdf>(cartella / "out.pdf")),
        std::move(contatore));
    const OpzioniConvertite opzioni{std::string(kSegoeUi), 9, 4, 12, true, true};
    const auto t0 = Orologio::now();
    if (stampante->Prepara() != StatoStampa::Ok) return 1;
    if (ComponiElencario(v, opzioni, *stampante) != StatoStampa::Ok) return 1;
    const double seconds = std::chrono::duration<double>(Orologio::now() - t0).count();
    std::printf("%d %d %.2f\n", v.TotCombinazioni, pagine, seconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> systems(argv + 1, argv + argc);
    if (systems.empty()) systems = {"terni", "quaterne"};
    const auto cartella = std::filesystem::temp_directory_path() / "elencario-bench-pdf";
    std::filesystem::create_directories(cartella);
    std::printf("%-10s %-8s %9s %7s %9s %9s %9s\n", "system", "progress", "rows", "pages",
                "seconds", "pages/s", "peak MB");
    std::fflush(stdout);
    for (const std::string& s : systems) {
        const std::string nome = s + ".txt";
        {
            std::ofstream uscita(cartella / nome, std::ios::binary);
            std::vector<int> scelti;
            GeneraCombinazioni(s == "terni" ? 3 : s == "ambi" ? 2 : 4, 1, scelti, uscita);
        }
        // Each mode twice, in both orders, so that a warm-up or a busy moment favours neither.
        double migliore[2] = {1e18, 1e18};
        double picco[2] = {0, 0};
        int righe = 0;
        int pagine = 0;
        for (const bool avanzamento : {false, true, true, false}) {
            int tubo[2];
            if (pipe(tubo) != 0) return 1;
            const pid_t figlio = fork();
            if (figlio == 0) {
                dup2(tubo[1], STDOUT_FILENO);
                close(tubo[0]);
                const int risultato = Caso(cartella, nome.c_str(), avanzamento);
                std::fflush(stdout);
                _exit(risultato);
            }
            close(tubo[1]);
            char riga[128] = {};
            const ssize_t ricevuti = read(tubo[0], riga, sizeof riga - 1);
            close(tubo[0]);
            int stato = 0;
            rusage uso{};
            wait4(figlio, &stato, 0, &uso);
            double seconds = 0;
            if (ricevuti <= 0 || stato != 0 ||
                std::sscanf(riga, "%d %d %lf", &righe, &pagine, &seconds) != 3) {
                std::fprintf(stderr, "%s: failed\n", nome.c_str());
                return 1;
            }
            migliore[avanzamento] = std::min(migliore[avanzamento], seconds);
            picco[avanzamento] =
                std::max(picco[avanzamento], static_cast<double>(uso.ru_maxrss) / 1024.0);
        }
        for (const int avanzamento : {0, 1}) {
            std::printf("%-10s %-8s %9d %7d %9.2f %9.1f %9.1f\n", s.c_str(),
                        avanzamento ? "yes" : "no", righe, pagine, migliore[avanzamento],
                        pagine / migliore[avanzamento], picco[avanzamento]);
        }
        std::printf("%-10s progress costs %+.1f %% of the time\n", s.c_str(),
                    100.0 * (migliore[1] - migliore[0]) / migliore[0]);
        std::fflush(stdout);
        std::filesystem::remove(cartella / nome);
        std::filesystem::remove(cartella / "out.pdf");
    }
    std::filesystem::remove(cartella);
    return 0;
}
