#pragma once
// The windows of the calculators for the shown case-month: service age (BDA), jubilee service age (JDA),
// step duration, promotion, experience periods, vacation and the working-time recorder. Each is driven
// by the keyboard like the sheet: Tab and Enter move on (Enter also recalculates), Escape closes, and no
// button is a default that Enter could press. Their inputs are stored in the calculators' side files
// when a window closes, prints or transfers, so that they are there again after a restart. "Drucken"
// (and its kin) opens the preview of the window's printout; a transfer changes the case through the
// calculators' transfer, which runs the calculation.

#include "presentation/menu_dispatch.h"
#include "session/session.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace varemo {
struct StepDurationView;
}

namespace varemo::ui {

class MainWindow;

// The step table of the step-duration window and the step calculator ("Grundgehaltsstufen"): Stufe,
// running time in months ("Endstufe" for the last), beginning before and after the movement, basic pay.
// The step in force in the month shown is yellow, the others white.
QTableWidget* makeStepTable(QWidget* parent);
void showStepTable(QTableWidget* table, const StepDurationView& v);
// The months of a step movement as typed: -600 to 600, else nothing (kStepMovementRange says so).
std::optional<int> stepMovementOf(const QString& typed);
inline constexpr const char* kStepMovementRange = "Die Monate reichen von -600 bis 600.";

class CalculatorDialog : public QDialog {
    Q_OBJECT
  public:
    CalculatorWindow kind() const { return kind_; }
    // A field by its name ("Datum0", "Monate", ...), nullptr when the window has none.
    QLineEdit* field(const QString& name) const;
    QPushButton* button(const QString& caption) const;
    QString resultText() const;
    // Shows the inputs' result again.
    virtual void recompute() = 0;
    // Writes the inputs into the side file (under the folder's lock); false after a message.
    virtual bool store() = 0;
    // Whether the main window still shows the case (user folder, year, case) the window was opened for;
    // its inputs belong to that case alone.
    bool showsItsCase() const;

    void done(int result) override;

  protected:
    CalculatorDialog(Session& g, MainWindow& main, CalculatorWindow kind);
    // A labelled field at row, column pair col (caption in 2 × col, field in 2 × col + 1).
    QLineEdit* addField(QGridLayout* grid, int row, int col, const QString& name, const QString& caption,
                        int kind);
    QPushButton* addButton(const QString& caption, std::function<void()> action);
    void setResult(const QStringList& lines);
    // Stores, then opens the preview of kind.
    void preview(int kind);
    // Enter in a field: recalculate, then the next field.
    void confirmed(QLineEdit* field);

    Session& g_;
    MainWindow& main_;
    QVBoxLayout* column_ = nullptr;
    QPlainTextEdit* result_ = nullptr;
    QWidget* buttonRow_ = nullptr;
    std::map<QString, QLineEdit*> fields_;
    bool confirming_ = false; // messages of a recalculation are shown when a value was confirmed

  private:
    CalculatorWindow kind_;
    std::filesystem::path folder_;
    int year_ = 0;
    int caseNumber_ = 0;
};

// The window's name as its object is named ("BDAform", "Urlaubsber", "Arbeitszeit", ...), and back (None
// for a name no calculator has).
QString calculatorWindowName(CalculatorWindow which);
CalculatorWindow calculatorWindowNamed(const QString& name);

// The windows a picture can show by name (varemo20 --screenshot --window NAME): the calculators and
// the tariff editor ("Tarifeditor"). openWindowNamed opens it beside main and returns it; nullptr when
// no window has the name or it did not open.
bool isWindowName(const QString& name);
QWidget* openWindowNamed(const QString& name, Session& g, MainWindow& main);

// Makes the window of a calculator (not shown yet); nullptr for None.
CalculatorDialog* makeCalculatorWindow(CalculatorWindow which, Session& g, MainWindow& main);

} // namespace varemo::ui
