#pragma once

#include <memory>

#include "cli/Elencario.h"

namespace elencario {

// The PDF file and printer outputs of this build: each platform's in a file of its own, the one
// the build links. Nothing when the build has none (plain text only).
[[nodiscard]] std::unique_ptr<FornitoreUscite> FornitorePiattaforma();

}  // namespace elencario
