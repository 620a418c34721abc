#include "printing/qt/StampantePredefinita.h"

#ifdef ELENCARIO_CUPS
#include "printing/qt/LavoroCups.h"
#else
#include "printing/qt/StampanteNativa.h"
#endif

namespace elencario {

std::unique_ptr<DispositivoPagine> StampantePredefinita() {
#ifdef ELENCARIO_CUPS
    return std::make_unique<LavoroCups>();
#else
    return std::make_unique<StampanteNativa>();
#endif
}

}  // namespace elencario
