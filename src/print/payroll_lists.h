#pragma once
// The payroll lists over the stored months of the cases: the contribution statement per health fund of
// a month (kind 50) and of the year (57), the statement for the mini-job office (51), the wage-tax lists
// of a month (43) and of one case's year (44), and the supplementary-pension lists of a month (53) and
// of the year (54).
//
// A list is calculated once from the months as their sheets show them (session/year_figures) into a
// PayrollList; its export tables and its printout are both made from that, so they cannot differ, and
// every sum is the sum of the rows above it. A month that could not be calculated stays in its list as
// "fehlt" with a note; a sum that includes it is "fehlt" as well, never a partial figure.

#include "base/report_table.h"
#include "model/data_set.h"
#include "print/print_surface.h"
#include "session/year_figures.h"

#include <string>
#include <vector>

namespace varemo::print {

struct PrintOptions;

// What a list is asked for: the year and data set, the month of a monthly list and, where it takes one
// (kind 44, or to narrow an annual list), the case.
struct ListRequest {
    int year = 0;
    DataSet set = DataSet::Real;
    int month = 0;      // 1 to 12; monthly lists only, the first month of a period
    int lastMonth = 0;  // the last month of a period (kind 55), from month to 12
    int caseNumber = 0; // 0: all cases
};

struct ListColumn {
    std::string group;   // the caption over the run of columns that share it
    std::string caption; // the column's own caption
};

struct ListBlock {
    std::string heading;        // the fund, the mini-job office, the kind of taxes
    std::vector<TableRow> rows; // the rows, then the block's " S U M M E" (RowKind::Total)
};

struct PayrollList {
    std::string name; // the key of its export tables
    std::vector<std::string> title;
    std::vector<ListColumn> columns; // the first holds the row's name or month
    std::vector<ListBlock> blocks;
    std::vector<TableRow> summary; // "Zusammenstellung:": caption and amount
    std::vector<std::string> legend;
    std::vector<std::string> notes; // what is missing and why
};

inline constexpr const char* kSummaryHeading = "Zusammenstellung:";

// The list of kind 43, 44, 50, 51, 53, 54 or 57 (or 55, the mini-job statement 51 over the months
// month to lastMonth: each case's row and every sum is that of the monthly statements added up) from the
// figures of the cases (all cases of the year, or the one case of the request). funds names the health funds.
PayrollList buildPayrollList(int kind, const std::vector<CaseYearFigures>& cases, const FundTable& funds,
                             const ListRequest& request);

// The list as export tables: `name` with a first column "Block" and the list's columns, then
// `name`-summary with "Position" and "Betrag" (docs/exports.md).
std::vector<ReportTable> reportTablesOf(const PayrollList& list);

// The list in landscape, from the top of the surface's current page.
void drawPayrollList(const PayrollList& list, PrintSurface& s, const PrintOptions& options);

} // namespace varemo::print
