#pragma once

#include <memory>

#include "printing/DispositivoPagine.h"
#include "printing/SceltaStampante.h"

namespace elencario {

// The printer `scelta` names (the system's default one when it names none) as this platform
// reaches it: a job for the print server where printing goes through CUPS, Qt's own printer
// elsewhere. The job asks for the copies `scelta` gives.
[[nodiscard]] std::unique_ptr<DispositivoPagine> StampantePredefinita(
    const SceltaStampante& scelta = {});

}  // namespace elencario
