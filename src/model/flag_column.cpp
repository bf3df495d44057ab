#include "model/flag_column.h"

#include <stdexcept>

namespace varemo {

const char* flagColumnHeading(FlagColumn column) {
    switch (column) {
    case FlagColumn::WageTax:
        return "L";
    case FlagColumn::SocialInsurance:
        return "S";
    case FlagColumn::SupplementaryPension:
        return "Z";
    case FlagColumn::PartTime:
        return "T";
    case FlagColumn::AnnualPayment:
        return "W";
    case FlagColumn::PerformancePay:
        return "P";
    case FlagColumn::PartialRetirement:
        return "B";
    }
    return "";
}

char flagColumnCodeLetter(FlagColumn column) {
    return flagColumnHeading(column)[0];
}

LineFlag flagOfColumn(FlagColumn column) {
    switch (column) {
    case FlagColumn::WageTax:
        return LineFlag::WageTax;
    case FlagColumn::SocialInsurance:
        return LineFlag::SocialInsurance;
    case FlagColumn::SupplementaryPension:
        return LineFlag::SupplementaryPension;
    case FlagColumn::PartTime:
        return LineFlag::PartTime;
    case FlagColumn::AnnualPayment:
        return LineFlag::AnnualPayment;
    case FlagColumn::PerformancePay:
        return LineFlag::PerformancePay;
    case FlagColumn::PartialRetirement:
        return LineFlag::PartialMonth;
    }
    throw std::invalid_argument("flag column");
}

std::string flagCellText(const Case& c, int line, FlagColumn column) {
    const GrossLineAttributes& a = c.grossLine(line);
    switch (column) {
    case FlagColumn::PerformancePay:
        return a.flag(LineFlag::PerformancePay) ? "L" : "N";
    case FlagColumn::PartialRetirement:
        return std::string(1, a.partialRetirementCategory ? a.partialRetirementCategory : '-');
    default:
        return a.flag(flagOfColumn(column)) ? "x" : "-";
    }
}

char nextPartialRetirementCategory(char c) {
    if (c == '-' || c == 0 || c == ' ') return 'A';
    if (c >= 'A' && c < 'F') return static_cast<char>(c + 1);
    if (c == 'F') return 'a';
    if (c >= 'a' && c < 'g') return static_cast<char>(c + 1);
    if (c == 'g') return 'x';
    return '-'; // after 'x', and for anything a damaged record may hold
}

int flagEditCode(FlagColumn column, int line) {
    int row = line - kFirstGrossLine;
    switch (column) {
    case FlagColumn::WageTax:
        return 300 + row;
    case FlagColumn::SocialInsurance:
        return 400 + row;
    case FlagColumn::SupplementaryPension:
        return 500 + row;
    case FlagColumn::AnnualPayment:
        return 600 + row;
    case FlagColumn::PartTime:
        return 700 + row;
    default:
        return 0;
    }
}

} // namespace varemo
