#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <memory>

#include "app/FrmAmain.h"
#include "systems/Routines.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"

namespace elencario::test {

// A program folder (`cartella`, in a temporary folder) with Shared/Sistemi below it, and the
// window started on it with scripted message boxes and a printer that records every job.
class FinestraDiProva {
  public:
    explicit FinestraDiProva(const std::string& cartella = "programma")
        : sistemi_(temp.path() / PercorsoDaTesto(cartella) / "Shared" / "Sistemi") {
        std::filesystem::create_directories(sistemi_);
    }

    // Writes a system file into the systems folder (`nome` may name a subfolder, made here).
    void Scrivi(const std::string& nome, std::string_view testo) const {
        const std::filesystem::path file = sistemi_ / PercorsoDaTesto(nome);
        std::filesystem::create_directories(file.parent_path());
        temp.Write(TestoDaPercorso(std::filesystem::relative(file, temp.path())), testo);
    }
    // Starts the window, not shown; false when it refused to start.
    bool Apri() {
        finestra_ = FrmAmain::Apri(TestoDaPercorso(sistemi_.parent_path().parent_path()), messaggi,
                                   [this] { return std::make_unique<Inoltro>(stampante); });
        return finestra_ != nullptr;
    }
    // Shows the started window, active, as the user finds it.
    void Mostra() const {
        finestra_->show();
        QApplication::setActiveWindow(finestra_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(finestra_.get()));
    }

    [[nodiscard]] FrmAmain& Finestra() const { return *finestra_; }
    [[nodiscard]] const std::filesystem::path& Sistemi() const { return sistemi_; }
    template <class W = QListWidget>
    [[nodiscard]] W* Controllo(const char* nome) const {
        return finestra_->findChild<W*>(QString::fromLatin1(nome));
    }
    // Clicks the name `nome` in File1.
    void Clicca(const QString& nome, Qt::MouseButton tasto = Qt::LeftButton,
                Qt::KeyboardModifiers modificatori = {}) const {
        auto* file1 = Controllo("File1");
        const auto trovati = file1->findItems(nome, Qt::MatchExactly);
        ASSERT_EQ(trovati.size(), 1) << nome.toStdString();
        QTest::mouseClick(file1->viewport(), tasto, modificatori,
                          file1->visualItemRect(trovati.front()).center());
    }
    // The texts of a list's entries, or of its highlighted ones.
    [[nodiscard]] QStringList Voci(const char* lista, bool soloEvidenziate = false) const {
        const auto* elenco = Controllo(lista);
        QStringList testi;
        for (int i = 0; i < elenco->count(); ++i) {
            if (!soloEvidenziate || elenco->item(i)->isSelected()) testi << elenco->item(i)->text();
        }
        return testi;
    }

    TempFolder temp;
    ScriptedMessages messaggi;
    RecordingPrinter stampante;

  private:
    // Hands every call to the recorder the test keeps, so that the listing survives the job.
    class Inoltro final : public TextPrinter {
      public:
        explicit Inoltro(RecordingPrinter& r) : r_(r) {}
        PrinterStatus Prepare() override { return r_.Prepare(); }
        PrinterStatus SetFontName(const std::string& n) override { return r_.SetFontName(n); }
        PrinterStatus SetFontSize(float p) override { return r_.SetFontSize(p); }
        PrinterStatus PrintAndEndLine(std::string_view t) override { return r_.PrintAndEndLine(t); }
        PrinterStatus PrintAndStay(std::string_view t) override { return r_.PrintAndStay(t); }
        PrinterStatus EndLine() override { return r_.EndLine(); }
        PrinterStatus EndDocument() override { return r_.EndDocument(); }

      private:
        RecordingPrinter& r_;
    };

    std::filesystem::path sistemi_;
    std::unique_ptr<FrmAmain> finestra_;
};

}  // namespace elencario::test
