#pragma once
// The calculator of the main window (f11): digit keys (`Number`), operators (`Operator`), `Percent`,
// `Decimal`, the readout, `Cancel` and the paper tape; the transfer button (`Calcübertrag`) writes
// the readout into the amount field that had the focus. With the focus it takes typed keys: digits,
// comma or point, + - * /, Enter or = for the result, % and Backspace (the window's Escape closes it).

#include "presentation/calculator.h"

#include <QFrame>

class QLabel;
class QListWidget;
class QPushButton;

namespace varemo::ui {

class CalculatorWidget : public QFrame {
    Q_OBJECT
  public:
    CalculatorWidget(QWidget* parent, Prompter& prompter);
    Calculator& calculator() { return calc_; }
    QString readout() const;
    // Feeds a key as typed: digits, ',', '+', '-', 'X', '/', '=', '%', '~' (+/-), 'C'.
    void press(QChar key);
    QPushButton* transferButton() const { return transfer_; }
    void setTarget(const QString& description); // which field the transfer writes into

  signals:
    void transferRequested(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void refresh();
    Calculator calc_;
    QLabel* readout_;
    QLabel* target_;
    QListWidget* tape_;
    QPushButton* transfer_;
};

} // namespace varemo::ui
