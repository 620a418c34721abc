#pragma once

// Loading a system file.
//
// A system file is a sequence of fields (LeggiCampo): blanks in front of a field are skipped, a
// field ends at a comma, a line end (CR LF, LF or CR) or the end of the file, and a field that
// opens with a double quote runs to the next double quote, commas and line ends included.
// Every non-empty field is normalised into one row (blanks trimmed, tabs and commas turned into
// spaces, double spaces halved once) and each of its space-separated pieces must be a number
// from 1 to 90. The load is all or nothing: on any failure the shared state keeps the system
// loaded before, and the caller gets the error number to report. A row that fails is decided at
// its first bad piece and is never held whole; a file changed while it was read fails with 57.

#include <cstddef>
#include <string>
#include <string_view>

#include "systems/ArchivioRighe.h"
#include "systems/SorgenteFile.h"
#include "systems/Variabili.h"

namespace elencario {

struct LimitiCaricamento {
    std::size_t byteArchivio = ArchivioRighe::kSenzaLimite;  // memory the rows may take
};

// Loads the file `nomeFile` of the folder `cartella` (UTF-8 texts) into `v`. FileSistema
// becomes cartella + separator + nomeFile. Returns 0, or the error number of the failure that
// stopped the load, in which case `v` is left exactly as it was.
[[nodiscard]] int CaricaSistema(VARIABILI& v, const std::string& cartella,
                                const std::string& nomeFile, SorgenteFile& sorgente,
                                LimitiCaricamento limits = {});
[[nodiscard]] int CaricaSistema(VARIABILI& v, const std::string& cartella,
                                const std::string& nomeFile);

// The message that reports a failed load with error number `errore`.
[[nodiscard]] std::string MessaggioCaricamento(int errore);

}  // namespace elencario
