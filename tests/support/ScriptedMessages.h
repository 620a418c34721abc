#pragma once

#include <deque>
#include <vector>

#include "printing/MessageService.h"

namespace elencario::test {

// Message boxes answered from a script; every request is kept. A question with no scripted
// answer left is answered with the box's default button.
class ScriptedMessages final : public MessageService {
  public:
    Answer Ask(const MessageRequest& request) override {
        asked.push_back(request);
        if (!answers.empty()) {
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        if (request.buttons == Buttons::Ok) return Answer::Ok;
        return request.defaultButton == DefaultButton::First ? Answer::Yes : Answer::No;
    }

    std::deque<Answer> answers;
    std::vector<MessageRequest> asked;
};

}  // namespace elencario::test
