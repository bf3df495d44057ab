#pragma once
// Changing what the window shows: month (13 the year salary), year, data set and case. Each change
// loads the case-month (or builds the year salary) and runs its cycle; changing year or data set
// first reopens the case files.

#include "session/session.h"

#include <string>
#include <vector>

namespace varemo {

// Loads whatever the current selection names: the case-month, or the year salary for month 13.
void ShowSelection(Session& g);

// Month 1 to 12, or 13 for the year salary. False (nothing changed) for other numbers.
bool SelectMonth(Session& g, int month);
// Refused with its message while the year salary is shown.
bool SelectYear(Session& g, int year);
bool SelectDataSet(Session& g, DataSet set);
// A number beyond the last case creates a new case (in all data sets, "Personalfall " + number) and
// shows it. False when the number is below 1 or the new case could not be created.
bool SelectCase(Session& g, int caseNumber);

// The names of the cases of the year in case-number order (the list of line 1 without its closing
// entry), as the current data set names them.
std::vector<std::string> caseListNames(Session& g);

} // namespace varemo
