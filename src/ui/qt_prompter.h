#pragma once
// The engine's messages as message boxes over the main window, with German button labels ("Ja",
// "Nein", "OK", "Abbrechen") whatever language Qt's own texts are in. A question that would destroy
// data starts on its refusal.

#include "base/prompter.h"

#include <QString>

class QWidget;

namespace varemo::ui {

class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    PromptAnswer ask(const PromptMessage& message) override;

  private:
    QWidget* parent_;
};

// Letter-spaced words ("A U S Z A H L U N G", "a l l e") joined by non-breaking spaces, so that a
// wrapping label never breaks them apart; wider gaps between words stay breakable.
QString withUnbreakableLetterSpacing(const QString& text);

} // namespace varemo::ui
