#pragma once

#include <QStringList>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/FrmAmain.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"

namespace elencario::test {

// A program folder (`cartella` inside a temporary folder) with Shared/Sistemi below it, and the
// window started on it with scripted message boxes and a printer that records every job.
class FinestraDiProva {
  public:
    explicit FinestraDiProva(const std::string& cartella = "programma");

    // Writes a system file into the systems folder (`nome` may name a subfolder, made here).
    void Scrivi(const std::string& nome, std::string_view testo) const;
    // Starts the window (not shown); false when it refused to start.
    bool Apri();
    // Shows the started window, active, as the user finds it.
    void Mostra() const;

    [[nodiscard]] FrmAmain& Finestra() const { return *finestra_; }
    [[nodiscard]] const std::filesystem::path& Programma() const { return programma_; }
    [[nodiscard]] std::filesystem::path Sistemi() const;
    template <class W>
    [[nodiscard]] W* Controllo(const char* nome) const {
        return finestra_->findChild<W*>(QString::fromLatin1(nome));
    }
    // Clicks the name `nome` in File1 (or the entry in Dir1 when `lista` says so).
    void Clicca(const QString& nome, Qt::MouseButton tasto = Qt::LeftButton,
                Qt::KeyboardModifiers modificatori = {}, const char* lista = "File1") const;
    // The texts of a list's entries, or of its highlighted ones.
    [[nodiscard]] QStringList Voci(const char* lista, bool soloEvidenziate = false) const;

    TempFolder temp;
    ScriptedMessages messaggi;
    RecordingPrinter stampante;

  private:
    std::filesystem::path programma_;
    std::unique_ptr<FrmAmain> finestra_;
};

}  // namespace elencario::test
