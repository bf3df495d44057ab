#pragma once
// Places in pixels of the main window's area, and the small helpers its parts (sheet, bars, option
// list, calculator) share. Both halves of the sheet have 24 rows (tastencode).

#include "presentation/menu_items.h"
#include "presentation/window_settings.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <string>

namespace varemo::ui {

inline constexpr int kRowHeight = 22;
inline constexpr int kCellHeight = 20;
inline constexpr int kSheetTop = 104;
inline constexpr int kAreaWidth = 1120;
inline constexpr int kAreaHeight = 722;

struct ColumnX {
    int number, text, amount, flags, key, info, regulation;
};
inline constexpr ColumnX kColumns[2] = {
    {10, 38, 330, 424, 0, 545, 565},      // gross side; flags 7 × 17 from 424
    {604, 632, 924, 0, 1018, 1072, 1092}, // net side; key field 52 wide
};
inline constexpr int kNumberWidth = 26;
inline constexpr int kTextWidth = 290;
inline constexpr int kAmountWidth = 92;
inline constexpr int kFlagWidth = 16;
inline constexpr int kFlagStep = 17;
inline constexpr int kKeyWidth = 52;
inline constexpr int kButtonWidth = 18;

inline int rowY(int row) {
    return kSheetTop + row * kRowHeight;
}

// The area is drawn for kAreaWidth × kAreaHeight; a larger window spreads it. Across the sheet the two
// sides share the extra width, each giving three quarters to its line texts and a quarter to its
// amounts; the bars above and below spread evenly. Downwards the rows part a little (at most
// kRowGrowth pixels each) and the bars below take the rest. A window a little lower than the drawing
// (a screen of 800 pixels) draws the rows closer, down to kMinAreaHeight; it never gets narrower.
inline constexpr int kRowGrowth = 8;
inline constexpr int kMinAreaHeight = kAreaHeight - 24 - 10;
int stretchedSheetX(int x, int areaWidth);
int stretchedBarX(int x, int areaWidth);
int stretchedY(int y, int areaHeight);
// The place of a widget drawn at design in an area of the given size. Cells keep their height.
QRect stretchedGeometry(const QRect& design, bool inSheet, QSize area);

inline QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
inline QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// A hint with the keyboard code that reaches the element: "…   (a04)".
inline QString withCode(const QString& hint, char letter, int number) {
    return hint + QStringLiteral("   (") + q(codeText(letter, number)) + QLatin1Char(')');
}

// The hint line shows an element's hint while the mouse is over it; the tooltip shows it as well.
inline void setHint(QWidget* w, const QString& hint) {
    w->setProperty("hint", hint);
    w->setToolTip(hint);
}

inline void fillBackground(QWidget* w, QColor c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
}

} // namespace varemo::ui
