#pragma once
// The flag columns of the gross-pay lines 8 to 20 as the main window shows them.

#include "model/case.h"

#include <array>
#include <string>

namespace varemo {

enum class FlagColumn : int {
    WageTax = 0,          // lst, heading L: "x" subject to wage tax
    SocialInsurance,      // soz, heading S
    SupplementaryPension, // zvk, heading Z
    PartTime,             // tei, heading T: reduced for part-time in line 22
    AnnualPayment,        // Wei, heading W: counted for the annual special payment of line 19
    PerformancePay,       // lei: "L" performance pay, "N" not
    PartialRetirement,    // bru, heading B: category for the partial-retirement calculation
};
inline constexpr int kFlagColumns = 7;
inline constexpr std::array<FlagColumn, kFlagColumns> kAllFlagColumns = {
    FlagColumn::WageTax,          FlagColumn::SocialInsurance, FlagColumn::SupplementaryPension,
    FlagColumn::PartTime,         FlagColumn::AnnualPayment,   FlagColumn::PerformancePay,
    FlagColumn::PartialRetirement};

// The column heading ("L", "S", "Z", "T", "W", "P", "B").
const char* flagColumnHeading(FlagColumn column);
// The letter of the keyboard code that toggles the column ('L', 'S', 'Z', 'T', 'W', 'P', 'B').
char flagColumnCodeLetter(FlagColumn column);
// The per-line flag a column shows; the partial-retirement column shows the category instead.
LineFlag flagOfColumn(FlagColumn column);
// What the cell of a line shows: "x"/"-", "L"/"N", or the category character.
std::string flagCellText(const Case& c, int line, FlagColumn column);
// The category after c in the order "-", "A" to "F", "a" to "g", "x", then "-" again.
char nextPartialRetirementCategory(char c);
// The edit code of a toggle: 300 + row (tax), 400 + row (social insurance), 500 + row (supplementary
// pension), 600 + row (annual payment), 700 + row (part-time), row 0 to 12 for lines 8 to 20;
// 0 for the performance-pay and category columns, which have none.
int flagEditCode(FlagColumn column, int line);

} // namespace varemo
