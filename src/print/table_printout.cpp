#include "print/table_printout.h"

#include <algorithm>

namespace varemo::print {
namespace {

constexpr double kMargin = 0.5;
constexpr double kLargest = 9.0;  // points
constexpr double kSmallest = 4.0; // below this nobody reads it; wide tables then run off the right edge
constexpr const char* kFont = "Courier New";

double pageWidth(const PrintSurface& s) {
    return s.orientation() == Orientation::Landscape ? 11.69 : 8.27;
}
double pageHeight(const PrintSurface& s) {
    return s.orientation() == Orientation::Landscape ? 8.27 : 11.69;
}

std::vector<double> columnWidths(PrintSurface& s, const PrintTable& t) {
    std::vector<double> widths(t.columns.size());
    for (size_t c = 0; c < t.columns.size(); ++c)
        widths[c] = s.textWidth(t.columns[c]);
    for (const auto& row : t.rows)
        for (size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], s.textWidth(row[c]));
    return widths;
}

// The first n characters of a UTF-8 text.
std::string firstCharacters(const std::string& text, size_t n) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters++ == n) return text.substr(0, i);
    }
    return text;
}

double total(const std::vector<double>& widths, double gap) {
    double sum = 0;
    for (double w : widths)
        sum += w + gap;
    return sum;
}

} // namespace

PrintTable printTableOf(const ReportTable& table) {
    PrintTable out;
    out.titleLines = {table.title};
    out.titleLines.insert(out.titleLines.end(), table.headings.begin(), table.headings.end());
    out.columns = table.columns;
    out.rightAligned.assign(table.columns.size(), false);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const TableRow& row = table.rows[r];
        std::vector<std::string> cells;
        for (size_t c = 0; c < row.cells.size(); ++c) {
            cells.push_back(cellDisplay(row.cells[c]));
            if (row.cells[c].kind != TableCell::Kind::Text && c < out.rightAligned.size())
                out.rightAligned[c] = true;
        }
        out.rows.push_back(std::move(cells));
        if (row.kind == RowKind::Heading || row.kind == RowKind::Total) out.boldRows.push_back(r);
    }
    out.notes = table.notes;
    out.maxCellCharacters = 13;
    return out;
}

void printTable(PrintSurface& s, const PrintTable& given) {
    PrintTable t = given;
    if (t.maxCellCharacters > 0)
        for (auto& row : t.rows)
            for (size_t c = 1; c < row.size(); ++c)
                row[c] = firstCharacters(row[c], t.maxCellCharacters);
    s.setScaleMode(ScaleMode::Inches);
    s.setOrientation(Orientation::Landscape);
    const double usable = pageWidth(s) - 2 * kMargin;
    double size = kLargest;
    s.setFont(kFont, size);
    std::vector<double> widths = columnWidths(s, t);
    double gap = s.textWidth("  ");
    while (size > kSmallest && total(widths, gap) > usable) {
        size = std::max(kSmallest, size - 0.5);
        s.setFont(kFont, size);
        widths = columnWidths(s, t);
        gap = s.textWidth("  ");
    }
    std::vector<double> left(widths.size());
    double x = kMargin;
    for (size_t c = 0; c < widths.size(); ++c) {
        left[c] = x;
        x += widths[c] + gap;
    }
    const double bottom = pageHeight(s) - kMargin;

    auto printRow = [&](const std::vector<std::string>& cells, bool bold) {
        s.setFont(kFont, size, bold);
        const double y = s.currentY();
        for (size_t c = 0; c < cells.size() && c < left.size(); ++c) {
            s.setCurrentY(y);
            const bool right = c < t.rightAligned.size() && t.rightAligned[c];
            if (right)
                s.printRight(left[c] + widths[c], cells[c]);
            else
                s.printAt(left[c], cells[c]);
        }
        s.setCurrentY(y);
        s.print();
    };
    auto header = [&] {
        s.setCurrentY(std::max(kMargin, s.currentY()));
        s.setFont(kFont, size + 2, true);
        for (const std::string& line : t.titleLines)
            s.printAt(kMargin, line, true);
        s.print();
        printRow(t.columns, true);
        const double y = s.currentY();
        s.line(kMargin, y, kMargin + total(widths, gap), y);
        s.setCurrentY(y + 0.04);
    };

    // A table that follows another on the page starts below it, or on a new page when only a few of its
    // lines would fit.
    s.setCurrentY(std::max(kMargin, s.currentY()));
    if (s.currentY() > kMargin && s.currentY() + 6 * s.textHeight() > bottom) s.newPage();
    header();
    for (size_t r = 0; r < t.rows.size(); ++r) {
        if (s.currentY() + s.textHeight() > bottom) {
            s.newPage();
            s.setCurrentY(kMargin);
            header();
        }
        printRow(t.rows[r], std::find(t.boldRows.begin(), t.boldRows.end(), r) != t.boldRows.end());
    }
    s.setFont(kFont, size);
    for (const std::string& note : t.notes) {
        if (s.currentY() + s.textHeight() > bottom) {
            s.newPage();
            s.setCurrentY(kMargin);
        }
        s.printAt(kMargin, note, true);
    }
}

} // namespace varemo::print
