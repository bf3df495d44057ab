#pragma once
// A table as a landscape printout in a fixed-width font: the title, the column headers, the rows, the
// notes; a page that is full continues on the next with the headers again. The font is made smaller
// until the widest row fits the page. The year view and the cost-centre overview print through it.

#include "base/report_table.h"
#include "print/print_surface.h"

#include <string>
#include <vector>

namespace varemo::print {

struct PrintTable {
    std::vector<std::string> titleLines;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows; // one text per column
    std::vector<bool> rightAligned;             // per column: amounts stand right-aligned
    std::vector<size_t> boldRows;               // headings and totals
    std::vector<std::string> notes;
    // Cells after the first column are cut to this many characters (0: not cut), so that long option
    // texts leave the twelve months on the page.
    size_t maxCellCharacters = 0;
};

// A report table as a printout: amounts right-aligned, headings and totals bold, a missing value "fehlt".
PrintTable printTableOf(const ReportTable& table);

// Draws below what the current page holds (landscape, inches); a new page when little room is left.
void printTable(PrintSurface& s, const PrintTable& table);

} // namespace varemo::print
