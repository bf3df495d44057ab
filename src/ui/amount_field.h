#pragma once
// An amount field of the sheet (`t`) or a further number field (hours, days, tariff factor).
// It knows its amount slot; when it is left after the user changed its text it reports the text
// (betragsfeldverlassen). Getting the focus selects the amount, so that typing replaces it.
// Ctrl+Plus and Ctrl+Minus start a quick addition or subtraction: the field empties for the amount to
// add or subtract, and leaving it reports the result.

#include "model/slots.h"

#include <QLineEdit>

namespace varemo::ui {

class AmountField : public QLineEdit {
    Q_OBJECT
  public:
    AmountField(QWidget* parent, AmountSlot slot);
    AmountSlot slot() const { return slot_; }
    // Shows a value from the sheet; forgets any unfinished typing.
    void showValue(const QString& text);
    // Escape: the value shown before the typing comes back, and nothing is reported.
    void revert() { showValue(shown_); }
    // Whether something has been typed that leaving the field would report.
    bool hasTyping() const { return dirty_; }
    // grey: the user types the amount; white: computed, read-only.
    void setTyped(bool typed, const QColor& grey, const QColor& white);
    bool isTyped() const { return typed_; }
    char pendingOperation() const { return op_; }

  signals:
    void committed(AmountSlot slot, const QString& text);
    void focused(AmountSlot slot);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    void commit();
    AmountSlot slot_;
    bool dirty_ = false;
    bool typed_ = true;
    char op_ = 0;
    QString base_;
    QString shown_; // the value from the sheet
};

} // namespace varemo::ui
