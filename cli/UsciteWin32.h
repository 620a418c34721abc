#pragma once

#include "cli/Elencario.h"

namespace elencario {

// The command's outputs on Windows, through GDI: the default printer, and PDF files through the
// system's "Microsoft Print to PDF" printer, which writes the document into a new file that
// replaces the one named when the job is done. Ctrl+C or a console close withdraws the job under
// way; its progress goes to standard error when that is a terminal.
class UsciteWin32 final : public FornitoreUscite {
  public:
    [[nodiscard]] UsciteStampa Uscite() override;
};

// The printer that writes PDF files.
inline constexpr const wchar_t* kStampantePdf = L"Microsoft Print to PDF";

}  // namespace elencario
