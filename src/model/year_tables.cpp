#include "model/year_tables.h"

#include "model/case.h"

namespace varemo {

YearTableValues YearTableValues::shipped(int year) {
    YearTableValues t;
    for (auto& hours : t.weeklyHours)
        hours = {3850, 3850};
    // § 66 (1) EStG, euros a month for the 1st, 2nd, 3rd and each further child.
    std::array<int32_t, kChildBenefitRanks> firstHalf{}, secondHalf{};
    switch (year) {
    case 2017:
        firstHalf = secondHalf = {19200, 19200, 19800, 22300};
        break;
    case 2018:
        firstHalf = secondHalf = {19400, 19400, 20000, 22500};
        break;
    case 2019: // raised from July 2019
        firstHalf = {19400, 19400, 20000, 22500};
        secondHalf = {20400, 20400, 21000, 23500};
        break;
    case 2020:
        firstHalf = secondHalf = {20400, 20400, 21000, 23500};
        break;
    case 2021:
        firstHalf = secondHalf = {21900, 21900, 22500, 25000};
        break;
    default:
        break;
    }
    for (size_t m = 0; m < 12; ++m)
        t.childBenefit[m] = m < 6 ? firstHalf : secondHalf;
    return t;
}

const std::array<const char*, kTimeSupplementRates>& timeSupplementNames() {
    static const std::array<const char*, kTimeSupplementRates> names = {
        "Überstunden",     "Nachtarbeit",    "Sonntagsarbeit",
        "Feiertagsarbeit", "Samstagsarbeit", "Dienst zu ungünstigen Zeiten"};
    return names;
}

int32_t regularWeeklyHours(const YearTableValues& t, const Case& c) {
    const int sr = c.serviceRelationship();
    const size_t at = sr >= 0 && sr < kServiceRelationships ? static_cast<size_t>(sr) : 0;
    const int32_t hundredths = t.weeklyHours[at][isEastRegion(c.region()) ? 1 : 0];
    return hundredths * 1000;
}

} // namespace varemo
