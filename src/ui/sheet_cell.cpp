#include "ui/sheet_cell.h"

#include <QMouseEvent>
#include <QPainter>

namespace varemo::ui {

SheetCell::SheetCell(QWidget* parent, Qt::Alignment alignment)
    : QAbstractButton(parent), alignment_(alignment) {
    setFocusPolicy(Qt::StrongFocus);
}

void SheetCell::setBackground(const QColor& c) {
    if (c == background_) return;
    background_ = c;
    update();
}

void SheetCell::setCellText(const QString& t) {
    if (t == text()) return;
    setText(t);
    // The tooltip shows the hint with its code, and above it a text too wide for the cell.
    const QString hint = property("hint").toString();
    const bool cut = fontMetrics().horizontalAdvance(t) > width() - 6;
    setToolTip(cut ? (hint.isEmpty() ? t : t + QLatin1Char('\n') + hint) : hint);
}

void SheetCell::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        emit rightClicked();
        e->accept();
        return;
    }
    QAbstractButton::mousePressEvent(e);
}

void SheetCell::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect r = rect().adjusted(0, 0, -1, -1);
    QColor fill = isDown() ? background_.darker(115) : (underMouse() ? background_.darker(104) : background_);
    p.fillRect(r, fill);
    p.setPen(hasFocus() ? palette().color(QPalette::Highlight) : QColor(170, 170, 170));
    p.drawRect(r);
    if (hasFocus()) p.drawRect(r.adjusted(1, 1, -1, -1));
    p.setPen(isEnabled() ? palette().color(QPalette::ButtonText)
                         : palette().color(QPalette::Disabled, QPalette::ButtonText));
    QRect textRect = r.adjusted(3, 0, -3, 0);
    p.drawText(textRect, static_cast<int>(alignment_ | Qt::AlignVCenter),
               fontMetrics().elidedText(text(), Qt::ElideRight, textRect.width()));
}

} // namespace varemo::ui
