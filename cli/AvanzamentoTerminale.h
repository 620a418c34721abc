#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>

#include "cli/Terminale.h"
#include "printing/Avanzamento.h"
#include "systems/Testi.h"

namespace elencario {

// The command's progress on one line of standard error, redrawn in place when that is a
// terminal, once the job has lasted half a second. `fermato` tells when the user asked to stop;
// `stampaInCorso` opens the line.
class AvanzamentoTerminale final : public Avanzamento {
  public:
    AvanzamentoTerminale(std::FILE* errori, std::function<bool()> fermato,
                         std::string stampaInCorso)
        : errori_(Terminale(errori) ? errori : nullptr),
          fermato_(std::move(fermato)),
          stampaInCorso_(std::move(stampaInCorso)) {}

    void Inizio() override { inizio_ = std::chrono::steady_clock::now(); }
    bool Continua() override { return !fermato_(); }
    void Pagina(int pagina, int pagine) override {
        using namespace std::chrono_literals;
        if (errori_ == nullptr || std::chrono::steady_clock::now() - inizio_ < 500ms) return;
        std::fprintf(errori_, "\r%s %s ", stampaInCorso_.c_str(),
                     testi::PaginaDi(pagina, pagine).c_str());
        std::fflush(errori_);
        scritto_ = true;
    }
    void Fine() override {
        if (scritto_) std::fputc('\n', errori_);
        scritto_ = false;
    }

  private:
    std::FILE* errori_;
    std::function<bool()> fermato_;
    std::string stampaInCorso_;
    std::chrono::steady_clock::time_point inizio_{};
    bool scritto_ = false;
};

}  // namespace elencario
