#pragma once
// One cell of the sheet that reacts to a click: line number, line text, flag cell, info and
// regulation buttons, pay group, key field. Drawn flat in its area's colour with the text aligned as
// the column wants it; long texts are elided (the full text is the tooltip).

#include <QAbstractButton>
#include <QColor>
#include <QLabel>

namespace varemo::ui {

class SheetCell : public QAbstractButton {
    Q_OBJECT
  public:
    explicit SheetCell(QWidget* parent, Qt::Alignment alignment = Qt::AlignCenter);
    void setBackground(const QColor& c);
    void setCellText(const QString& text); // sets text and tooltip, repaints only on change
    QSize sizeHint() const override { return {40, 20}; }

  signals:
    void rightClicked();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

  private:
    Qt::Alignment alignment_;
    QColor background_{250, 250, 250};
};

// A caption that keeps to its place: a text wider than the label is drawn in a smaller font (down to
// three quarters), and what still does not fit is elided in the middle, so that the keyboard code at
// the end of a hint stays; the full text is then the tooltip.
class FitLabel : public QLabel {
  public:
    using QLabel::QLabel;
    void setFittedText(const QString& text);

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void updateToolTip();
};

} // namespace varemo::ui
