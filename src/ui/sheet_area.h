#pragma once
// The sheet of the main window: the 47 lines at the places tastencode gives, each with its number,
// text, amount field, flag cells, key field and info and regulation buttons, the headings of the
// flag columns, and the further fields of lines 4, 6, 7, 22, 23 and 33. Clicks go to the
// SheetActions, typed values to the WindowInput; redisplay draws everything from the sheet and the
// working case.

#include "model/flag_column.h"
#include "presentation/key_codes.h"
#include "presentation/sheet_view.h"
#include "presentation/window_settings.h"

#include <array>
#include <map>

class QLabel;
class QLineEdit;
class QObject;
class QWidget;

namespace varemo::ui {

class AmountField;
class FitLabel;
class SheetCell;
class WindowInput;

class SheetArea {
  public:
    // Builds the elements on area. The connections live on receiver (the window), so that the window
    // can cut them all before its elements are destroyed.
    SheetArea(QWidget* area, QObject* receiver, SheetActions& actions, WindowInput& input,
              Prompter& prompter);
    SheetArea(const SheetArea&) = delete;
    SheetArea& operator=(const SheetArea&) = delete;

    void applyColours(const ColourSet& colours);
    void redisplay(const Session& g, const ColourSet& colours, const SheetCaptions& captions);

    // The field the code E of a line goes to: its amount field, or for lines 4, 6, 22 and 23 the
    // tariff factor, the date, the agreed hours and the paid days. Null when the line has none.
    QLineEdit* amountTarget(int line) const;

    SheetCell* lineNumber(int line) const;
    SheetCell* lineText(int line) const;
    AmountField* amountField(int line) const;
    AmountField* extraField(AmountSlot slot) const;
    SheetCell* flagCell(int line, FlagColumn column) const;
    SheetCell* keyField(int line) const;
    SheetCell* payGroupButton() const { return payGroup_; }
    QLineEdit* dateField() const { return dateField_; }
    QLabel* stepMovementLabel() const { return stepMovement_; }
    QLabel* healthCaptionLabel() const;
    QLabel* taxCaptionLabel() const;
    QLabel* classIVCaptionLabel() const { return classIVCaption_; }

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

    void buildSides(QWidget* area);
    void buildLine(QWidget* area, int line);
    void buildFurtherFields(QWidget* area, int line);
    const LineElements& elements(int line) const { return lines_.at(static_cast<size_t>(line - 1)); }

    QObject* receiver_;
    SheetActions& actions_;
    WindowInput& input_;
    Prompter& prompter_;

    std::array<LineElements, kSheetLines> lines_{};
    std::map<AmountSlot, AmountField*> extras_;
    std::array<QLabel*, kFlagColumns> flagHeadings_{};
    SheetCell* payGroup_ = nullptr;
    QLineEdit* dateField_ = nullptr;
    QLabel* stepMovement_ = nullptr;
    FitLabel* healthCaption_ = nullptr;
    FitLabel* taxCaption_ = nullptr;   // the tax block and the tax table, in the net side's heading row
    QLabel* classIVCaption_ = nullptr; // beside line 34, with the class-IV factor
    QWidget* grossSide_ = nullptr;     // SSPanel2
    QWidget* netSide_ = nullptr;       // SSPanel1
};

} // namespace varemo::ui
