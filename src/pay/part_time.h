#pragma once
// Part-time, partial months and partial retirement: the reduction of the pay lines 8 to 20 into the
// two per-line amounts (column A full time, column B what is paid), the gross lines 21 to 23 and the
// two explanations ("T E I L Z E I T G E H A L T" and the reduction overview).
//
// Where the step reads the case:
//   line 22 (KeySlot::PartTime)      0 "WoStd. v. normal", 1 "Teile von normal", 2 "Prozent v. normal",
//                                    3 "% Ruhegehalt von %"; the factor is always AmountSlot::AgreedHours
//                                    / AmountSlot::RegularHours
//   line 23 (KeySlot::PartialMonth)  0 "Tage von normal", 7 "Tage v. normal (Arbeitsverh. läuft)" and 1
//                                    "% Kürzung": the partial-month fraction AmountSlot::PaidDays /
//                                    AmountSlot::MonthDays (a whole month when the paid days are not
//                                    below the month's); 2 to 6 partial retirement by the lines'
//                                    categories. 0 and 7 reduce the pay alike; only the wage tax tells
//                                    them apart (days of an employment that begins or ends in the month,
//                                    or unpaid days of a continuing one)
//   line 7 (KeySlot::LineSeven)      the married-allowance rule: 1 and 2 ("ohne TZ-Kürzung") keep the
//                                    family part of line 10 whole and reduce only the single person's
//                                    base amount
//   per line 8 to 20                 the part-time flag ("T", lines 8 to 19 only), the partial-month flag
//                                    and the partial-retirement category
//
// Factors: the part-time factor is single precision (Globaldaten::partTimeFactor); the partial-month
// fraction is applied exactly (paid / whole); the partial-retirement factors are 0,5000 and 1,0000.
// Every reduced line amount is rounded to the cent (a tie to the even cent).

#include "model/globaldaten.h"

#include <string>
#include <vector>

namespace varemo {

namespace parttime {
// Positions of line 22.
inline constexpr int kHours = 0;
inline constexpr int kShares = 1;
inline constexpr int kPercent = 2;
inline constexpr int kPension = 3; // "% Ruhegehalt von %"
// Positions of line 23.
inline constexpr int kDays = 0;
inline constexpr int kReduction = 1;
inline constexpr int kRetirementWork = 2;    // "% TV-ATZ Arbeitsphase"
inline constexpr int kRetirementRelease = 3; // "% TV-ATZ Freizeitphase"
inline constexpr int kRetirementLast = 6;
inline constexpr int kDaysContinuing = 7; // "Tage v. normal (Arbeitsverh. läuft)"
} // namespace parttime

// Whether line 23 gives the partial month in days (0 or 7).
bool isPartialMonthInDays(const Case& c);

// Whether line 23 is set to one of the partial-retirement options (2 to 6).
bool isPartialRetirement(const Case& c);

// The partial-month fraction of line 23 options 0 and 1 (paid / whole); 1/1 otherwise and when the
// paid part is not below the whole (a month is never paid more than once).
struct PartialMonthFraction {
    int64_t paid = 1;
    int64_t whole = 1;
    bool partial() const { return paid != whole; }
};
PartialMonthFraction partialMonthFraction(const Case& c);

// The partial-retirement factor of a category in ten-thousandths: 5000 for "A" to "F", 10000 for "a"
// to "g", 0 for "g" in the release phase. A line without a category ("-", "x") is reduced like "A".
int32_t partialRetirementFactor(char category, bool releasePhase);

// Reduces amounts (column A of lines 8 to 20) into the columns. localBase is the single person's base
// amount of line 10 when the local-allowance rule applies (0 otherwise); applyPartTime false leaves the
// part-time factor out (it is exactly 1,0).
PayColumns reducePayLines(const Case& c, const std::array<Money, kGrossLines>& fullAmounts,
                          float partTimeFactor, Money localBase);

// Whether line 10 follows the local-allowance rule (§ 29 (5) and (6) BAT): its part-time flag is set,
// the family allowance is computed, and the married-allowance rule of line 7 says "ohne TZ-Kürzung".
bool localAllowanceRuleApplies(const Globaldaten& g);

// Step 10 of the run: the part-time reduction of lines 8 to 19 (only when the factor is not exactly 1).
void ReducePartTime(Globaldaten& g);
// Step 11 of the run: the two per-line amounts of lines 8 to 20 and the gross lines 21 to 23.
void FillLineAmounts(Globaldaten& g);

// ---- Explanations ----

// "1,000 x " (three decimals, comma).
std::string partTimeFactorText(float factor);
// "   x  1,0000 " for a factor in ten-thousandths; "  x   0,5000 " for the partial-retirement factor.
std::string reductionFactorText(int64_t tenThousandths, bool partialRetirement = false);

struct PartTimeRow {
    int line = 0;
    std::string text;   // the line's text
    Money full;         // column A
    std::string factor; // "1,000 x ", or "s.Ber.   " for a line computed separately
    Money partTime;     // column T
};

struct PartTimeExplanation {
    static constexpr const char* kTitle = "T E I L Z E I T G E H A L T";
    static constexpr const char* kTotalLabel = "TEILZEITGEHALT BRUTTO";
    static constexpr const char* kLocalAllowanceHeading =
        "Berechnung des Ortszuschlags nach § 29 (5) u. (6) BAT:";
    static constexpr const char* kLocalAllowanceLine = "Ortszuschlag lt.obiger Berrechnung";

    std::vector<PartTimeRow> rows;                             // lines 8 to 19
    std::vector<std::pair<std::string, Money>> localAllowance; // the block of the local allowance, if any
    Money total;
};
PartTimeExplanation explainPartTime(const Globaldaten& g);

struct ReductionRow {
    std::string label;  // "Normales Gehalt   lt.Sp. A", ...
    std::string factor; // "   x  1,0000 ", "  x   0,5000 ", "   x  0,0000 " or "bes.Ber."
    Money amount;
};
std::vector<ReductionRow> reductionOverview(const Globaldaten& g);

} // namespace varemo
