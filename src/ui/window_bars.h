#pragma once
// The bars around the sheet: the menu bar, the function bar (f01 to f24) with the key state, the
// selection bar (data sets, copy buttons, years, months, memo field, clock), the case bar (number,
// name, tariff area, law and pay-structure buttons, the blinking reminder) and, below the sheet, the
// share panels, the instructions and the hint line. Clicks go to the SheetActions, the case fields
// and the data-set and copy buttons to the WindowInput.

#include "model/data_set.h"
#include "presentation/key_codes.h"
#include "presentation/sheet_view.h"
#include "presentation/window_settings.h"

#include <QTimer>

#include <array>
#include <map>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QSpinBox;
class QWidget;

namespace varemo::ui {

class SharePanel;
class WindowInput;

class WindowBars {
  public:
    // The connections live on window, so that it can cut them all before its elements are destroyed.
    WindowBars(QMainWindow* window, SheetActions& actions, WindowInput& input);
    WindowBars(const WindowBars&) = delete;
    WindowBars& operator=(const WindowBars&) = delete;

    // Built in two parts, before and after the sheet, so that the elements follow each other from top
    // to bottom (the order of the focus chain and of drawing).
    void buildTop(QWidget* area);
    void buildBottom(QWidget* area);

    void applyColours(const ColourSet& colours);
    void redisplay(const Session& g, const ColourSet& colours, const SheetCaptions& captions);
    // Shows the reminder as the special payments decide it (nullopt: none); it blinks while shown.
    void showReminder(const std::optional<std::string>& text);
    void showHint(const QString& text);
    void showKeyState(const std::string& pending);
    void openMenuGroup(char letter);
    void hideMenus();
    bool isMenu(const QWidget* w) const;
    // f22: shows or hides the memo field.
    void toggleMemo();
    void stopTimers();

    QPushButton* monthButton(int month) const;
    QPushButton* yearButton(int year) const;
    QPushButton* dataSetButton(DataSet set) const;
    // The copy buttons in the order of copyDirection: I→P, P→R, P→I, R→P, I→R, R→I.
    QPushButton* copyButton(int index) const { return copies_.at(static_cast<size_t>(index)); }
    QPushButton* functionButton(int code) const;
    QMenu* menuGroup(char letter) const;
    QLineEdit* caseNameField() const { return caseName_; }
    QSpinBox* caseNumberField() const { return caseNumber_; }
    QLineEdit* memoField() const { return memo_; }
    SharePanel* sharePanel(int index) const { return shares_[static_cast<size_t>(index)]; }
    QLabel* hintLine() const { return tip_; }
    QLabel* keyStateLabel() const { return keyState_; }
    QLabel* reminderLabel() const { return reminder_; }
    QLabel* tariffAreaLabel() const { return tariffArea_; }
    QPushButton* lawLinkButton() const { return lawLink_; }
    QPushButton* payStructureButton() const { return payStructure_; }
    QTimer& reminderTimer() { return reminderTimer_; }
    QTimer& clockTimer() { return clockTimer_; }

  private:
    void buildMenus();
    void buildFunctionBar(QWidget* area);
    void buildSelectionBar(QWidget* area);
    void buildCaseBar(QWidget* area);

    QMainWindow* window_;
    SheetActions& actions_;
    WindowInput& input_;

    std::array<QPushButton*, 3> dataSets_{};
    std::array<QPushButton*, 6> copies_{};
    std::array<QPushButton*, 5> years_{};
    std::array<QPushButton*, 13> months_{};
    std::array<QPushButton*, 24> functions_{};
    std::map<char, QMenu*> menus_;
    QLabel* keyState_ = nullptr;     // Tastenstand
    QLabel* tip_ = nullptr;          // Tip
    QLabel* instructions_ = nullptr; // Anleitungstext
    QLabel* tariffArea_ = nullptr;
    QLabel* clock_ = nullptr;
    QLabel* reminder_ = nullptr;
    QPushButton* lawLink_ = nullptr;
    QPushButton* payStructure_ = nullptr;
    QSpinBox* caseNumber_ = nullptr; // tdbnumber1
    QLineEdit* caseName_ = nullptr;  // Text1
    QLineEdit* memo_ = nullptr;      // SSPanel7
    std::array<SharePanel*, 3> shares_{};

    QTimer reminderTimer_; // Timer99
    QTimer clockTimer_;    // Timer2
    std::optional<std::string> reminderText_;
};

} // namespace varemo::ui
