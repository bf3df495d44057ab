#pragma once
// Row helpers the printouts share: fonts, line spacing, the next row with its page break.

#include "base/money.h"
#include "print/print_surface.h"

#include <string>

namespace varemo::print::rows {

inline constexpr double kRow = 0.18;        // line spacing of the rows, inches
inline constexpr double kBodySize = 9.0;    // rows
inline constexpr double kTitleSize = 10.0;  // section titles, bold
inline constexpr double kPageBottom = 11.0; // lowest row on an A4 page

void body(PrintSurface& s, bool bold = false);
// The next row; a row that would leave the page goes to the next sheet ("Fortsetzung auf Blatt n").
void next(PrintSurface& s, double rows = 1);
// A caption at x and an amount ending at rightEdge, then the next row.
void amount(PrintSurface& s, double x, const std::string& caption, Money m, double rightEdge);
// A bold section title in a ruled box from left to right.
void boxedTitle(PrintSurface& s, double left, double right, const std::string& title);

} // namespace varemo::print::rows
