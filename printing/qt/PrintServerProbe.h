#pragma once

#include <chrono>

namespace elencario {

// Whether the print server answers within `limite` and has a default destination. The printer
// look-up of the platform waits for minutes on a server that accepts the connection and never
// replies; asking first with a time limit keeps the program responsive. Where printing does not go
// through a print server the answer is always yes.
[[nodiscard]] bool PrintServerAnswers(std::chrono::milliseconds limite);

}  // namespace elencario
