#include "law/low_wage_zone.h"

namespace varemo {
namespace {

// Rounds num / den (den > 0) to the nearest integer, a half away from zero.
Int128 roundCommercial(Int128 num, Int128 den) {
    Int128 q = num / den;
    Int128 r = num % den;
    if (r < 0) r = -r;
    if (2 * r >= den) q += num < 0 ? -1 : 1;
    return q;
}

} // namespace

std::optional<ZoneParameters> zoneParameters(int year, int monthIndex) {
    auto f = GleitzoneFactor(year);
    if (!f) return std::nullopt;
    return ZoneParameters{miniJobLimit(year), lowWageZoneUpperBound(year, monthIndex), *f};
}

bool inLowWageZone(Money pay, const ZoneParameters& z) { return pay > z.lower && pay <= z.upper; }

Money zoneBase(Money pay, const ZoneParameters& z) {
    // With G the lower and B the upper bound in cents and F = f / 10000:
    //   BE = F·G + (B − G·F)/(B − G) · (AE − G)
    //      = [f·G·(B − G) + (10000·B − G·f)·(AE − G)] / (10000·(B − G))      (in cents)
    const Int128 f = z.factor;
    const Int128 g = z.lower.units() / Money::kUnitsPerCent;
    const Int128 b = z.upper.units() / Money::kUnitsPerCent;
    const Int128 ae = pay.units(); // units: a hundredth of a cent
    const Int128 num = f * g * (b - g) * Money::kUnitsPerCent + (10000 * b - g * f) * (ae - g * Money::kUnitsPerCent);
    const Int128 den = Int128(10000) * (b - g) * Money::kUnitsPerCent;
    return Money::fromCents(static_cast<std::int64_t>(roundCommercial(num, den)));
}

Money zoneBaseOfSeveral(Money ownPay, Money totalPay, const ZoneParameters& z) {
    if (totalPay <= Money()) return Money();
    Money be = zoneBase(totalPay, z);
    Int128 cents = roundCommercial(Int128(be.units()) * ownPay.units(),
                                   Int128(totalPay.units()) * Money::kUnitsPerCent);
    return Money::fromCents(static_cast<std::int64_t>(cents));
}

bool rvWaiverAllowed(int year, int monthIndex) { return year < 2019 || (year == 2019 && monthIndex < 6); }

ZoneShare zoneShare(Money be, Money ae, Rate totalRate, Rate employerRate, Rate employeeAloneRate) {
    ZoneShare s;
    s.total = contribution(be, totalRate);
    s.employer = contribution(ae, employerRate);
    s.employee = s.total - s.employer;
    if (employeeAloneRate.value != 0) s.employee += contribution(be, employeeAloneRate);
    return s;
}

} // namespace varemo
