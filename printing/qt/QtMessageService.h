#pragma once

#include <memory>

#include "printing/MessageService.h"

class QMessageBox;
class QWidget;

namespace elencario {

// Message boxes as modal QMessageBoxes. The text is shown as plain text, exactly as given;
// a box without a title of its own shows the program's title.
class QtMessageService final : public MessageService {
  public:
    Answer Ask(const MessageRequest& request) override;

    // The box Ask shows, before it is run.
    [[nodiscard]] static std::unique_ptr<QMessageBox> CreaBox(const MessageRequest& request,
                                                              QWidget* parent);
    // The answer that the button the box was closed with stands for.
    [[nodiscard]] static Answer RispostaDi(const QMessageBox& box);
};

}  // namespace elencario
