#include "ui/engine_call.h"

#include "base/error.h"

namespace varemo::ui {

bool callEngine(Prompter& prompter, const std::function<void()>& call) {
    std::string fault;
    try {
        call();
        return true;
    } catch (...) {
        fault = userMessageOfCurrentException();
    }
    // Shown outside the handler: the message box runs an event loop of its own.
    showEngineFault(prompter, fault);
    return false;
}

void showEngineFault(Prompter& prompter, const std::string& message) {
    prompter.ask(PromptMessage{PromptIcon::Critical, "Fehler", {message}, PromptButtons::Ok});
}

} // namespace varemo::ui
