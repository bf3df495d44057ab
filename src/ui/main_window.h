#pragma once
// form1: the main window. It shows the sheet of the working case-month, line by line at the places
// tastencode gives, with the bars above it (menu, function buttons, data sets, years, months, the
// case) and the share panels and hint line below. Every input goes through the engine's line input
// (amount, option, flag, date, name) and ends with the engine's recalculation; the window then
// redraws itself from the sheet (redisplay). Keyboard codes are read from every key the window gets.

#include "model/flag_column.h"
#include "session/session.h"
#include "presentation/key_codes.h"
#include "presentation/menu_items.h"
#include "presentation/window_settings.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <map>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;

namespace varemo::ui {

class AmountField;
class CalculatorWidget;
class OptionGrid;
class SharePanel;
class SheetCell;
class WindowGeometryStore;

class MainWindow : public QMainWindow, private SheetActions {
    Q_OBJECT
public:
    explicit MainWindow(Session& g, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Redraws every element from the sheet and the working case (the engine has rebuilt the sheet).
    void redisplay();
    // Takes the position and size from the store (brought onto the screen) and saves them on close.
    void restorePlacement(WindowGeometryStore* store);
    static QSize defaultSize();

    // Keyboard codes: what a key does before the element with the focus sees it. True when used.
    bool previewKey(QObject* target, QKeyEvent* event);
    void executeCode(const KeyCode& code) { tastenauswertung(code, *this); }

    // Elements, for the program's own tests and tools.
    SheetCell* lineNumber(int line) const;
    SheetCell* lineText(int line) const;
    AmountField* amountField(int line) const;
    AmountField* extraField(int slot) const;
    SheetCell* flagCell(int line, FlagColumn column) const;
    SheetCell* keyField(int line) const;
    SheetCell* payGroupButton() const { return payGroup_; }
    QLineEdit* dateField() const { return dateField_; }
    QLineEdit* caseNameField() const { return caseName_; }
    QSpinBox* caseNumberField() const { return caseNumber_; }
    QLineEdit* memoField() const { return memo_; }
    QLineEdit* renameEditor() const { return renameEditor_; }
    QPushButton* monthButtonWidget(int month) const;
    QPushButton* yearButtonWidget(int year) const;
    QPushButton* dataSetButton(DataSet set) const;
    QPushButton* functionBarButton(int code) const;
    QMenu* menuGroup(char letter) const;
    OptionGrid* optionGrid() const { return grid_; }
    CalculatorWidget* calculator() const { return calculator_; }
    SharePanel* sharePanel(int index) const { return shares_[static_cast<size_t>(index)]; }
    QLabel* hintLine() const { return tip_; }
    QLabel* keyStateLabel() const { return keyState_; }
    QLabel* reminderLabel() const { return reminder_; }
    QLabel* tariffAreaLabel() const { return tariffArea_; }
    QLabel* stepMovementLabel() const { return stepMovement_; }
    QLabel* healthCaptionLabel() const { return healthCaption_; }
    QPushButton* lawLinkButton() const { return lawLink_; }
    QPushButton* payStructureButton() const { return payStructure_; }
    QTimer& reminderTimer() { return reminderTimer_; }
    const KeyCodeMachine& keyCodes() const { return keys_; }
    int focusedSlot() const { return focusedSlot_; }
    // Closing writes the user's window record (on by default).
    void setWritesWindowRecord(bool on) { writeRecordOnClose_ = on; }
    // Shows the reminder as the special payments decide it (nullopt: none).
    void showReminder(const std::optional<std::string>& text);

    // The functions of the bars, as a click on them.
    void functionButton(int number) override;
    void menuItem(int number) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct LineElements {
        SheetCell* number = nullptr;     // com
        SheetCell* text = nullptr;       // z
        AmountField* amount = nullptr;   // t
        SheetCell* info = nullptr;       // extra
        SheetCell* regulation = nullptr; // par
        SheetCell* key = nullptr;        // SR (lines 25, 26, 44 to 46) or dem (line 43)
        std::array<SheetCell*, kFlagColumns> flags{};
    };

    // SheetActions: one element's click each.
    void openOptionList(int line) override;
    void advanceCategory(int line) override;
    void focusAmount(int line) override;
    void lineHelp(int line) override;
    void infoButton(int number) override;
    void yearButton(int year) override;
    void toggleFlag(int line, FlagColumn column) override;
    void monthButton(int month) override;
    void renameEntry(int line) override;
    void regulation(int line) override;

    void buildMenus();
    void buildBars(QWidget* area);
    void buildSheet(QWidget* area);
    void buildLine(QWidget* area, int line);
    void buildBottom(QWidget* area);
    void setHint(QWidget* w, const QString& hint);
    void applyColours();
    void openPayGroupList();
    void chooseEntry(int line, bool payGroup, int position);
    void closeOptionGrid();
    void commitAmount(int slot, const QString& text);
    void commitDate();
    void commitCaseName();
    void commitRename();
    void selectCaseNumber();
    void changeDataSet(DataSet set);
    void copyCase(int direction);
    void openMenuGroup(char letter);
    void answerUnavailable(Availability a);
    void escape();
    void updateKeyState();
    void savePlacement();
    // Runs an engine call that may change the selection or the case and redraws afterwards.
    template <typename F> void engine(F&& f);

    Session& g_;
    WindowGeometryStore* store_ = nullptr;
    ColourSet colours_;
    int coloursYear_ = 0;

    std::array<LineElements, 47> lines_{};
    std::map<int, AmountField*> extras_;
    std::array<QLabel*, kFlagColumns> flagHeadings_{};
    SheetCell* payGroup_ = nullptr;
    QLineEdit* dateField_ = nullptr;
    QLabel* stepMovement_ = nullptr;
    QLabel* healthCaption_ = nullptr;
    QWidget* grossSide_ = nullptr; // SSPanel2
    QWidget* netSide_ = nullptr;   // SSPanel1

    std::array<QPushButton*, 3> dataSets_{};
    std::array<QPushButton*, 4> copies_{};
    std::array<QPushButton*, 5> years_{};
    std::array<QPushButton*, 13> months_{};
    std::array<QPushButton*, 24> functions_{};
    std::map<char, QMenu*> menus_;
    QLabel* keyState_ = nullptr;  // Tastenstand
    QLabel* tip_ = nullptr;       // Tip
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
    OptionGrid* grid_ = nullptr;     // zgrid
    CalculatorWidget* calculator_ = nullptr;
    QLineEdit* renameEditor_ = nullptr;
    int renameLine_ = 0;

    // Progress of long operations goes to the hint line.
    struct TipStatus : StatusLine {
        MainWindow* window = nullptr;
        void show(const std::string& text) override;
    } status_;
    bool writeRecordOnClose_ = true;

    QTimer reminderTimer_; // Timer99
    QTimer clockTimer_;    // Timer2
    KeyCodeMachine keys_;
    int focusedSlot_ = -1;
    bool redisplaying_ = false;
    std::optional<std::string> reminderText_;
};

} // namespace varemo::ui
