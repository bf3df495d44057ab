// The printout of a payroll list: landscape, the title, per block its heading, the column captions in
// two rows (the group over its columns, then each column's own), the rows with the amounts right-aligned,
// the block's sum; then "Zusammenstellung:" with the legend beside it and the notes. A row that would
// leave the page continues on the next sheet with the captions again.
#include "print/payroll_lists.h"

#include "print/print_kind.h"

#include <algorithm>

namespace varemo::print {
namespace {

constexpr const char* kFont = "Arial Narrow";
constexpr const char* kTitleFont = "Arial";
constexpr double kMargin = 0.5;
constexpr double kPageWidth = 11.69; // A4 landscape
constexpr double kPageHeight = 8.27;
constexpr double kBottom = kPageHeight - 0.6;
constexpr double kLargest = 8.0; // points
constexpr double kSmallest = 5.0;
constexpr double kSummaryAmountEdge = 3.4; // right edge of the summary's amounts, from the margin
constexpr double kLegendX = 4.2;

class ListDrawer {
  public:
    ListDrawer(const PayrollList& list, PrintSurface& s, const PrintOptions& options)
        : list_(list), s_(s), options_(options) {}

    void draw() {
        s_.setScaleMode(ScaleMode::Inches);
        s_.setCurrentY(std::max(kMargin, s_.currentY()));
        layColumns();
        title();
        for (const ListBlock& b : list_.blocks)
            block(b);
        summary();
        notes();
    }

  private:
    void font(bool bold = false) { s_.setFont(kFont, size_, bold); }
    double rowHeight() const { return s_.textHeight() * 1.15; }

    double cellWidth(const TableCell& c) { return s_.textWidth(cellDisplay(c)); }

    // Column widths from the widest caption or cell; the font is made smaller until the list fits.
    void layColumns() {
        const size_t n = list_.columns.size();
        const double usable = kPageWidth - 2 * kMargin;
        for (size_ = kLargest;; size_ -= 0.5) {
            font(true);
            widths_.assign(n, 0);
            const double gap = s_.textWidth("  ");
            for (size_t c = 0; c < n; ++c)
                widths_[c] = s_.textWidth(list_.columns[c].caption);
            for (const ListBlock& b : list_.blocks)
                for (const TableRow& r : b.rows)
                    for (size_t c = 0; c < r.cells.size() && c < n; ++c)
                        widths_[c] = std::max(widths_[c], cellWidth(r.cells[c]));
            // A group's caption spans its columns; the last of them makes room for what is left over.
            for (size_t first = 0; first < n;) {
                size_t last = first;
                while (last + 1 < n && list_.columns[last + 1].group == list_.columns[first].group)
                    ++last;
                double span = 0;
                for (size_t c = first; c <= last; ++c)
                    span += widths_[c] + (c > first ? gap : 0);
                const double needed = s_.textWidth(list_.columns[first].group);
                if (needed > span) widths_[last] += needed - span;
                first = last + 1;
            }
            left_.assign(n, 0);
            double x = kMargin;
            for (size_t c = 0; c < n; ++c) {
                left_[c] = x;
                x += widths_[c] + gap;
            }
            right_ = x - gap;
            if (right_ <= kMargin + usable || size_ <= kSmallest) break;
        }
    }

    void title() {
        s_.setFont(kTitleFont, 10, true);
        const double top = s_.currentY();
        for (const std::string& line : list_.title)
            s_.printAt(kMargin, line, true);
        s_.setFont(kTitleFont, 8);
        s_.setCurrentY(top);
        s_.printRight(kPageWidth - kMargin, "erstellt am " + options_.today);
        s_.setCurrentY(top + list_.title.size() * 0.2 + 0.15);
    }

