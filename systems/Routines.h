#pragma once

// The two stateless routines on path texts: the system's display name and the folder test. The
// callers pass the shared state they work on.

#include <string>

namespace elencario {

// The system's display name: the last component of `percorso` (split at the platform's
// separator only), upper-cased. "…/città.txt" gives "CITTÀ.TXT".
[[nodiscard]] std::string NomeSistema(const std::string& percorso);

// True when `percorso` names an existing folder (a trailing separator is fine); false for
// anything else and on any failure.
[[nodiscard]] bool EsisteCartella(const std::string& percorso);

}  // namespace elencario
