#include "ui/sheet_cell.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

namespace varemo::ui {

namespace {

// The font the text fits in, from the label's own down to three quarters of it.
QFont fittingFont(const QFont& base, const QString& text, int width) {
    QFont f = base;
    const qreal smallest = base.pointSizeF() * 0.75;
    while (QFontMetrics(f).horizontalAdvance(text) > width && f.pointSizeF() - 0.25 >= smallest)
        f.setPointSizeF(f.pointSizeF() - 0.25);
    return f;
}

} // namespace

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
    const int room = width() - 6;
    const bool cut = QFontMetrics(fittingFont(font(), t, room)).horizontalAdvance(t) > room;
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
    // A text a little too wide (a key code in a narrow window) gets a smaller font before it is cut.
    QRect textRect = r.adjusted(3, 0, -3, 0);
    p.setFont(fittingFont(font(), text(), textRect.width()));
    p.drawText(textRect, static_cast<int>(alignment_ | Qt::AlignVCenter),
               p.fontMetrics().elidedText(text(), Qt::ElideRight, textRect.width()));
}

void FitLabel::setFittedText(const QString& text) {
    if (text == this->text()) return;
    setText(text);
    updateToolTip();
}

void FitLabel::updateToolTip() {
    const int width = contentsRect().width() - 4;
    QFontMetrics m(fittingFont(font(), text(), width));
    setToolTip(m.horizontalAdvance(text()) > width ? text() : QString());
}

void FitLabel::resizeEvent(QResizeEvent* e) {
    QLabel::resizeEvent(e);
    updateToolTip();
}

void FitLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawFrame(&p);
    const QRect r = contentsRect().adjusted(2, 0, -2, 0);
    const QFont f = fittingFont(font(), text(), r.width());
    p.setFont(f);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(r, static_cast<int>(alignment() | Qt::AlignVCenter),
               QFontMetrics(f).elidedText(text(), Qt::ElideMiddle, r.width()));
}

} // namespace varemo::ui
