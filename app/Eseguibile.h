#pragma once

#include <string>

namespace elencario {

// The folder of the running program in the core's path text: the name's own bytes on POSIX
// (whatever they are), UTF-8 of its wide name on Windows. Empty when the system does not say,
// and the start-up then refuses for want of the systems folder.
[[nodiscard]] std::string CartellaEseguibile();

}  // namespace elencario
