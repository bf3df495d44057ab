#pragma once
// The start-up sequence: finds the data root, reads or creates the settings file, makes the user folder,
// the model case, the employer and window record and the church tax defaults, reads the yearly defaults
// and opens the case files of the year and data set shown last and the tariff files of that year.

#include "session/session.h"

#include <string>

namespace varemo {

// Runs the start-up for g.programDir and the current user g.user (1 unless a user was selected).
// Afterwards g.userFolder, g.storage, the selection (year, case, month, data set from the window record),
// the open case files and g.tariffs are set. The working case is not loaded; the window shows it.
// Returns false when the data root or the user folder cannot be used; the message has been shown and
// the session is left as it was.
[[nodiscard]] bool StartUp(Session& g);

// The window caption: for users 2 to 100 "geschützter Bereich für " + the label (35 characters) + four
// blanks + the user folder name; for user 1 the program's name.
std::string windowCaption(int user, const std::string& label);

// The data root of a user from the settings file, as stored (corrected for the Windows program folder
// names); the program folder when the file has none.
std::string storedDataRoot(const std::filesystem::path& programDir, int user);

} // namespace varemo