    void captions() {
        font(true);
        const double y = s_.currentY();
        for (size_t c = 0; c < list_.columns.size(); ++c) {
            const ListColumn& col = list_.columns[c];
            if (!col.group.empty() && (c == 0 || list_.columns[c - 1].group != col.group)) {
                s_.setCurrentY(y);
                s_.printAt(left_[c], col.group);
            }
        }
        const double y2 = y + rowHeight();
        for (size_t c = 0; c < list_.columns.size(); ++c) {
            s_.setCurrentY(y2);
            if (c == 0)
                s_.printAt(left_[c], list_.columns[c].caption);
            else
                s_.printRight(left_[c] + widths_[c], list_.columns[c].caption);
        }
        const double rule = y2 + rowHeight();
        s_.line(kMargin, rule, right_, rule);
        s_.setCurrentY(rule + 0.04);
    }

    // Room for `rows` more rows, or the next sheet with the captions again.
    void room(double rows, const std::string& heading) {
        if (s_.currentY() + rows * rowHeight() <= kBottom) return;
        s_.setFont(kTitleFont, 8);
        s_.printAt(kMargin, "Fortsetzung auf Blatt " + std::to_string(s_.page() + 1), true);
        s_.newPage();
        s_.setScaleMode(ScaleMode::Inches);
        s_.setCurrentY(kMargin);
        if (!heading.empty()) {
            font(true);
            s_.printAt(kMargin, heading, true);
            captions();
        }
    }

    void row(const TableRow& r) {
        const bool total = r.kind == RowKind::Total;
        const double y = s_.currentY();
        if (total) s_.line(left_.size() > 1 ? left_[1] : kMargin, y, right_, y);
        font(total);
        for (size_t c = 0; c < r.cells.size() && c < left_.size(); ++c) {
            s_.setCurrentY(y + (total ? 0.03 : 0));
            const std::string text = cellDisplay(r.cells[c]);
            if (c == 0)
                s_.printAt(left_[c], text);
            else
                s_.printRight(left_[c] + widths_[c], text);
        }
        s_.setCurrentY(y + rowHeight() + (total ? 0.06 : 0));
    }

    void block(const ListBlock& b) {
        room(6, "");
        s_.setCurrentY(s_.currentY() + 0.1);
        font(true);
        s_.printAt(kMargin, b.heading, true);
        captions();
        for (const TableRow& r : b.rows) {
            room(1, b.heading);
            row(r);
        }
    }

    void summary() {
        if (list_.summary.empty()) return;
        const double lines = static_cast<double>(std::max(list_.summary.size(), list_.legend.size()) + 2);
        room(lines, "");
        s_.setCurrentY(s_.currentY() + 0.2);
        font(true);
        s_.printAt(kMargin, kSummaryHeading, true);
        const double top = s_.currentY() + 0.05;
        s_.setCurrentY(top);
        for (const TableRow& r : list_.summary) {
            font(r.kind == RowKind::Total);
            const double y = s_.currentY();
            s_.printAt(kMargin, cellDisplay(r.cells.front()));
            s_.setCurrentY(y);
            s_.printRight(kMargin + kSummaryAmountEdge, cellDisplay(r.cells.back()));
            s_.setCurrentY(y + rowHeight());
        }
        const double end = s_.currentY();
        font();
        s_.setCurrentY(top);
        for (const std::string& line : list_.legend) {
            const double y = s_.currentY();
            s_.printAt(kMargin + kLegendX, line);
            s_.setCurrentY(y + rowHeight());
        }
        s_.setCurrentY(std::max(end, s_.currentY()));
    }

    void notes() {
        if (list_.notes.empty()) return;
        s_.setCurrentY(s_.currentY() + 0.15);
        for (const std::string& note : list_.notes) {
            room(1, "");
            font();
            s_.printAt(kMargin, note, true);
        }
    }

    const PayrollList& list_;
    PrintSurface& s_;
    const PrintOptions& options_;
    double size_ = kLargest;
    std::vector<double> widths_, left_;
    double right_ = 0;
};

} // namespace

void drawPayrollList(const PayrollList& list, PrintSurface& s, const PrintOptions& options) {
    ListDrawer(list, s, options).draw();
}

} // namespace varemo::print
