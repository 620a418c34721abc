#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <fstream>
#include <memory>

#include "app/FrmAmain.h"
#include "systems/Routines.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"

namespace elencario::test {

// The window started on a program folder whose name is not UTF-8 (byte 0xE0), with scripted
// message boxes and a printer that records every job.
class FinestraDiProva {
  public:
    FinestraDiProva() { std::filesystem::create_directories(sistemi); }
    void Scrivi(const std::string& nome, std::string_view testo) const {
        const std::filesystem::path file = sistemi / nome;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << testo;
    }
    // False when the window refused to start or was not shown active.
    bool Apri(bool mostra = false) {
        finestra_ = FrmAmain::Apri(
            TestoDaPercorso(sistemi.parent_path().parent_path()), messaggi,
            [this] { return std::make_unique<RecordingPrinter>(Guasto{}, &stampante); });
        if (!finestra_ || !mostra) return finestra_ != nullptr;
        finestra_->show();
        QApplication::setActiveWindow(finestra_.get());
        return QTest::qWaitForWindowActive(finestra_.get());
    }
    [[nodiscard]] FrmAmain& Finestra() const { return *finestra_; }
    template <class W = QListWidget>
    [[nodiscard]] W* Controllo(const char* nome) const {
        return finestra_->findChild<W*>(QString::fromLatin1(nome));
    }
    // Clicks File1's entry for the file `nome` (its bytes as Qt decodes them).
    void Clicca(const char* nome, Qt::MouseButton tasto = Qt::LeftButton,
                Qt::KeyboardModifiers modificatori = {}) const {
        auto* file1 = Controllo("File1");
        const auto trovati = file1->findItems(QString::fromUtf8(nome), Qt::MatchExactly);
        ASSERT_EQ(trovati.size(), 1) << nome;
        QTest::mouseClick(file1->viewport(), tasto, modificatori,
                          file1->visualItemRect(trovati.front()).center());
    }
    // The texts of a list's entries, or of its highlighted ones.
    [[nodiscard]] QStringList Voci(const char* lista, bool soloEvidenziate = false) const {
        QStringList testi;
        for (int i = 0; const QListWidgetItem* v = Controllo(lista)->item(i); ++i)
            if (!soloEvidenziate || v->isSelected()) testi << v->text();
        return testi;
    }

    TempFolder temp;
    const std::filesystem::path sistemi = temp.path() / "cart\xE0" / "Shared" / "Sistemi";
    ScriptedMessages messaggi;
    RecordingPrinter stampante;

  private:
    std::unique_ptr<FrmAmain> finestra_;
};

}  // namespace elencario::test
