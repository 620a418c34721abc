#pragma once

// The reader's own rewriting of one field, given to the checks that compare it with the
// reference model; defined beside the reader.

#include <string>
#include <string_view>

namespace elencario {

// Turns one field into the row text that is stored and printed.
[[nodiscard]] std::string NormalizzaCampo(std::string_view campo);

}  // namespace elencario
