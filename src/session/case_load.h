#pragma once
// Loading a case-month into the working case, with the checks that keep damaged or foreign records
// away from the calculation, and the reset of a case to its defaults.

#include "session/session.h"

namespace varemo {

// Highest allowed option key of a slot in a year; -1 when the slot has no limit.
int highestKey(KeySlot slot, int year);

// Opens the case files of the current year and data set in the user folder (creating what is missing).
void OpenYearFiles(Session& g);

// Loads month g.month() (1 to 12) of case g.caseNumber from the open files into the working case and
// validates it. A failed range check shows "Achtung (<number>)" and resets the case to its defaults
// in all twelve months before loading again.
void LoadCaseMonth(Session& g);

// Loads the month as LoadCaseMonth does, with the same corrections, but writes nothing: a record that
// the load would reset (a key out of range, a damaged name) is left alone and false returned.
[[nodiscard]] bool ReadCaseMonthUnchanged(Session& g);

// The load check of a case's name as the year record holds it (Windows-1252, blank-padded): a
// control character, a blank or "!" in its first two places, or fewer than two characters, make the
// load reset the case to the defaults, as it is then taken for a damaged or foreign record.
bool nameNeedsReplacing(const std::string& rawName);

// Fills the working case with the defaults and writes them to all twelve months of the case
// (the name is kept).
void ResetToDefaults(Session& g);

} // namespace varemo

namespace varemo {

// Opens the year's files when the year or data set is not the open one, loads the case-month, runs
// it and rebuilds the sheet (after every change of case, month, year or data set). Only the shown
// month is written back. Returns false when the run failed; its message has been shown, so a caller
// that only shows the month may ignore the result.
bool SelectCaseMonth(Session& g);

} // namespace varemo
