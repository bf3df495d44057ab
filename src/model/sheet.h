#pragma once
// The calculation sheet: lines 1 to 47 as numbered in the main window and in every message.
//
// The line table says where each line keeps its main option key and its amount in the Case.
// This is the one place that maps lines to slots; everything else asks it.

#include "model/case.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

inline constexpr int kSheetLines = 47;

struct LineInfo {
    int line;
    std::optional<KeySlot> key;       // the line's main option box
    std::optional<AmountSlot> amount; // the line's amount
    std::optional<KeySlot> extraKey;  // a second box beside the main one (line 4: pay group)
    const char* caption;              // label used when the option list has no text for the chosen position
};

// The line table, lines 1 to 47. Throws std::out_of_range for other numbers.
const LineInfo& lineInfo(int line);

struct SheetLine {
    int number = 0;
    std::string text;                 // the label: the chosen option's text
    std::vector<std::string> options; // the option list of the main box
    std::optional<int> key;           // the chosen position, when the line has an option box
    std::optional<int32_t> amountCents;
};

struct Sheet {
    std::array<SheetLine, kSheetLines> lines;

    SheetLine& line(int n) { return lines.at(static_cast<size_t>(n - 1)); }
    const SheetLine& line(int n) const { return lines.at(static_cast<size_t>(n - 1)); }
};

// Accessors of the working case by sheet line.
std::optional<int> lineKey(const Case& c, int line);
std::optional<int32_t> lineAmount(const Case& c, int line);
std::optional<int32_t> linePreviousAmount(const Case& c, int line);
void setLineKey(Case& c, int line, int16_t key);

// Option lists that depend on more than the case (the year, the tariff tables, the option-text file):
// a source supplies them for the lines it knows; the other lines keep their fixed lists.
class OptionListSource {
  public:
    virtual ~OptionListSource() = default;
    virtual std::optional<std::vector<std::string>> options(const Case& c, int line) const = 0;
    // The line's text where it says the chosen entry shorter than the list does (line 34
    // "Steuerklasse III / 1,0"); nullopt: the chosen entry's text.
    virtual std::optional<std::string> label(const Case&, int) const { return std::nullopt; }
};

// Lines whose first list entry is a text the user may rename, and where the case keeps it.
std::optional<CaseText> renamableFirstEntry(int line);

// The option list of a line for the case (empty where the list is built from data not yet loaded).
std::vector<std::string> lineOptions(const Case& c, int line, const OptionListSource* source = nullptr);

// Fills the sheet from the working case: numbers, option lists, labels and amounts.
void buildSheet(const Case& c, Sheet& sheet, const OptionListSource* source = nullptr);

} // namespace varemo
