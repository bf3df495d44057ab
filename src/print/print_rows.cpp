#include "print/print_rows.h"

#include "print/number_format.h"

namespace varemo::print::rows {

void body(PrintSurface& s, bool bold) {
    s.setFont("Arial", kBodySize, bold);
}

void next(PrintSurface& s, double count) {
    s.setCurrentX(0);
    s.setCurrentY(s.currentY() + kRow * count);
    if (s.currentY() <= kPageBottom) return;
    const PrintFont font = s.font();
    s.setCurrentY(s.currentY() + 0.3);
    s.setFont("Arial", 8);
    s.printAt(0.5, "Fortsetzung auf Blatt " + std::to_string(s.page() + 1), true);
    s.newPage();
    s.setScaleMode(ScaleMode::Inches);
    s.setCurrentY(0.5);
    s.font() = font;
}

void amount(PrintSurface& s, double x, const std::string& caption, Money m, double rightEdge) {
    s.printAt(x, caption);
    s.printRight(rightEdge, amountText(m));
    next(s);
}

void boxedTitle(PrintSurface& s, double left, double right, const std::string& title) {
    const double top = s.currentY() - 0.03;
    s.box(left, top, right, top + 0.24);
    s.setFont("Arial", kTitleSize, true);
    s.printAt(left + 0.2, title);
    body(s);
    next(s, 1.5);
}

} // namespace varemo::print::rows
