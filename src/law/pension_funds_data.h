#pragma once
// The shipped rows of the supplementary pension funds. The build generates them from
// data/pension-funds/funds.csv and thresholds.csv (tools/gen_pension_funds.cpp); PensionDefaults turns
// them into the settings of a year.

#include "law/pension_funds.h"

#include <cstdint>
#include <span>

namespace varemo {

// The columns of line 27 a row fills: the western, the eastern or both.
enum class PensionColumns { West, East, Both };

// The rates of a position of line 27 from a month on, until the next row of the same position and column.
struct ShippedPensionRateRow {
    int position;
    PensionColumns columns;
    int year;
    int month; // 1 to 12
    PensionRates rates;
};
std::span<const ShippedPensionRateRow> shippedPensionRateRows();

enum class PensionAmountKind {
    LevyThreshold,           // threshold of the 8 % and 9 % additional levies, both areas
    SpecialPaymentThreshold, // the threshold in the month of the annual special payment (month 0)
    LevyCeiling,             // "Umlagebemessungsgrenze": 2.5 × the pension-insurance ceiling of the area
};

// An amount from a month on, until the next row of the same kind and area; the special-payment
// threshold applies to its year only.
struct ShippedPensionAmountRow {
    PensionAmountKind kind;
    PensionColumns area;
    int year;
    int month;
    int64_t cents;
};
std::span<const ShippedPensionAmountRow> shippedPensionAmountRows();

} // namespace varemo
