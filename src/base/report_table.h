#pragma once
// A table of a report (year view, cost-centre overview, payroll lists) as the window's grid shows it and
// as it is exported: columns with captions, rows of text and amount cells. Exported as CSV for spreadsheet
// programs in German locales (UTF-8 with byte-order mark, semicolons, decimal comma) and as JSON; the
// layouts are described in docs/exports.md.

#include "base/money.h"

#include <string>
#include <vector>

namespace varemo {

struct TableCell {
    enum class Kind { Text, Amount, Missing };
    Kind kind = Kind::Text;
    std::string text; // Text: the cell's text (may be empty)
    Money amount;     // Amount

    static TableCell label(std::string t) { return {Kind::Text, std::move(t), {}}; }
    static TableCell money(Money m) { return {Kind::Amount, {}, m}; }
    // A value that could not be read or calculated (the table's notes say why); never shown as 0.
    static TableCell missing() { return {Kind::Missing, {}, {}}; }
    bool operator==(const TableCell&) const = default;
};

enum class RowKind { Values, Heading, Total, Empty };

struct TableRow {
    RowKind kind = RowKind::Values;
    std::vector<TableCell> cells; // one per column
    int caseNumber = 0;           // the case a click on the row opens (0: none)
    int month = 0;                // the month a click on the row opens (0: none)
};

struct ReportTable {
    std::string name;  // the table's key in exports ("salaries", "months", ...)
    std::string title; // the window title
    // Lines under the title on the printout and above the window's grid; not part of the exports.
    std::vector<std::string> headings;
    std::vector<std::string> columns;
    std::vector<TableRow> rows;
    int monthColumn = 0;            // columns monthColumn .. monthColumn + 11 are January to December
    std::vector<std::string> notes; // what is missing and why
};

// "1234,56": whole cents, a tie to the even cent, no thousands separators (spreadsheets read it).
std::string csvAmount(Money m);
// Whole cents of an amount, a tie to the even cent, 64 bits wide (sums of many cases).
int64_t centsOf(Money m);
// "1.234,56" as the grid shows amounts; a missing value as "fehlt".
std::string cellDisplay(const TableCell& cell);
inline constexpr const char* kMissingCellText = "fehlt";

// The tables as one CSV text: UTF-8 with byte-order mark, fields separated by ";", lines ending in CRLF,
// a field quoted when it holds ";", a quote or a line break. Each table starts with its title line and
// its header line; tables are separated by an empty line; the notes follow their table.
std::string toCsv(const std::vector<ReportTable>& tables);
// {"tables":[{"name","title","columns":[…],"rows":[{"kind","cells":[…]}…],"notes":[…]}…]}; amount cells
// as {"cents":n}, text cells as strings, missing cells as null.
std::string toJson(const std::vector<ReportTable>& tables);

// The month columns' captions "JAN." to "DEZ." and the rows' month names "Jan" to "Dez".
const std::vector<std::string>& monthColumnCaptions();
const std::vector<std::string>& monthRowCaptions();

} // namespace varemo
