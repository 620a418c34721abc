#include "cli/ModuloQt.h"

#include <dlfcn.h>

#include <filesystem>
#include <new>

#include "cli/TestiComando.h"
#include "printing/StampanteAssente.h"
#include "systems/Testi.h"

namespace elencario {

namespace {

constexpr char kModulo[] = "elencario-stampa.so";

// Where the module is: beside the command in the build, in its library folder once installed.
// Found from the command's own path, which a run path cannot be trusted for: a library that wraps
// dlopen (a sanitizer's, for one) searches its own.
// When it is in neither place, `cercato` says where it was looked for.
std::filesystem::path PercorsoModulo(std::string& cercato) {
    std::error_code errore;
    const std::filesystem::path cartella =
        std::filesystem::read_symlink("/proc/self/exe", errore).parent_path();
    const std::filesystem::path luoghi[] = {
        cartella, (cartella / ".." / ELENCARIO_CARTELLA_MODULO).lexically_normal()};
    for (const std::filesystem::path& p : luoghi) {
        if (!errore && std::filesystem::exists(p / kModulo, errore)) return p / kModulo;
    }
    cercato = testi::ModuloMancante(kModulo, luoghi[0].native(), luoghi[1].native());
    return kModulo;  // left to the system's search
}

}  // namespace

UsciteStampa ModuloQt::Uscite() {
    UsciteStampa uscite;
    uscite.pdf = [this](const std::string& file) -> std::unique_ptr<StampanteTesto> {
        return Carica() ? uscite_.pdf(file) : Assente();
    };
    uscite.stampante = [this](const SceltaStampante& scelta) -> std::unique_ptr<StampanteTesto> {
        return Carica() ? uscite_.stampante(scelta) : Assente();
    };
    uscite.prepara = [this] { (void)Carica(); };
    return uscite;
}

std::unique_ptr<StampanteTesto> ModuloQt::Assente() const {
    return std::make_unique<StampanteAssente>(StatoStampa::Fallita, errore_);
}

bool ModuloQt::Carica() {
    if (fornitore_) return true;
    if (!errore_.empty()) return false;
    // Never unloaded: Qt keeps running until the command ends.
    std::string cercato;
    const std::filesystem::path percorso = PercorsoModulo(cercato);
    void* modulo = dlopen(percorso.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Crea = FornitoreUscite* (*)();
    Crea crea = nullptr;
    if (modulo != nullptr) crea = reinterpret_cast<Crea>(dlsym(modulo, "elencario_uscite_qt"));
    if (crea == nullptr) {
        // The loader's own words are English: the user is told in Italian what is missing.
        errore_ = testi::kModuloNonCaricato;
        if (modulo == nullptr && !cercato.empty()) {
            errore_ += cercato;
        } else {
            errore_ += percorso.native() + testi::kModuloInutilizzabile;
        }
        return false;
    }
    try {
        fornitore_.reset(crea());
        uscite_ = fornitore_->Uscite();
    } catch (const std::bad_alloc&) {
        fornitore_.reset();
        errore_ = testi::kErroreStampa;
        return false;
    }
    return true;
}

}  // namespace elencario
