#pragma once
// The option lists of the insurance lines 37 to 40 (contribution kinds), built per year from the
// current rates, 35 characters at most per entry.
//
// Entries the user's option-text file names (model/option_texts.h, records 4181, 4191 and 4201 + the
// position; the program's own texts where the file has none):
//   PV 0 "PV" (regular), 2 "PV Sachsen", 3 "PV-AG-Zusch. Sa.", 4 "Keine Pflegeversicherung",
//      5 "PV-Beitrag lt. Eingabe", 6 "PV-AG-Zuschuß lt. Eingabe";
//   RV 0 "RV" (regular), 1 "Keine Rentenversicherung", 3 "RV. AN=" (mini-job top-up),
//      4 "RV-Beitrag lt. Eingabe";
//   AV 0 "AV" (regular), 1 "Keine Arbeitslosenvers.", 2 "AV-Beitrag lt. Eingabe", 5 "nicht belegt".
// PV positions 2 and 3 show the Saxony shares of the year (employee, respectively employer, "% von"
// the total rate); the older fixed figure 1,35 % stood for the shares of 1996.
// Where a text is directly followed by a rate, a blank separates them.

#include "model/globaldaten.h"

#include <string>
#include <vector>

namespace varemo {

// A rate in ten-thousandths of a percent as the lists show it: decimal comma, at least two decimals
// ("2,40", "18,60", "2,025").
std::string formatRate(Rate r);

// The list of line 37, 38, 39 or 40 for the session's year, fund and month; empty for other lines.
std::vector<std::string> contributionKindList(Globaldaten& g, int line);

} // namespace varemo
