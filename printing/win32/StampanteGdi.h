#pragma once

#include <windows.h>

#include <string>

#include "printing/DispositivoPagine.h"

namespace elencario {

// The pages on a Windows printer through GDI: the default printer, or one named, in the font
// given at its size in points on the printer's own resolution, each line drawn from the left
// edge of the printable area. A printer whose driver writes files (Microsoft Print to PDF) is
// given the file that the document goes to.
class StampanteGdi final : public DispositivoPagine {
  public:
    // `stampante` empty: the default printer. `fileUscita` empty: the printer's own output.
    explicit StampanteGdi(std::wstring stampante = {}, std::wstring fileUscita = {});
    ~StampanteGdi() override;

    StampanteGdi(const StampanteGdi&) = delete;
    StampanteGdi& operator=(const StampanteGdi&) = delete;

    [[nodiscard]] StatoStampa Prepara(const std::function<bool()>& continua) override;
    void Carattere(const std::string& nome, float punti) override;
    [[nodiscard]] MisurePagina Misure() override;
    [[nodiscard]] double Larghezza(std::string_view testo) override;
    [[nodiscard]] StatoStampa Inizia() override;
    [[nodiscard]] StatoStampa Disegna(double alto, std::string_view testo) override;
    [[nodiscard]] StatoStampa NuovaPagina() override;
    [[nodiscard]] StatoStampa Termina(const std::function<bool()>& continua) override;
    void Abbandona() noexcept override;
    [[nodiscard]] std::string Errore() const override { return errore_; }

  private:
    void LasciaCarattere() noexcept;
    // Waits until the spooler has written the output file.
    [[nodiscard]] StatoStampa AttendiFile(const std::function<bool()>& continua);

    std::wstring stampante_;
    std::wstring fileUscita_;
    std::string errore_;
    HDC dc_ = nullptr;
    int lavoro_ = 0;  // the spooler's number for the job
    HFONT carattere_ = nullptr;
    HGDIOBJ precedente_ = nullptr;  // the DC's font before ours
    float punti_ = 0;
    bool documento_ = false;  // StartDoc done, EndDoc not yet
    bool pagina_ = false;     // StartPage done, EndPage not yet
    bool guasto_ = false;     // the font could not be made or measured
};

// The name of the default printer; empty when there is none.
[[nodiscard]] std::wstring StampantePredefinitaGdi();

}  // namespace elencario
