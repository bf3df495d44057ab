#pragma once
// The window's entry into the engine. Whatever an engine call throws ends here: the user sees it as
// the German message "Fehler" and the window goes on, since an exception must not unwind through
// Qt's event loop.

#include "base/prompter.h"

#include <functional>
#include <string>

namespace varemo::ui {

// Runs call; false when it threw, after the message has been shown.
bool callEngine(Prompter& prompter, const std::function<void()>& call);

// The message for a failure that reached the window (text from userMessage()).
void showEngineFault(Prompter& prompter, const std::string& message);

} // namespace varemo::ui
