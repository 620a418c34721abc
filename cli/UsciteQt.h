#pragma once

#include <memory>

#include "cli/Elencario.h"

class QGuiApplication;

namespace elencario {

// The command's PDF file and printer outputs. Qt starts only when one of them is asked
// for, and renders without a display when none is set; it lives as long as this object. Their
// jobs show progress on standard error when it is a terminal, and Ctrl+C or SIGTERM withdraws
// them.
class UsciteQt final : public FornitoreUscite {
  public:
    UsciteQt();
    ~UsciteQt() override;

    UsciteQt(const UsciteQt&) = delete;
    UsciteQt& operator=(const UsciteQt&) = delete;

    [[nodiscard]] UsciteStampa Uscite() override;

  private:
    void AvviaQt();

    // Qt sees none of the command's arguments, so none of them can be taken for a Qt option.
    int argc_ = 1;
    char nomeProgramma_[10] = "elencario";
    char* argv_[2] = {nomeProgramma_, nullptr};
    std::unique_ptr<QGuiApplication> applicazione_;
};

}  // namespace elencario
