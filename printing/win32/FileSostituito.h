#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "printing/DispositivoPagine.h"

namespace elencario {

// A job whose device writes a file (Microsoft Print to PDF) made safe for the file it replaces:
// the device writes a new file beside the target, which takes the target's place only once the
// job has ended well and the file it wrote is not empty; a job that fails, is withdrawn or
// abandoned leaves the target as it was and no new file behind.
class FileSostituito final : public DispositivoPagine {
  public:
    // Makes the device that writes the file named.
    using Fabbrica = std::function<std::unique_ptr<DispositivoPagine>(const std::wstring& file)>;

    // The message for a target that could not be replaced, and why.
    using Messaggio = std::function<std::string(std::string_view motivo)>;

    FileSostituito(std::filesystem::path destinazione, Messaggio messaggio, Fabbrica fabbrica);
    ~FileSostituito() override;

    FileSostituito(const FileSostituito&) = delete;
    FileSostituito& operator=(const FileSostituito&) = delete;

    [[nodiscard]] StatoStampa Prepara(const std::function<bool()>& continua) override;
    void Carattere(const std::string& nome, float punti) override;
    [[nodiscard]] MisurePagina Misure() override;
    [[nodiscard]] double Larghezza(std::string_view testo) override;
    [[nodiscard]] StatoStampa Inizia() override;
    [[nodiscard]] StatoStampa Disegna(double alto, std::string_view testo) override;
    [[nodiscard]] StatoStampa NuovaPagina() override;
    [[nodiscard]] StatoStampa Termina(const std::function<bool()>& continua) override;
    void Abbandona() noexcept override;
    [[nodiscard]] std::string Errore() const override;

  private:
    // Removes the new file, once the device has let it go.
    void Scarta() noexcept;
    [[nodiscard]] StatoStampa Fallisce(unsigned long codice);

    std::filesystem::path destinazione_;
    Messaggio messaggio_;
    Fabbrica fabbrica_;
    std::unique_ptr<DispositivoPagine> dispositivo_;
    std::filesystem::path provvisorio_;  // the new file, while it exists
    std::string motivo_;                 // why the target could not be replaced
};

}  // namespace elencario
