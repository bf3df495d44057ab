#include "law/sv_defaults.h"

namespace varemo {
namespace {

Money euros(std::int64_t cents) {
    return Money::fromCents(cents);
}

struct YearRow {
    int year;
    std::int64_t pvHalf, rvHalf, avHalf;    // ten-thousandths of a percent
    std::int64_t kvCeiling, rvWest, rvEast; // cents per month
    std::int64_t averageAdditional;         // ten-thousandths of a percent
};

// PV 2.55 % (2017, 2018) and 3.05 % (from 2019); RV 18.7 % (2017) and 18.6 %; AV 3.0 %, 2.5 % (2019)
// and 2.4 % (2020, 2021); ceilings of the Rechengrößenverordnung of each year.
constexpr YearRow kYears[] = {
    {2017, 12750, 93500, 15000, 435000, 635000, 570000, 11000},
    {2018, 12750, 93000, 15000, 442500, 650000, 580000, 10000},
    {2019, 15250, 93000, 12500, 453750, 670000, 615000, 9000},
    {2020, 15250, 93000, 12000, 468750, 690000, 645000, 11000},
    {2021, 15250, 93000, 12000, 483750, 710000, 670000, 13000},
};

} // namespace

Money contribution(Money base, Rate rate) {
    // units × value / 1,000,000 are units (value is percent × 10^4), a cent is 100 units. The
    // contribution is stored, so it must fit the 32-bit cents.
    return Money::fromCents(
        checkedCents(mulDiv(base.units(), rate.value, 1000000 * Money::kUnitsPerCent, Rounding::HalfUp)));
}

std::optional<SvDefaults> SvDefaults::forYear(int year) {
    for (const YearRow& r : kYears) {
        if (r.year != year) continue;
        SvDefaults d;
        d.year = year;
        d.pvHalf = Rate{r.pvHalf};
        d.rvHalf = Rate{r.rvHalf};
        d.avHalf = Rate{r.avHalf};
        d.childlessSurcharge = Rate{2500};
        d.averageAdditional = Rate{r.averageAdditional};
        d.kvCeiling = {euros(r.kvCeiling), euros(r.kvCeiling)};
        d.pvCeiling = d.kvCeiling;
        d.rvCeiling = {euros(r.rvWest), euros(r.rvEast)};
        d.avCeiling = d.rvCeiling;
        d.miniJobLimit = varemo::miniJobLimit(year);
        d.rvMinimumBase = euros(17500);
        return d;
    }
    return std::nullopt;
}

bool restoreSvDefaults(SvDefaults& d, int year) {
    auto restored = SvDefaults::forYear(year);
    if (!restored) return false;
    d = *restored;
    return true;
}

std::optional<Money> compulsoryInsuranceLimit(int year, bool exemptOn2002) {
    struct Row {
        int year;
        std::int64_t general, exempt2002;
    };
    static constexpr Row kRows[] = {
        {2017, 57600, 52200}, {2018, 59400, 53100}, {2019, 60750, 54450},
        {2020, 62550, 56250}, {2021, 64350, 58050},
    };
    for (const Row& r : kRows)
        if (r.year == year) return Money::fromEuros(exemptOn2002 ? r.exempt2002 : r.general);
    return std::nullopt;
}

std::optional<std::int32_t> insolvencyLevyRate(int year) {
    if (year >= 2013 && year <= 2015) return 150;
    switch (year) {
    case 2016:
        return 120;
    case 2017:
        return 90;
    case 2018:
    case 2019:
    case 2020:
        return 60;
    case 2021:
        return 120;
    default:
        return std::nullopt;
    }
}

std::optional<std::int32_t> GleitzoneFactor(int year) {
    switch (year) {
    case 2012:
        return 7491;
    case 2013:
    case 2014:
        return 7605;
    case 2015:
        return 7585;
    case 2016:
        return 7547;
    case 2017:
        return 7509;
    case 2018:
        return 7547;
    case 2019:
        return 7566;
    case 2020:
        return 7547;
    case 2021:
        return 7509;
    default:
        return std::nullopt;
    }
}

Money miniJobLimit(int year) {
    return Money::fromEuros(year < 2013 ? 400 : 450);
}

int careKindForRegion(int careKind, int region) {
    const bool saxony = region == kRegionSaxony;
    switch (careKind) {
    case 0:
    case 2:
        return saxony ? 2 : 0;
    case 1:
    case 3:
        return saxony ? 3 : 1;
    default:
        return careKind;
    }
}

Money lowWageZoneUpperBound(int year, int monthIndex) {
    if (year < 2013) return Money::fromEuros(800);
    if (year < 2019 || (year == 2019 && monthIndex < 6)) return Money::fromEuros(850);
    return Money::fromEuros(1300);
}

} // namespace varemo
