#pragma once
// The lists over the stored months by their code: what the command `list` exports and prints, and what
// the preview shows for these codes (print_kind.h takes them over). Each entry pairs the list's export
// tables with its printout; a further list is one more entry.

#include "base/report_table.h"
#include "print/payroll_lists.h"
#include "session/session.h"

#include <vector>

namespace varemo::print {

struct PrintOptions;

enum class ListScope {
    Month,     // all cases in one month
    Year,      // all cases (or the one asked for) in the twelve months
    CaseYear,  // one case in the twelve months
    Period,    // all cases in the months from January (or the request's month) to the request's lastMonth
    CaseMonth, // one case in one month
};

using ListTables = std::vector<ReportTable> (*)(Session& g, const ListRequest& request);
// Returns false when a month could not be calculated (the printout names it).
using ListPrintout = bool (*)(Session& g, const ListRequest& request, PrintSurface& s,
                              const PrintOptions& options);

struct ListKindEntry {
    int kind;
    const char* procedure; // the printout's name, as the code knows it
    const char* title;     // what the preview's caption says
    ListScope scope;
    ListTables tables;
    ListPrintout print; // draws from the top of the current page, never ends the document
    Orientation orientation = Orientation::Landscape;
};

// In ascending order of their codes.
const std::vector<ListKindEntry>& listKinds();
const ListKindEntry* findListKind(int kind);

// What the window asks for: the session's year and data set, for a monthly list its shown month, for a
// case's list its case, for a period the months from January to the shown month.
ListRequest requestOf(const Session& g, ListScope scope);

// The months a list reads, calculated as the sheet calculates them without writing anything: the case
// of the request, or every case of g.year and g.dataSet (which are the request's).
std::vector<CaseYearFigures> listFigures(Session& g, const ListRequest& request);

} // namespace varemo::print
