#include "base/prompter.h"

namespace varemo {

std::string PromptMessage::text() const {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += '\n';
        out += lines[i];
    }
    return out;
}

void Prompter::tell(std::string title, std::vector<std::string> lines, PromptIcon icon) {
    ask(PromptMessage{icon, std::move(title), std::move(lines), PromptButtons::Ok});
}

PromptAnswer RecordingPrompter::ask(const PromptMessage& message) {
    messages_.push_back(message);
    switch (message.buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::OkCancel:
        return answerYes_ ? PromptAnswer::Ok : PromptAnswer::Cancel;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
        return answerYes_ ? PromptAnswer::Yes : PromptAnswer::No;
    }
    return PromptAnswer::Cancel;
}

} // namespace varemo
