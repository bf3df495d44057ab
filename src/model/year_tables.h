#pragma once
// The values of a year that the user keeps in the panels of weekly hours (Y21), Christmas bonus (Y24),
// time supplements (Y25), child benefit (Y28) and the civil servants' pension levy (Y45); their file is
// described in persistence/year_settings.h. Of them the calculation reads the weekly hours (line 22 without
// regular hours of its own) and the levy percentages (line 27 without a typed percentage); the others are
// kept for the user and the printouts.

#include "tariffs/tariff_address.h"

#include <array>
#include <cstdint>

namespace varemo {

class Case;

inline constexpr int kTimeSupplementRates = 6;
inline constexpr int kChildBenefitRanks = 4; // 1st, 2nd, 3rd, 4th and further child

struct YearTableValues {
    // Regular weekly hours of full time, hundredths of an hour, per service relationship, West [0] and
    // Ost [1].
    std::array<std::array<int32_t, 2>, kServiceRelationships> weeklyHours{};
    // Christmas bonus in percent of a month's pay, hundredths of a percent, per service relationship.
    std::array<std::array<int32_t, 2>, kServiceRelationships> christmasBonus{};
    // Hourly rates of the time supplements of lines 16 and 17, cents (order: timeSupplementNames()).
    std::array<int32_t, kTimeSupplementRates> hourlyRates{};
    // Child benefit a month per child rank, cents, per month.
    std::array<std::array<int32_t, kChildBenefitRanks>, 12> childBenefit{};
    // Civil servants' pension levy (line 27), hundredths of a percent of the levy base; 0: none given.
    int32_t pensionReservePercent = 0;  // "Versorgungsrücklage in %"
    int32_t pensionFundLevyPercent = 0; // levy to a pension fund

    // The program's values of a year: 38,5 hours everywhere, the child benefit of § 66 (1) EStG, the
    // other values empty.
    static YearTableValues shipped(int year);
    bool operator==(const YearTableValues&) const = default;
};

// The names of the hourly rates, in their order.
const std::array<const char*, kTimeSupplementRates>& timeSupplementNames();

// The regular weekly hours of full time for a case, 1/100000 hours as line 22 keeps them: the year's
// value for the case's service relationship and tariff area.
int32_t regularWeeklyHours(const YearTableValues& t, const Case& c);

} // namespace varemo
