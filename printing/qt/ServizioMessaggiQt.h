#pragma once

#include <memory>

#include "printing/ServizioMessaggi.h"

class QMessageBox;
class QWidget;

namespace elencario {

// Message boxes as modal QMessageBoxes. The text is shown as plain text, exactly as given;
// a box without a title of its own shows the program's title.
class ServizioMessaggiQt final : public ServizioMessaggi {
  public:
    Risposta Chiedi(const RichiestaMessaggio& richiesta) override;

    // The box Ask shows, before it is run.
    [[nodiscard]] static std::unique_ptr<QMessageBox> CreaBox(const RichiestaMessaggio& richiesta,
                                                              QWidget* genitore);
    // The answer that the button the box was closed with stands for.
    [[nodiscard]] static Risposta RispostaDi(const QMessageBox& scatola);
};

}  // namespace elencario
