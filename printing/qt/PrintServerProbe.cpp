#include "printing/qt/PrintServerProbe.h"

#ifdef ELENCARIO_CUPS
#include "printing/qt/CupsJob.h"
#endif

namespace elencario {

bool PrintServerAnswers(std::chrono::milliseconds limite) {
#ifdef ELENCARIO_CUPS
    return FindDefaultDestination(limite).has_value();
#else
    static_cast<void>(limite);
    return true;
#endif
}

}  // namespace elencario
