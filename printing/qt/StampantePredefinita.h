#pragma once

#include <memory>

#include "printing/DispositivoPagine.h"

namespace elencario {

// The system's default printer as this platform reaches it: a job for the print server where
// printing goes through CUPS, Qt's own printer elsewhere.
[[nodiscard]] std::unique_ptr<DispositivoPagine> StampantePredefinita();

}  // namespace elencario
