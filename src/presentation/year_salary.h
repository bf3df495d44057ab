#pragma once
// The year salary (month 13): the annual totals of the twelve stored months of the case. It is a
// view: nothing is calculated or written, and every change is refused.

#include "session/session.h"

#include <string>
#include <vector>

namespace varemo {

// Lines whose amounts are added up over the year: the pay lines 8 to 26 and the deductions and
// payments 34 to 47. The other lines are settings (rates, factors) and show December's values.
bool isAnnualTotalLine(int line);

inline constexpr const char* kYearSalaryTitle = "Jahresgehalt";

// The message for annual totals beyond the range of the program, naming their lines (ascending).
std::vector<std::string> yearSalaryOverflowText(const std::vector<int>& lines);

// Loads December (keys, texts, flags: the state the year ends with), replaces the amounts of the
// total lines by the sums of the twelve month records, sets the month to 13 and rebuilds the sheet.
// A sum beyond the range of the program leaves its line without an amount (the case holds 0 there),
// the message yearSalaryOverflowText names the lines, and the function returns false.
bool LoadYearSalary(Session& g);

} // namespace varemo
