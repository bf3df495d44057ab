#pragma once
#include "base/prompter.h"

#include <deque>

namespace varemo::test {

// Gives the queued answers in order (then the default) and records every message.
class ScriptedPrompter : public Prompter {
  public:
    explicit ScriptedPrompter(PromptAnswer fallback = PromptAnswer::No) : fallback_(fallback) {}
    void queue(PromptAnswer answer) { answers_.push_back(answer); }
    PromptAnswer ask(const PromptMessage& message) override;
    const std::vector<PromptMessage>& messages() const { return messages_; }

  private:
    PromptAnswer fallback_;
    std::deque<PromptAnswer> answers_;
    std::vector<PromptMessage> messages_;
};

} // namespace varemo::test
