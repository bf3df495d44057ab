#pragma once
// The tariff lookup of the calculation run (its step 6): the case's record of the month's tariff file,
// the basic pay of line 8, the allowances of lines 9, 10, 12 to 16, the multipliers and the case's
// tariff factor.
//
// Order inside the lookup: compute the step (steps.h); stop with lines 8 to 10 at 0 when the year has
// no tables (no January file); service relationships 25 to 27 keep their typed amounts; read the row,
// adjust it; take the basic pay; lines 9, 10, 13 to 16 and then 12 (which may build on them); then the
// multipliers and the tariff factor on the lines the rules name.

#include "model/globaldaten.h"

namespace varemo {

// Opens the tariff files and the option-text file of g.year below the data root (the program folder
// when no individual data root is set).
void OpenPayTables(Globaldaten& g);

// The basic pay a step takes from a row (before any scaling), with the special steps of regions 7 and
// 14. The hand-entry position is not handled here.
int32_t basicPayEntry(const TariffRow& row, int serviceRelationship, int region, int group, int step,
                      int year, int month);

// Step 6 of the calculation run: fills lines 8 to 16 of the working case.
void TariffLookup(Globaldaten& g);

// Whether the month's tariff file holds any record for the service relationship in the region (its
// base record and the 27 possible groups after it). Service relationships without records (25 to 38)
// count as having tables.
bool hasTariffTables(Globaldaten& g, int serviceRelationship, int region, int month);

} // namespace varemo
