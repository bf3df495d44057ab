#pragma once
// The salary calculation (kinds 11, 12, 16) and its building blocks, the pension-contribution sheet
// (13, 25), the part-time sheet (20), the annex (21) and the pay statement under § 108 GewO (22).
// All read the case-month as the last calculation run left it and draw in inches.

#include "print/print_kind.h"

#include <string>

namespace varemo::print {

// Column positions shared by the salary printouts, in inches from the page's left edge.
struct LayoutColumns {
    double left = 0.5;         // left margin
    double text = 0.7;         // text of a row, section titles (left margin + 0.2)
    double fullTimeLeft = 3.5; // caption "Vollzeit" (left margin + 3.0)
    double columnWidth = 0.8;  // width of an amount column of the gross part
    double flags = 6.1;        // flag captions
    double flagStep = 0.22;    // distance of the flag columns
    double amountRight = 7.6;  // right edge of the final amount column
    double baseRight = 5.6;    // right edge of the "aus ... =" base of a deduction
    // Right edge of amount column 0, 1 or 2 of the gross part.
    double columnRight(int i) const { return fullTimeLeft + columnWidth * (i + 1) - 0.05; }
};
inline constexpr LayoutColumns kColumns{};

// The three columns of the gross part: V full time, T part time, B part month, "-" left out; the
// rightmost column is what is paid ("VTB", "-VT", "-VB", "--V").
std::string combozahlen(const Session& g);

// title: "Gehaltsberechnung" or "Entgeltbescheinigung", followed by the month.
void Kopf(const Session& g, PrintSurface& s, const PrintOptions& options,
          const std::string& title = "Gehaltsberechnung");
void Brutto(const Session& g, PrintSurface& s);
void abzuege(const Session& g, PrintSurface& s);
void AGAufwand(const Session& g, PrintSurface& s, const PrintOptions& options);
// The free-text block: "$" separates the lines; printed at x = 0.5 inch.
void druckschleifeneu(PrintSurface& s, const std::string& text);

void bruttonetto(const Session& g, PrintSurface& s, const PrintOptions& options);   // 11
void bruttonettoAG(const Session& g, PrintSurface& s, const PrintOptions& options); // 12
void bruttodrucken(const Session& g, PrintSurface& s, const PrintOptions& options); // 16
void ZVKlstsoz(const Session& g, PrintSurface& s, const PrintOptions& options);     // 13, 25
void teilzeit(const Session& g, PrintSurface& s, const PrintOptions& options);      // 20
void anlage(const Session& g, PrintSurface& s, const PrintOptions& options);        // 21
void bescheinigung(const Session& g, PrintSurface& s, const PrintOptions& options); // 22

// Shared by the printouts: the closing remark of the employer record, the case's text of a sheet line.
std::string closingRemark(const Session& g);
std::string lineCaption(const Session& g, int line);

} // namespace varemo::print
