#include "tests/app/FinestraDiProva.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>

#include "systems/Routines.h"

namespace elencario::test {

namespace {

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

}  // namespace

FinestraDiProva::FinestraDiProva(const std::string& cartella)
    : programma_(temp.path() / PercorsoDaTesto(cartella)) {
    std::filesystem::create_directories(Sistemi());
}

std::filesystem::path FinestraDiProva::Sistemi() const {
    return programma_ / "Shared" / "Sistemi";
}

void FinestraDiProva::Scrivi(const std::string& nome, std::string_view testo) const {
    const std::filesystem::path file = Sistemi() / PercorsoDaTesto(nome);
    std::filesystem::create_directories(file.parent_path());
    temp.Write(TestoDaPercorso(std::filesystem::relative(file, temp.path())), testo);
}

bool FinestraDiProva::Apri() {
    finestra_ = FrmAmain::Apri(TestoDaPercorso(programma_), messaggi,
                               [this] { return std::make_unique<Inoltro>(stampante); });
    return finestra_ != nullptr;
}

void FinestraDiProva::Mostra() const {
    finestra_->show();
    QApplication::setActiveWindow(finestra_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(finestra_.get()));
}

void FinestraDiProva::Clicca(const QString& nome, Qt::MouseButton tasto,
                             Qt::KeyboardModifiers modificatori, const char* lista) const {
    auto* elenco = Controllo<QListWidget>(lista);
    const auto trovati = elenco->findItems(nome, Qt::MatchExactly);
    ASSERT_EQ(trovati.size(), 1) << nome.toStdString();
    const QPoint dove = elenco->visualItemRect(trovati.front()).center();
    QTest::mouseClick(elenco->viewport(), tasto, modificatori, dove);
}

QStringList FinestraDiProva::Voci(const char* lista, bool soloEvidenziate) const {
    const auto* elenco = Controllo<QListWidget>(lista);
    QStringList testi;
    for (int i = 0; i < elenco->count(); ++i) {
        if (!soloEvidenziate || elenco->item(i)->isSelected()) testi << elenco->item(i)->text();
    }
    return testi;
}

}  // namespace elencario::test
