#pragma once
// Allowances and supplements of lines 9, 10, 12, 13 to 15 and 16: their option lists and the amounts
// the tariff lookup takes for them. The amounts here are the unscaled ones; the multipliers and the
// case's tariff factor are applied by the lookup (basic_pay.h) afterwards, except where a rule scales
// an amount itself (the named allowances of lines 13 to 15 and the percentage of step 2 of line 12).
//
// Tariff row entries used: 14 (line 9 option 1), 15 to 22 (family allowance: base amount, married part,
// totals for 1 to 6 children), 25 (line 9 option 0), 1 (line 12 percentage of step 2), the step entries
// (line 13 to 15 option 30).
//
// Allowance records of lines 13 to 15 in the month's tariff file, inside the region's block of 440:
// civil servants (0 to 7) records 110 to 115, employees records 120 to 125, one record per block of
// options (options 1-17, 18-35, 36-53, 54-71, 72-89, 90-107; region 10 from 2017 for service
// relationships below 6: 1-26, 27-53, 54-80, 81-107), the option's entry = option - first option of
// its block.

#include "model/case.h"
#include "model/option_texts.h"
#include "tariffs/multipliers.h"
#include "tariffs/tariff_file.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

inline constexpr int32_t kCivilAllowanceRecord = 110;
inline constexpr int32_t kEmployeeAllowanceRecord = 120;

// What the lookup knows when the allowance rules run.
struct LookupContext {
    const Case& c;
    int year = 0;
    int month = 1;        // 1 to 12
    const TariffRow& row; // the case's row after the adjustment
    int step = 0;         // KeySlot::Step
    int handEntry = 0;    // the step position meaning "typed by hand"
    float tariffFactor = 1.0f;
    TariffYear* tariffs = nullptr; // the month files (allowance and percentage records)
};

struct LineAmount {
    int32_t cents = 0;
    bool exemptFromTariffFactor = false; // marked by the rule: the tariff factor leaves it alone
    bool clearPrevious = false;          // the typed amount is cleared as well
};

// Line 9 (structural or general allowance).
LineAmount lineNineAmount(const LookupContext& ctx);
// The tariff row entry line 9 takes for the case's option at a step (25 the structural or general
// allowance, 14 the general allowance of option 1), or nothing for an option that takes none (typed,
// none).
std::optional<int> lineNineEntry(const Case& c, int step);

// Line 10 (family allowance). familyComputed false: the typed amount for every option.
LineAmount lineTenAmount(const LookupContext& ctx, bool familyComputed);
// Service relationships whose line 10 follows the family-allowance rules of the civil servants.
bool hasFamilyAllowance(int serviceRelationship);
// The married part of the family allowance: entry 16, or half of it when the married-allowance rule
// (line 7) is not 0; an odd entry is raised by one cent first so that the half is exact.
int32_t marriedPart(int32_t entry16, int rule);
// Whether the spouse of a married civil servant is in the public service as well (§ 40 (4) BBesG), as
// the married-allowance rule of line 7 says (1 to 3 halve the married part); nothing where line 10 is
// not the family allowance of a married civil servant (options 1 to 7).
std::optional<bool> spouseInPublicService(const Case& c);

// Line 12 (performance pay).
enum class PerformanceKind {
    None,
    Typed,
    PerformanceStep1, // "Leistungsstufe 1": the next step's amount minus the step's
    PerformanceStep2,
    PercentOfStep2,  // p x entry 1 x tariff factor
    PercentOfWLines, // p x the lines 8 to 20 (not 12) counted for the annual payment ("W")
    PercentOf8,
    PercentOf8And9,
    PercentOf8And10,
    PercentOf8To10,
    PercentOf8And13To15,
    Reduce8Of8, // -8 % of line 8
    Reduce4Of8,
    Reduce8Of8And9,
    Reduce4Of8And9,
};
PerformanceKind performanceKind(int serviceRelationship, int option);
// The multiplier kind that scales a line 12 option, or nothing.
std::optional<MultiplierKind> performanceMultiplierKind(PerformanceKind kind);

// Amounts of the sheet lines 8 to 20 as far as the lookup has them (index line - 8).
using GrossAmounts = std::array<int32_t, kGrossLines>;
LineAmount lineTwelveAmount(const LookupContext& ctx, const GrossAmounts& lines);

// Lines 13 to 15 (line is 13, 14 or 15); lineNine is the amount the lookup found for line 9.
int32_t allowanceAmount(const LookupContext& ctx, int line, int32_t lineNine);
// Whether option `option` of lines 13 to 15 pays the typed amount: 0 (the case's own entry, "Zulage lt.
// Eingabe" until the user renames it) and the two protected amounts 1 and 2.
constexpr bool allowancePaysTypedAmount(int option) {
    return option <= 2;
}

// Option lists.
std::vector<std::string> lineNineOptions(const Case& c);
std::vector<std::string> lineTenOptions(const Case& c, const OptionTextFile& texts);
// Line 10's option as the year view's short code: the family status of the family allowance ("ledig",
// "verh.", "vh. 1K" to "vh. 6K", single parents "ld. 1K" to "ld. 6K", "keine", "lt.Eing."), or the employees'
// protected child amounts ("lt.Eing.", "keine", "1 K." to "3 K."); empty for an option without one.
std::string lineTenShortCode(const Case& c);
std::vector<std::string> lineTwelveOptions(const Case& c);
// The 108 entries of lines 13 to 15; entry 0 is the case's own text (filled in by the sheet).
std::vector<std::string> allowanceOptions(const Case& c, const OptionTextFile& texts);

// a x hundredths / 10000, rounded to whole cents (tie to the even cent).
int32_t percentOfCents(int64_t cents, int64_t hundredths);

} // namespace varemo
