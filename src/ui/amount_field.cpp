#include "ui/amount_field.h"

#include "session/sheet_edits.h"

#include <QKeyEvent>
#include <QTimer>

namespace varemo::ui {

AmountField::AmountField(QWidget* parent, AmountSlot slot) : QLineEdit(parent), slot_(slot) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFrame(true);
    setMaxLength(20);
    connect(this, &QLineEdit::textEdited, this, [this] { dirty_ = true; });
}

void AmountField::showValue(const QString& text) {
    shown_ = text;
    dirty_ = false;
    op_ = 0;
    setPlaceholderText(QString());
    if (text != this->text()) setText(text);
    setModified(false);
}

void AmountField::setTyped(bool typed, const QColor& grey, const QColor& white) {
    typed_ = typed;
    setReadOnly(!typed);
    setFocusPolicy(typed ? Qt::StrongFocus : Qt::ClickFocus);
    QPalette p = palette();
    QColor want = typed ? grey : white;
    if (p.color(QPalette::Base) != want) {
        p.setColor(QPalette::Base, want);
        setPalette(p);
    }
}

void AmountField::keyPressEvent(QKeyEvent* e) {
    bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (ctrl && typed_ && (e->key() == Qt::Key_Plus || e->key() == Qt::Key_Minus)) {
        // The amount shown is the base; what is typed next is added or subtracted.
        base_ = op_ ? base_ : text();
        op_ = e->key() == Qt::Key_Plus ? '+' : '-';
        clear();
        setPlaceholderText(op_ == '+' ? QStringLiteral("+ Betrag") : QStringLiteral("- Betrag"));
        dirty_ = true;
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && typed_) {
        commit();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void AmountField::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // The amount shown is replaced by what is typed (a click would place the cursor after this).
    if (typed_) {
        if (e->reason() == Qt::MouseFocusReason)
            QTimer::singleShot(0, this, [this] { selectAll(); });
        else
            selectAll();
    }
    emit focused(slot_);
}

void AmountField::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason) commit();
}

void AmountField::commit() {
    if (!dirty_ || !typed_) return;
    QString value = text();
    if (op_) {
        auto result =
            quickArithmetic(base_.toStdString(), op_, text().isEmpty() ? "0" : text().toStdString());
        value = result ? QString::fromStdString(*result) : base_;
        op_ = 0;
        setPlaceholderText(QString());
    }
    dirty_ = false;
    emit committed(slot_, value);
}

} // namespace varemo::ui
