#pragma once
// The year view of a case: its twelve months side by side, as the sheets of the months show them.
// Three views: 40 the monthly salaries (pay data, gross pay, deductions, pay-out, tax and insurance
// data), 41 the employer's cost, 39 both in one sheet with a row per month. In the accumulated mode
// each month shows the total from January up to it. Built from CalculateCaseYear: nothing is stored.

#include "base/report_table.h"
#include "session/year_figures.h"

#include <memory>
#include <optional>
#include <string>

namespace varemo {

enum class YearViewKind { Combined = 39, Salaries = 40, EmployerCost = 41 };

// 39, 40 or 41; nothing for another number.
std::optional<YearViewKind> yearViewKindNumbered(int number);

struct YearViewOptions {
    YearViewKind kind = YearViewKind::Salaries;
    bool accumulated = false;
};

// Views 40 and 41 have a column per month ("JAN." … "DEZ.") and a last column "JAHR" (the year's total,
// or for a text row its January value with the changes "ab Feb.: …"); view 39 has a row per month and
// a row "Summe". A month without figures shows missing cells, and in the accumulated mode so do the
// months after it; the notes name the month and the reason.
ReportTable buildYearView(const CaseYearFigures& figures, int year, YearViewOptions options);

// "    - Monatsgehälter Name (Monate einzeln) in EURO" and the other titles of the window.
std::string yearViewTitle(const std::string& name, YearViewOptions options);
// The mode button: "akkumulieren" in the single-month mode, "Monate einzeln" in the accumulated one.
std::string accumulateButtonCaption(bool accumulated);
// The hint under the grid: a click on a month's column (views 40, 41) or row (view 39) opens it.
std::string yearViewClickHint(YearViewKind kind);

// The control listing of the case's settings per month: "Zeile", "Bezeichnung", the twelve months.
ReportTable buildSettingsListing(const CaseYearFigures& figures, int year);

// The printout kinds of the year view: 39, 40 and 41 its views, 49 the control listing.
inline constexpr int kSettingsListingPrintKind = 49;
// The table a year-view printout (kind 39, 40, 41 or 49) prints, built from the working case's months;
// nothing for another kind. The case must be stored in the session's year.
std::shared_ptr<const ReportTable> yearViewPrintTable(Session& g, int kind, bool accumulated);

} // namespace varemo
