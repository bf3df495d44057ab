#include "law/low_wage_zone.h"

namespace varemo {

std::optional<ZoneParameters> zoneParameters(int year, int monthIndex) {
    auto f = GleitzoneFactor(year);
    if (!f) return std::nullopt;
    return ZoneParameters{miniJobLimit(year), lowWageZoneUpperBound(year, monthIndex), *f};
}

bool inLowWageZone(Money pay, const ZoneParameters& z) {
    return pay > z.lower && pay <= z.upper;
}

Money zoneBase(Money pay, const ZoneParameters& z) {
    // With G the lower and B the upper bound in cents and F = f / 10000:
    //   BE = F·G + (B − G·F)/(B − G) · (AE − G)
    //      = [f·G·(B − G) + (10000·B − G·f)·(AE − G)] / (10000·(B − G))      (in cents)
    const Int128 f = z.factor;
    const Int128 g = z.lower.units() / Money::kUnitsPerCent;
    const Int128 b = z.upper.units() / Money::kUnitsPerCent;
    const Int128 ae = pay.units(); // units: a hundredth of a cent
    const Int128 num =
        f * g * (b - g) * Money::kUnitsPerCent + (10000 * b - g * f) * (ae - g * Money::kUnitsPerCent);
    const Int128 den = Int128(10000) * (b - g) * Money::kUnitsPerCent;
    return Money::fromCents(divideRounded(num, den, Rounding::HalfUp));
}

Money zoneBaseOfSeveral(Money ownPay, Money totalPay, const ZoneParameters& z) {
    if (totalPay <= Money()) return Money();
    Money be = zoneBase(totalPay, z);
    // BE is whole cents, so BE in cents × own / total is the exact share in cents.
    const std::int64_t beCents = be.units() / Money::kUnitsPerCent;
    return Money::fromCents(mulDiv(beCents, ownPay.units(), totalPay.units(), Rounding::HalfUp));
}

bool rvWaiverAllowed(int year, int monthIndex) {
    return year < 2019 || (year == 2019 && monthIndex < 6);
}

ZoneShare zoneShare(Money be, Money ae, Rate totalRate, Rate employerRate, Rate employeeAloneRate) {
    ZoneShare s;
    s.total = contribution(be, totalRate);
    s.employer = contribution(ae, employerRate);
    s.employee = s.total - s.employer;
    if (employeeAloneRate.value != 0) s.employee += contribution(be, employeeAloneRate);
    return s;
}

} // namespace varemo
