#pragma once

// The two stateless routines on path texts: the system's display name and the folder test. The
// callers pass the shared state they work on.

#include <string>

namespace elencario {

// The system's display name: the last component of `percorso` (split at the platform's
// separator only), upper-cased and on one line. "…/città.txt" gives "CITTÀ.TXT".
[[nodiscard]] std::string NomeSistema(const std::string& percorso);

// `nome` with each control character (a line end, a tab, …) shown as "?", as the lists show
// names: a name always takes one line. UTF-8 stays intact, no control byte is part of a letter.
[[nodiscard]] std::string SuUnaRiga(std::string nome);

// True when `percorso` names an existing folder (a trailing separator is fine); false for
// anything else and on any failure.
[[nodiscard]] bool EsisteCartella(const std::string& percorso);

}  // namespace elencario
