#pragma once
// The window "Sonderregelungen": the six option groups of a key code (presentation/special_rules_window.h
// decides what a click does). For one line of the working case "Übertrag" takes the codes into the case
// as an edit (recalculated, undoable with Ctrl+Z); for the general rules "Speichern" stores them with the
// user's yearly defaults. Nothing changes before one of the two.

#include "presentation/special_rules_window.h"
#include "session/session.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace varemo::ui {

class SpecialRulesDialog : public QDialog {
    Q_OBJECT
  public:
    // transferEdit runs the transfer of a line as an edit of the case-month (the main window's history).
    SpecialRulesDialog(Session& g, SpecialRulesWindow model,
                       std::function<void(const SpecialRulesWindow&)> transferEdit, QWidget* parent);

    const SpecialRulesWindow& model() const { return model_; }
    QButtonGroup* group(int position) const { return groups_.at(static_cast<size_t>(position - 1)); }
    QLabel* codeLabel() const { return code_; }
    QPushButton* commitButton() const { return commit_; }
    QComboBox* entryBox() const { return entries_; }

  private:
    void showDigits();
    void commit();

    Session& g_;
    SpecialRulesWindow model_;
    std::function<void(const SpecialRulesWindow&)> transferEdit_;
    std::array<QButtonGroup*, 6> groups_{};
    QLabel* code_ = nullptr;
    QComboBox* entries_ = nullptr; // Combo1, general rules only
    QLineEdit* entryName_ = nullptr;
    QPushButton* commit_ = nullptr;
};

} // namespace varemo::ui
