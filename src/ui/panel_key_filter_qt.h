#pragma once
// The panel key filter on a Qt text field: every typed character (and Enter and Backspace) is
// tested before the field takes it; a refused key is discarded after the message.

#include "base/prompter.h"
#include "presentation/panel_key_filter.h"

#include <QObject>

class QLineEdit;

namespace varemo::ui {

class PanelKeyFilter : public QObject {
    Q_OBJECT
  public:
    // Installs itself on the field (and is owned by it).
    static PanelKeyFilter* install(QLineEdit* field, PanelFieldKind kind, Prompter& prompter);
    PanelFieldKind kind() const { return kind_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    PanelKeyFilter(QLineEdit* field, PanelFieldKind kind, Prompter& prompter);
    QLineEdit* field_;
    PanelFieldKind kind_;
    Prompter& prompter_;
};

} // namespace varemo::ui
