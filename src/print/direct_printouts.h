#pragma once
// The sheets of the payroll office (kinds 70 to 76): the tax sheet, the insurance sheet, the annual tax
// adjustment, the health-insurance obligation, the year list of the monthly salaries, the health-fund
// list and the pay table. They share the standard head (the employer at x = 1000 twips, the date at x = 8000,
// the title and its "hier: " line), columns of figures in "Courier New" padded to a fixed width, and the two
// signature captions at the foot. They draw in twips and read the shown case-month as its calculation
// left it, the year list and the fund list the stored months through session/year_figures.

#include "base/report_table.h"
#include "deductions/annual_earnings_check.h"
#include "print/list_kind.h"
#include "print/print_kind.h"
#include "session/year_figures.h"

#include <vector>

namespace varemo::print {

void steuerblatt(const Session& g, PrintSurface& s, const PrintOptions& options);            // 70
void versicherungsblatt(const Session& g, PrintSurface& s, const PrintOptions& options);     // 71
void jahresausgleichdrucken(const Session& g, PrintSurface& s, const PrintOptions& options); // 72
void versicherungspflicht(const Session& g, PrintSurface& s, const PrintOptions& options);   // 73
// The year list (74, a case's year) and the fund list (75, a month) are lists of list_kind.h: they
// calculate the months of the request and return false when one of them could not be calculated.
bool jahresgehaelterliste(Session& g, const ListRequest& r, PrintSurface& s, const PrintOptions& options);
bool kassenliste(Session& g, const ListRequest& r, PrintSurface& s, const PrintOptions& options);
// The pay table (76) of the case and month of the request.
bool besoldungstabelle(Session& g, const ListRequest& r, PrintSurface& s, const PrintOptions& options);

// The list-like sheets as tables for CSV and JSON.
// The employer's annual adjustment of December (an empty table with a note when none was performed).
ReportTable annualAdjustmentTable(const AnnualAdjustment& a, int year);
// The annual pay that decides the compulsory health insurance (§ 6 SGB V).
ReportTable insuranceObligationTable(const AnnualEarningsCheck& check);
// The twelve months of one case: gross, taxes, contributions and pay-out as their sheets show them.
ReportTable yearListTable(const CaseYearFigures& figures, int year);
// The contributions of month (1 to 12) per health fund and case, with each fund's sum.
ReportTable fundListTable(const std::vector<CaseYearFigures>& cases, int month, int year);
// The pay table in force for the case's service relationship and region in month (1 to 12) of g.year:
// the basic pay of every group the table holds, per step; for the case's group line 9 by each option
// that takes the table and the allowances of lines 13 to 15 the tables hold; the annual special payment
// (the Land's rules of the year for civil servants, the agreement's percentage per group for employees);
// and where the service relationship has them the family-allowance steps 1 to 6 of the case's group.
// Amounts are the table's with the program's multiplier, as the lookup takes them before the case's own
// tariff factor; a step or entry the table has no amount for says "kein Betrag".
ReportTable payTableOf(Globaldaten& g, const Case& c, int month);
// The same for the case and month of the request, the case as its sheet shows the month.
ReportTable payTableOf(Session& g, const ListRequest& r);

} // namespace varemo::print
