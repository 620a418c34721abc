#pragma once

#include <QIODevice>
#include <filesystem>
#include <string>
#include <vector>

namespace elencario {

// Where a PDF job's bytes go: a file, written beside itself under a name of its own and put in
// place only once whole, or standard output, written as it comes. The file's path stays in the
// system's own bytes, never turned into text: a name that is not valid UTF-8 is the name written.
// A target that exists and is not a regular file (a device, a pipe, a socket, a folder) is never
// written nor replaced. The first failure is kept, with the system's reason in Italian.
class UscitaPdf final : public QIODevice {
  public:
    // The file `file`; a link is followed, so that the link stays and its target is written.
    explicit UscitaPdf(std::filesystem::path file);
    // The open descriptor `descrittore`, named `nome` in messages.
    UscitaPdf(int descrittore, std::string nome);
    ~UscitaPdf() override;

    UscitaPdf(const UscitaPdf&) = delete;
    UscitaPdf& operator=(const UscitaPdf&) = delete;

    [[nodiscard]] bool Apri();
    // Writes what is left, and puts the file in place.
    [[nodiscard]] bool Conferma();
    // Removes the file under way; the target stays as it was.
    void Annulla() noexcept;
    [[nodiscard]] bool Fallita() const { return !motivo_.empty(); }
    // The failure as the user reads it, naming the file.
    [[nodiscard]] std::string Errore() const;

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* dati, qint64 dimensione) override;

  private:
    bool Svuota();
    bool Fallisce(int codice);
    // Why `percorso` may not be written over; empty when it may.
    [[nodiscard]] std::string NonFile(const std::filesystem::path& percorso) const;

    std::filesystem::path destinazione_;
    std::filesystem::path provvisorio_;
    std::string nome_;
    int descrittore_ = -1;
    bool file_ = false;  // else the descriptor was given, and is never closed here
    bool annullato_ = false;
    std::vector<char> buffer_;
    std::string motivo_;
};

}  // namespace elencario
