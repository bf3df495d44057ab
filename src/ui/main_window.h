#pragma once
// form1: the main window. It shows the sheet of the working case-month, line by line at the places
// tastencode gives, with the bars above it (menu, function buttons, data sets, years, months, the
// case) and the share panels and hint line below. Every input goes through the engine's line input
// (amount, option, flag, date, name) and ends with the engine's recalculation; the window then
// redraws itself from the sheet (redisplay). Keyboard codes are read from every key the window gets.
//
// The window coordinates its parts: the sheet (SheetArea), the bars (WindowBars), the option list
// and the calculator. Its own code is split by topic: main_window.cpp (building, redisplay,
// placement, closing, the entry into the engine), main_window_actions.cpp (what buttons, menus,
// keyboard codes and typed values do) and main_window_option_list.cpp (the option list and the
// renaming of first entries).

#include "base/report_table.h"
#include "model/flag_column.h"
#include "presentation/key_codes.h"
#include "presentation/menu_dispatch.h"
#include "presentation/menu_items.h"
#include "presentation/window_settings.h"
#include "print/print_kind.h"
#include "session/edit_history.h"
#include "session/session.h"
#include "ui/tablett.h"
#include "ui/window_input.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace varemo::ui {

class AmountField;
class CalculatorDialog;
class CalculatorWidget;
class Druckvorschau;
class OptionGrid;
class SharePanel;
class SpecialRulesDialog;
class SheetArea;
class SheetCell;
class WindowBars;
class WindowGeometryStore;

