#pragma once
// The engine's messages as message boxes over the main window.

#include "base/prompter.h"

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

} // namespace varemo::ui
