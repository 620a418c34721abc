#pragma once

#include <windows.h>

#include <chrono>

#include "printing/Avanzamento.h"

namespace elencario {

// The window's progress, as in the Qt window: once a job has lasted `attesa`, a "Stampa in
// corso…" window over the active one with "Pagina N di M", a bar and "Annulla", which stops the
// job at its next step. While the job runs the messages are delivered between its steps, so the
// windows keep repainting; keys and clicks meant for any other window are dropped, so nothing
// typed during a job can start another one.
class FinestraAvanzamentoWin32 final : public Avanzamento {
  public:
    explicit FinestraAvanzamentoWin32(
        std::chrono::milliseconds attesa = std::chrono::milliseconds(500));
    ~FinestraAvanzamentoWin32() override;

    FinestraAvanzamentoWin32(const FinestraAvanzamentoWin32&) = delete;
    FinestraAvanzamentoWin32& operator=(const FinestraAvanzamentoWin32&) = delete;

    void Inizio() override;
    [[nodiscard]] bool Continua() override;
    void Pagina(int pagina, int pagine) override;
    void Fine() override;

    // The progress window while it is shown, else nullptr.
    [[nodiscard]] HWND Handle() const { return hwnd_; }

  private:
    using Orologio = std::chrono::steady_clock;

    static LRESULT CALLBACK Procedura(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Mostra();
    void Aggiorna();
    void Consegna();

    std::chrono::milliseconds attesa_;
    Orologio::time_point inizio_{};
    Orologio::time_point ultimiMessaggi_{};
    bool inCorso_ = false;
    HWND hwnd_ = nullptr;
    HWND proprietario_ = nullptr;  // disabled while the progress is shown
    HWND etichetta_ = nullptr;
    HWND barra_ = nullptr;
    HFONT carattere_ = nullptr;
    int pagina_ = 0;
    int pagine_ = 0;
    bool annullato_ = false;
};

}  // namespace elencario
