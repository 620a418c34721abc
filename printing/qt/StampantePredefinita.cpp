#include "printing/qt/StampantePredefinita.h"

#ifdef ELENCARIO_CUPS
#include "printing/qt/LavoroCups.h"
#else
#include "printing/qt/StampanteNativa.h"
#endif

namespace elencario {

std::unique_ptr<DispositivoPagine> StampantePredefinita(const SceltaStampante& scelta) {
#ifdef ELENCARIO_CUPS
    return std::make_unique<LavoroCups>(scelta);
#else
    return std::make_unique<StampanteNativa>(scelta);
#endif
}

}  // namespace elencario
