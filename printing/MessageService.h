#pragma once

#include <optional>
#include <string>
#include <utility>

namespace elencario {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Error, Warning };
enum class DefaultButton { First, Second };
enum class Answer { Ok, Yes, No };

// One modal message box: the text is shown exactly as given, spaces included. A box without a
// title of its own shows the program's title.
struct MessageRequest {
    std::string text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    DefaultButton defaultButton = DefaultButton::First;
    std::optional<std::string> title;

    bool operator==(const MessageRequest&) const = default;
};

// The OK box with the error icon and no title that reports every failure.
[[nodiscard]] inline MessageRequest ErrorBox(std::string text) {
    return {std::move(text), Buttons::Ok, Icon::Error, DefaultButton::First, std::nullopt};
}

// Shows message boxes and waits for the answer. The window shows real ones; tests script them.
class MessageService {
  public:
    virtual ~MessageService() = default;
    virtual Answer Ask(const MessageRequest& request) = 0;
};

}  // namespace elencario
