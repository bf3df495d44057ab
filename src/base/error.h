#pragma once
// The one error path of the program. Every failure that a user may see is an Error (or derives from
// it) and carries the complete German message for the user: what failed and what was kept. Where the
// engine meets its callers (the calculation run, the window's entry into the engine, the command
// line's main) every exception is caught and shown as a German message; nothing unwinds further.
//
// Programming faults inside the engine (a broken invariant) may still be std::logic_error; the edges
// show them with userMessage(), which never passes an English what() text on to the user unexplained.

#include <exception>
#include <stdexcept>
#include <string>

namespace varemo {

class Error : public std::runtime_error {
  public:
    // message: German, complete, shown to the user as it is.
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// The German text the user sees for an exception that reached an edge of the program: an Error's own
// message; for a failed file-system access its failureCause(); for anything else a notice of an internal
// fault with its technical text in parentheses.
std::string userMessage(const std::exception& e);
// The same for the exception being handled (call inside a catch block only).
std::string userMessageOfCurrentException();

// The cause of a failure for the line "Ursache: ..." below a message that already names the failed
// operation and what was kept: an Error's own message; for a failed file-system access the path and the
// system's reason; for anything else a notice of an internal fault with its technical text.
std::string failureCause(const std::exception& e);

} // namespace varemo
