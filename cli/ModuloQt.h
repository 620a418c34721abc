#pragma once

#include <memory>
#include <string>

#include "cli/Elencario.h"

namespace elencario {

// The PDF and printer outputs, loaded from the printing module the first time one is asked for:
// plain text output never pays for loading Qt. When the module cannot be loaded, the printer it
// gives fails with a message that says why.
class ModuloQt final : public FornitoreUscite {
  public:
    [[nodiscard]] UsciteStampa Uscite() override;

  private:
    bool Carica();
    // The printer that says why the module could not be loaded.
    [[nodiscard]] std::unique_ptr<StampanteTesto> Assente() const;

    std::unique_ptr<FornitoreUscite> fornitore_;
    UsciteStampa uscite_;
    std::string errore_;
};

}  // namespace elencario
