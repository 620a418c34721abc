#pragma once

#include <filesystem>
#include <string>

namespace elencario {

// The system's reason for a failed file operation (an errno value), in Italian: the C library's
// own texts are in English wherever its Italian catalogue is not installed.
[[nodiscard]] std::string MotivoErrore(int codice);

// Why a file of kind `tipo` is not written over, in the same words; empty for a regular file or
// none.
[[nodiscard]] std::string MotivoNonFile(std::filesystem::file_type tipo);

}  // namespace elencario
