#include "cli/ModuloQt.h"

#include <dlfcn.h>

namespace elencario {

namespace {

// Found through the command's run path: beside it in the build, in its library folder installed.
constexpr char kModulo[] = "elencario-stampa.so";

// Stands for a printer that could not be had; it says why.
class StampanteAssente final : public TextPrinter {
  public:
    explicit StampanteAssente(std::string motivo) : motivo_(std::move(motivo)) {}
    [[nodiscard]] PrinterStatus Prepare() override { return PrinterStatus::PrintError; }
    PrinterStatus SetFontName(const std::string&) override { return PrinterStatus::PrintError; }
    PrinterStatus SetFontSize(float) override { return PrinterStatus::PrintError; }
    PrinterStatus PrintAndEndLine(std::string_view) override { return PrinterStatus::PrintError; }
    PrinterStatus PrintAndStay(std::string_view) override { return PrinterStatus::PrintError; }
    PrinterStatus EndLine() override { return PrinterStatus::PrintError; }
    PrinterStatus EndDocument() override { return PrinterStatus::PrintError; }
    [[nodiscard]] std::string Errore() const override { return motivo_; }

  private:
    std::string motivo_;
};

}  // namespace

UsciteStampa ModuloQt::Uscite() {
    UsciteStampa uscite;
    uscite.pdf = [this](const std::string& file) -> std::unique_ptr<TextPrinter> {
        if (!Carica()) return std::make_unique<StampanteAssente>(errore_);
        return uscite_.pdf(file);
    };
    uscite.stampante = [this]() -> std::unique_ptr<TextPrinter> {
        if (!Carica()) return std::make_unique<StampanteAssente>(errore_);
        return uscite_.stampante();
    };
    uscite.prepara = [this] { (void)Carica(); };
    return uscite;
}

bool ModuloQt::Carica() {
    if (fornitore_) return true;
    if (!errore_.empty()) return false;
    // Never unloaded: Qt keeps running until the command ends.
    void* modulo = dlopen(kModulo, RTLD_NOW | RTLD_LOCAL);
    using Crea = FornitoreUscite* (*)();
    Crea crea = nullptr;
    if (modulo != nullptr) crea = reinterpret_cast<Crea>(dlsym(modulo, "elencario_uscite_qt"));
    if (crea == nullptr) {
        const char* motivo = dlerror();
        errore_ = "Impossibile caricare il modulo di stampa: ";
        errore_ += motivo != nullptr ? motivo : kModulo;
        return false;
    }
    fornitore_.reset(crea());
    uscite_ = fornitore_->Uscite();
    return true;
}

}  // namespace elencario
