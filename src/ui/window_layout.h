#pragma once
// Places in pixels of the main window's area, and the small helpers its parts (sheet, bars, option
// list, calculator) share. Both halves of the sheet have 24 rows (tastencode).

#include "presentation/menu_items.h"
#include "presentation/window_settings.h"

#include <QColor>
#include <QPalette>
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
