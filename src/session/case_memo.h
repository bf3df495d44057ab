#pragma once
// The memo of the shown case (the window's memo field, f22), kept per case and year in the user folder
// (persistence/case_memos.h).

#include "session/session.h"

#include <string>

namespace varemo {

// The memo of the shown case and year; empty when it has none. Throws StorageError when the memo file
// cannot be read.
std::string shownCaseMemo(const Session& g);

// Keeps text (trimmed; empty removes the memo) as the memo of a case of a year in the session's user
// folder (the window saves what was typed for the case it showed, which may no longer be the shown
// one). When the file cannot be written, the message "Fehler" says so, nothing is changed and the
// result is false.
bool saveCaseMemo(Session& g, int year, int caseNumber, const std::string& text);

} // namespace varemo
