#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/FrmAmain.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"

namespace elencario::test {

// A program folder of its own with Shared/Sistemi below it, and the window started on it with
// scripted message boxes and a recording printer that outlives each print job.
class FinestraDiProva {
  public:
    FinestraDiProva();

    // Writes a system file into the systems folder (or a subfolder of it).
    void Scrivi(const std::string& nome, std::string_view testo) const;
    // Starts the window (not shown); false when it refused to start.
    bool Apri();
    // Shows the started window, active, as the user finds it.
    void Mostra() const;

    [[nodiscard]] FrmAmain& Finestra() const { return *finestra_; }
    [[nodiscard]] std::filesystem::path Sistemi() const;

    template <class W>
    [[nodiscard]] W* Controllo(const char* nome) const {
        return finestra_->findChild<W*>(QString::fromLatin1(nome));
    }
    // Clicks the name `nome` in File1 with the mouse.
    void CliccaFile(const QString& nome) const;
    [[nodiscard]] QStringList NomiFile1() const;
    [[nodiscard]] QStringList VociDir1() const;

    TempFolder programma;
    ScriptedMessages messaggi;
    RecordingPrinter stampante;
    int stampantiCreate = 0;

  private:
    std::unique_ptr<FrmAmain> finestra_;
};

}  // namespace elencario::test
