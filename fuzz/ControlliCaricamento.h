#pragma once

#include <string>
#include <string_view>

namespace elencario {

// Loads `byte` as a system file over a system loaded before, the way the window does, and
// checks every rule that must hold after a load whatever the bytes are. The same bytes are
// also loaded one byte per read and with a small memory limit: the outcome may not depend on
// either, except that the limit may stop the load with error 7. Returns the first rule
// broken, or an empty text.
[[nodiscard]] std::string ControllaCaricamento(std::string_view byte);

}  // namespace elencario
