#include "ui/panel_key_filter_qt.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace varemo::ui {

PanelKeyFilter::PanelKeyFilter(QLineEdit* field, PanelFieldKind kind, Prompter& prompter)
    : QObject(field), field_(field), kind_(kind), prompter_(prompter) {}

PanelKeyFilter* PanelKeyFilter::install(QLineEdit* field, PanelFieldKind kind, Prompter& prompter) {
    auto* filter = new PanelKeyFilter(field, kind, prompter);
    field->installEventFilter(filter);
    return filter;
}

bool PanelKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_ || event->type() != QEvent::KeyPress) return false;
    auto* e = static_cast<QKeyEvent*>(event);
    int code = 0;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        code = kKeyEnter;
    else if (e->key() == Qt::Key_Backspace)
        code = kKeyBackspace;
    else if (!e->text().isEmpty() && e->text().at(0).unicode() >= 32 &&
             !(e->modifiers() & Qt::ControlModifier))
        code = e->text().at(0).unicode();
    else
        return false; // navigation and editing shortcuts are no typed characters
    // A selection is replaced by the key: the rules apply to what stays in the field.
    QString kept = field_->text();
    if (field_->hasSelectedText()) kept.remove(field_->selectionStart(), field_->selectedText().size());
    auto refusal = filterPanelKey(kind_, kept.toStdString(), code);
    if (!refusal) return false;
    if (!refusal->silent) prompter_.tell(refusal->title, {refusal->text}, PromptIcon::Warning);
    return true;
}

} // namespace varemo::ui
