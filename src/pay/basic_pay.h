#pragma once
// The tariff lookup of the calculation run (its step 6): the case's record of the month's tariff file,
// the basic pay of line 8, the allowances of lines 9, 10, 12 to 16, the multipliers and the case's
// tariff factor.
//
// Order inside the lookup: compute the step (steps.h); stop with lines 8 to 10 at 0 when the year has
// no tables (no January file); service relationships 25 to 27 keep their typed amounts; read the row,
// adjust it; take the basic pay; lines 9, 10, 13 to 16 and then 12 (which may build on them); then the
// multipliers and the tariff factor on the lines the rules name.

#include "base/prompter.h"
#include "model/globaldaten.h"

#include <optional>

namespace varemo {

// Opens the tariff files and the option-text file of g.year below the data root (the program folder
// when no individual data root is set).
void OpenPayTables(Globaldaten& g);

// The entry a step takes its basic pay from, with the special steps of regions 7 and 14; it may lie
// outside the record (a step the record has no entry for). The hand-entry position is not handled here.
int basicPayEntryIndex(int serviceRelationship, int region, int group, int step, int year, int month);

// The basic pay a step takes from a row (before any scaling); 0 for an entry outside the record.
int32_t basicPayEntry(const TariffRow& row, int serviceRelationship, int region, int group, int step,
                      int year, int month);

// The same from a record, or nothing when the table has no amount there: a step the group does not
// have, a group the table does not have in the month (a record of zeros). A 0 the table holds is an
// amount.
std::optional<int32_t> basicPayCell(const TariffRecord& record, int serviceRelationship, int region,
                                    int group, int step, int year, int month);

inline constexpr const char* kMissingBasicPayTitle = "Zeile 8";

// The notice for a case-month whose basic pay the month's table does not hold, or nothing: names the
// table, month, group and step and what the user can choose instead. The lookup then shows 0 on line
// 8 and leaves the case's choice as it is; only the hand-entry position needs no table. A year without
// tables (no January file) gets its own notice, since lines 8 to 10 are then 0 for every step.
std::optional<PromptMessage> missingBasicPayNotice(Globaldaten& g);

// Step 6 of the calculation run: fills lines 8 to 16 of the working case.
void TariffLookup(Globaldaten& g);

// Whether the month's tariff file holds any record for the service relationship in the region (its
// base record and the 27 possible groups after it). Service relationships without records (25 to 38)
// count as having tables.
bool hasTariffTables(Globaldaten& g, int serviceRelationship, int region, int month);

} // namespace varemo
