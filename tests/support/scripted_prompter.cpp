#include "support/scripted_prompter.h"

namespace varemo::test {

PromptAnswer ScriptedPrompter::ask(const PromptMessage& message) {
    messages_.push_back(message);
    if (message.buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (answers_.empty()) return fallback_;
    auto answer = answers_.front();
    answers_.pop_front();
    return answer;
}

} // namespace varemo::test
