#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "printing/SceltaStampante.h"
#include "printing/StampanteTesto.h"

namespace elencario {

// The PDF file named so is written to standard output.
inline constexpr const char* kUscitaStandard = "-";

// Printers beyond plain text, when the build has them (they need Qt).
struct UsciteStampa {
    std::function<std::unique_ptr<StampanteTesto>(const std::string& filePdf)> pdf;
    std::function<std::unique_ptr<StampanteTesto>(const SceltaStampante&)> stampante;
    // Run before the system is read when one of them is asked for: what they need is in place
    // before the system takes its memory.
    std::function<void()> prepara;
};

// What offers the printers beyond plain text: Qt's, linked in or loaded when first asked for.
class FornitoreUscite {
  public:
    virtual ~FornitoreUscite() = default;
    // The factories refer to this object: it must outlive the printers they make.
    [[nodiscard]] virtual UsciteStampa Uscite() = 0;
};

// Exit statuses of the command.
inline constexpr int kEsitoOk = 0;
inline constexpr int kEsitoFallito = 1;       // the system could not be loaded or printed
inline constexpr int kEsitoUso = 2;           // bad usage or a refused option
inline constexpr int kEsitoInterrotto = 130;  // Ctrl+C or SIGTERM withdrew the job

// The `elencario` command: loads a system and writes its listing, or its check against draws, to
// `uscita` (or to a PDF file or a printer when `uscite` offers them). Messages go to `errori`.
int EseguiElencario(const std::vector<std::string>& argomenti, std::FILE* uscita, std::FILE* errori,
                    const UsciteStampa& uscite = {});

}  // namespace elencario
