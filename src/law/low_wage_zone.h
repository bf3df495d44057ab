#pragma once
// The low-wage zone (Gleitzone; from July 2019 Übergangsbereich), § 20 Abs. 2 SGB IV and § 163
// Abs. 10 SGB VI, § 226 Abs. 4 SGB V, § 57 Abs. 1 SGB XI, § 344 Abs. 4 SGB III.
//
// Which months use which rule:
//   - before 2013: pay from 400.01 to 800.00; BE = F × 400 + (2 − F) × (AE − 400);
//   - January 2013 to June 2019: pay from 450.01 to 850.00;
//     BE = F × 450 + (850/400 − 450/400 × F) × (AE − 450);
//   - from July 2019 (Übergangsbereich, RV-Leistungsverbesserungs- und -Stabilisierungsgesetz): pay from
//     450.01 to 1,300.00; BE = F × 450 + (1300/850 − 450/850 × F) × (AE − 450).
// The same bounds hold for one employment and for several employments together. F is the factor of
// the year (GleitzoneFactor), used exactly; BE is rounded commercially to the cent.
//
// Split of each branch (unchanged on 1 July 2019; the separate employee base came only in October
// 2022): the total contribution is the full rate × BE, the employer pays half the rate × the actual
// pay AE, the employee pays the rest. Parts of a rate that the employee bears alone (the childless
// surcharge of care insurance, the additional KV contribution before 2019) are computed on BE and
// paid by the employee alone.
//
// Until June 2019 an employee could waive the reduction in pension insurance ("aufgestockt") and pay
// the full regular RV share on AE; the waiver ended with the Übergangsbereich on 1 July 2019, and the
// "aufgestockt" kinds compute like the plain zone kinds from then on.
//
// Several employments in the zone: BE is computed on the total pay of all employments and this
// employment's part is BE × own pay / total pay, rounded commercially to the cent.

#include "base/money.h"
#include "law/sv_defaults.h"

#include <optional>

namespace varemo {

struct ZoneParameters {
    Money lower;             // the mini-job limit: pay above it enters the zone
    Money upper;             // the upper bound, inclusive
    std::int32_t factor = 0; // F in ten-thousandths
};

// The zone of a month (monthIndex 0 = January); nullopt for years without a factor.
std::optional<ZoneParameters> zoneParameters(int year, int monthIndex);

// Whether a monthly pay lies in the zone of the month.
bool inLowWageZone(Money pay, const ZoneParameters& z);

// BE for a pay AE of the zone, rounded commercially to the cent.
Money zoneBase(Money pay, const ZoneParameters& z);

// This employment's part of BE when the employee holds several employments whose pay together is
// totalPay (including ownPay).
Money zoneBaseOfSeveral(Money ownPay, Money totalPay, const ZoneParameters& z);

// Whether the "aufgestockt" RV kinds still apply in the month (until June 2019).
bool rvWaiverAllowed(int year, int monthIndex);

struct ZoneShare {
    Money total;    // rate × BE
    Money employer; // half rate × AE
    Money employee; // total − employer, plus the parts borne by the employee alone
};

// One branch in the zone: totalRate on BE, employerRate on AE; employeeAloneRate on BE for the employee.
ZoneShare zoneShare(Money be, Money ae, Rate totalRate, Rate employerRate, Rate employeeAloneRate = Rate{});

} // namespace varemo
