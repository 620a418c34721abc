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

QStringList Testi(const QListWidget* lista) {
    QStringList testi;
    for (int i = 0; i < lista->count(); ++i) testi << lista->item(i)->text();
    return testi;
}

}  // namespace

FinestraDiProva::FinestraDiProva() {
    std::filesystem::create_directories(Sistemi());
}

std::filesystem::path FinestraDiProva::Sistemi() const {
    return programma.path() / "Shared" / "Sistemi";
}

void FinestraDiProva::Scrivi(const std::string& nome, std::string_view testo) const {
    programma.Write("Shared/Sistemi/" + nome, testo);
}

bool FinestraDiProva::Apri() {
    finestra_ = FrmAmain::Apri(programma.Text(), messaggi, [this] {
        ++stampantiCreate;
        return std::make_unique<Inoltro>(stampante);
    });
    return finestra_ != nullptr;
}

void FinestraDiProva::Mostra() const {
    finestra_->show();
    QApplication::setActiveWindow(finestra_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(finestra_.get()));
}

void FinestraDiProva::CliccaFile(const QString& nome) const {
    auto* file1 = Controllo<QListWidget>("File1");
    const auto trovati = file1->findItems(nome, Qt::MatchExactly);
    ASSERT_EQ(trovati.size(), 1) << nome.toStdString();
    const QRect dove = file1->visualItemRect(trovati.front());
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, dove.center());
}

QStringList FinestraDiProva::NomiFile1() const {
    return Testi(Controllo<QListWidget>("File1"));
}

QStringList FinestraDiProva::VociDir1() const {
    return Testi(Controllo<QListWidget>("Dir1"));
}

}  // namespace elencario::test
