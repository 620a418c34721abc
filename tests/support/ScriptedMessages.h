#pragma once

#include <deque>
#include <vector>

#include "printing/MessageService.h"

namespace elencario::test {

// Message boxes answered from a script, else by their default button; every request is kept.
struct ScriptedMessages final : MessageService {
    Answer Ask(const MessageRequest& request) override {
        asked.push_back(request);
        if (answers.empty()) {
            if (request.buttons == Buttons::Ok) return Answer::Ok;
            return request.defaultButton == DefaultButton::First ? Answer::Yes : Answer::No;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::deque<Answer> answers;
    std::vector<MessageRequest> asked;
};

}  // namespace elencario::test