class MainWindow : public QMainWindow, private SheetActions, private WindowInput, private PanelHost {
    Q_OBJECT
  public:
    explicit MainWindow(Session& g, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Redraws every element from the sheet and the working case (the engine has rebuilt the sheet).
    void redisplay();
    // Takes the position and size from the store (brought onto the screen) and saves them on close.
    void restorePlacement(WindowGeometryStore* store);
    // Where the panel window keeps its place; it opens there again.
    void setPanelPlacement(WindowGeometryStore* store) { panelStore_ = store; }
    static QSize defaultSize();

    // Keyboard codes: what a key does before the element with the focus sees it. True when used.
    bool previewKey(QObject* target, QKeyEvent* event);
    void executeCode(const KeyCode& code) { tastenauswertung(code, *this); }

    // Elements, for the program's own tests and tools.
    SheetCell* lineNumber(int line) const;
    SheetCell* lineText(int line) const;
    AmountField* amountField(int line) const;
    AmountField* extraField(AmountSlot slot) const;
    SheetCell* flagCell(int line, FlagColumn column) const;
    SheetCell* keyField(int line) const;
    SheetCell* payGroupButton() const;
    QLineEdit* dateField() const;
    QLineEdit* caseNameField() const;
    QSpinBox* caseNumberField() const;
    QLineEdit* memoField() const;
    QLineEdit* renameEditor() const { return renameEditor_; }
    QPushButton* monthButtonWidget(int month) const;
    QPushButton* yearButtonWidget(int year) const;
    QPushButton* dataSetButton(DataSet set) const;
    QPushButton* functionBarButton(int code) const;
    QMenu* menuGroup(char letter) const;
    OptionGrid* optionGrid() const { return grid_; }
    CalculatorWidget* calculator() const { return calculator_; }
    SharePanel* sharePanel(int index) const;
    QLabel* hintLine() const;
    QLabel* keyStateLabel() const;
    QLabel* reminderLabel() const;
    QLabel* tariffAreaLabel() const;
    QLabel* stepMovementLabel() const;
    QLabel* healthCaptionLabel() const;
    QLabel* classIVCaptionLabel() const;
    QPushButton* lawLinkButton() const;
    QPushButton* payStructureButton() const;
    QTimer& reminderTimer();
    const KeyCodeMachine& keyCodes() const { return keys_; }
    const EditHistory& editHistory() const { return history_; }
    std::optional<AmountSlot> focusedSlot() const { return focusedSlot_; }
    // Closing writes the user's window record (on by default).
    void setWritesWindowRecord(bool on) { writeRecordOnClose_ = on; }
    // Shows the reminder as the special payments decide it (nullopt: none).
    void showReminder(const std::optional<std::string>& text);

    // The functions of the bars, as a click on them.
    void functionButton(int number) override;
    void menuItem(int number) override;

    // The preview of a printout (PrintKind) of the shown case-month; the entry of every "Drucken"
    // (main_window_print.cpp). A printout without its inputs says so and shows nothing.
    void showPrintout(int kind) override;
    // The year views (39, 40, 41) and the control listing (49) print options.table when it is given, or
    // else the table they build from the case's months.
    void showPrintout(int kind, print::PrintOptions options);
    // The window of a calculator for the shown case-month (calculator_windows.h); one at a time.
    void openCalculator(CalculatorWindow which);
    CalculatorDialog* calculatorWindow() const { return calculatorWindow_; }
    // What a calculator's window changes in the case goes through here and is redrawn.
    void engineCall(const std::function<void()>& call) { engine(call); }
    Druckvorschau* preview() const { return preview_; }
    // The panel window with a content (panel_contents.h); a code without a builder answers "Sorry".
    void openPanel(int content) override;
    Tablett* panel() const { return tablett_; }
    // The window "Sonderregelungen" for a key field (lines 25, 26, 44 to 46) or the general rules.
    void openSpecialRules(int line) override;
    void openGeneralRules(bool inKind);
    SpecialRulesDialog* specialRules() const { return specialRules_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
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
    void chooseDataSet(int number) override;
    void copyButton(int number) override;

    // WindowInput: what the sheet and the bars hand on.
    void commitAmount(AmountSlot slot, const QString& text) override;
    void amountFocused(int line, AmountSlot slot, bool takesTransfer) override;
    void commitDate() override;
    void openPayGroupList() override;
    void commitCaseName() override;
    void commitMemo() override;
    void selectCaseNumber() override;
    void changeDataSet(DataSet set) override;
    void copyCase(int direction) override;
    void answerUnavailable(Availability a) override;

    // The year view (menu Y30 to Y33) of the shown case and the cost-centre overview (Y34).
    void openOverview(int number);
    // Seriendruck (f09).
    void openSerialPrint();
    void applyColours();
    // The memo field shows the memo of the shown case; typed text not yet saved goes to the case it
    // was typed for before another case's memo is shown.
    void showMemoOfCase();
    void chooseEntry(int line, bool payGroup, int position);
    void closeOptionGrid();
    void commitRename();
    void transferFromCalculator(const QString& text);
    void escape();
    void revertTyping();
    void undoEdit();
    void clearKeyCode();
    void updateKeyState();
    void savePlacement();
    void printScreen(bool colour); // f03, f04
    void printerSetup();           // Y07
    // The window's entry into the engine: runs a call that may change the selection or the case and
    // redraws afterwards. Whatever the call throws is shown as the message "Fehler".
    void engine(const std::function<void()>& call) override;
    // PanelHost
    Session& session() override { return g_; }
    void redisplayMain() override { redisplay(); }
    void coloursChanged() override {
        coloursYear_ = 0; // the colours of the year are read again
        redisplay();
    }
    void dispatch(const MenuDispatch& d, const std::string& code, const std::string& caption);
    void recalculateAll();
    void chooseStorageLocation();

    Session& g_;
    WindowGeometryStore* store_ = nullptr;
    WindowGeometryStore* panelStore_ = nullptr;
    ColourSet colours_;
    int coloursYear_ = 0;

    std::unique_ptr<WindowBars> bars_;
    std::unique_ptr<SheetArea> sheet_;
    OptionGrid* grid_ = nullptr; // zgrid
    Tablett* tablett_ = nullptr;
    SpecialRulesDialog* specialRules_ = nullptr;
    CalculatorDialog* calculatorWindow_ = nullptr;
    CalculatorWidget* calculator_ = nullptr;
    QLineEdit* renameEditor_ = nullptr;
    int renameLine_ = 0;
    struct MemoOwner {
        std::filesystem::path folder;
        int year = 0;
        int caseNumber = 0;
        bool operator==(const MemoOwner&) const = default;
    } memoOwner_;

    // Progress of long operations goes to the hint line.
    struct TipStatus : StatusLine {
        MainWindow* window = nullptr;
        void show(const std::string& text) override;
    } status_;
    bool writeRecordOnClose_ = true;

    KeyCodeMachine keys_;
    EditHistory history_;      // Ctrl+Z
    bool runningCode_ = false; // a completed code is being executed (it may move the focus itself)
    std::optional<AmountSlot> focusedSlot_;
    bool redisplaying_ = false;

    std::shared_ptr<QPrinter> printer_; // kept with what the print dialog set up
    Druckvorschau* preview_ = nullptr;  // made when first needed, then hidden and shown again
};

} // namespace varemo::ui
