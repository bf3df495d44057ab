#pragma once
// Scaling of table amounts: the two program-wide multipliers and the case's individual tariff factor.
//
// Multipliers raise table amounts for increases that are not yet in the tariff files. There is one for
// civil servants (service relationships 0 to 7) and one for tariff employees (8 to 27), each entered as
// a percentage with two decimals and a start month of the year. The percentage is kept as a fixed-point
// factor with four decimals (102,00 % = 1.0200 = 10200 ten-thousandths). A scaled amount is the exact
// product cents * factor, rounded once to whole cents (tie to the even cent). A factor of exactly 1 does
// nothing.
//
// The tariff factor ("%    des normalen Tarifgehalts", 100 down to 75 percent) is a single-precision
// value; its product with an amount is rounded to whole cents (tie to the even cent) from the exact
// binary value of the float.
//
// Range errors throw MoneyOverflow.

#include <cstdint>
#include <optional>

namespace varemo {

enum class MultiplierKind { CivilServant, TariffEmployee };

struct Multiplier {
    static constexpr int32_t kOne = 10000;

    int32_t factor = kOne; // ten-thousandths, equal to the percentage in hundredths of a percent
    int startMonth = 1;    // 1 to 12: applies in this month and the later months of the year

    bool isNeutral() const { return factor == kOne; }
};

// The settings of both multipliers.
struct Multipliers {
    Multiplier civilServant;
    Multiplier tariffEmployee;
};

// Civil servants for 0 to 7, tariff employees for 8 to 27, nothing for the other codes.
std::optional<MultiplierKind> multiplierKindOf(int serviceRelationship);

// The out-of-tariff groups that the tariff-employee multiplier never scales:
//   10, 12: group 17;  11, 13, 16, 17, 22, 23, 24: group 15;  14: group 21;  15: every group above 17;
//   18, 20: group 10;  19: group 10 in region 6, group 5 elsewhere;  21: group 20;  25 to 27: all.
bool isOutOfTariffGroup(int serviceRelationship, int group, int region);

// The multiplier that scales the table amounts of this case-month (month 1 to 12), or nothing: when the
// service relationship has no multiplier, the group is out of tariff, the month lies before the start
// month or the factor is exactly 1.
std::optional<Multiplier> applicableMultiplier(const Multipliers& multipliers, int serviceRelationship,
                                               int group, int region, int month);

// cents * factor, rounded to whole cents with a tie to the even cent.
int32_t scaleByMultiplier(int32_t cents, const Multiplier& multiplier);

// Whether a multiplier of this kind scales the amount of sheet line `line` with its option.
//   Both kinds: line 8 unless the step option is the hand-entry position (handEntryStep).
//   Civil servants: line 9 with option below 2, line 10 with option below 15, lines 13 to 16 with an
//   option above 0.
//   Tariff employees: line 9; line 10, except for service relationships 10 to 19 and 24 with option 0
//   and never for service relationship 25.
// Line 12 is not decided here: its percentage-based options take the multiplier of their own rule (the
// performance-pay computation knows which options those are).
bool multiplierScalesLine(MultiplierKind kind, int serviceRelationship, int line, int option,
                          int handEntryStep);

// amount * tariff factor, rounded to whole cents with a tie to the even cent.
int32_t applyTariffFactor(int32_t cents, float tariffFactor);

// Whether the case's tariff factor reduces sheet line `line` with its option: line 8, line 9 with option
// below 2 and line 10 with option below 15, unless the allowance rules marked the line as exempt.
bool tariffFactorScalesLine(int line, int option, bool exempt);

} // namespace varemo
