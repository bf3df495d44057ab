#pragma once
// The contribution step of the calculation run: health (KV), care (PV), pension (RV) and
// unemployment insurance (AV) of the working case-month, with the employer's levies.
//
// What it reads from the case:
//   - the pay subject to contributions: the reduced monthly amounts of lines 8 to 20 whose "S" flag is
//     set; lines 18 (holiday pay), 19 (annual special payment) and 20 (one-time payments) are one-time
//     payments (einmalig gezahltes Arbeitsentgelt, § 23a SGB IV), lines 8 to 17 current pay;
//   - the contribution kinds of lines 37 to 40, the childless marker (KeySlot::Childless), the fund
//     (KeySlot::HealthFund) and, for the funds 33 and 35, the rate position of line 37
//     (KeySlot::HealthRate);
//   - the region (West or East ceilings of RV and AV);
//   - days of insurance: 30 for a full month; with a partial month in days (line 23 position 0 or 7)
//     and fewer paid days than days of the month (AmountSlot::PaidDays, MonthDays) the
//     whole paid days, and the ceilings are reduced to days / 30;
//   - further employments: when line 30 (KeySlot::OtherEmployments) is set,
//     AmountSlot::OtherEmploymentsPay holds the monthly pay of the other employments, used by the zone
//     kinds (BE on the total pay, this employment's share);
//   - typed amounts of lines 37 to 40 (their previous amounts): the contribution of the "lt. Eingabe"
//     kinds, the subsidy of the subsidy kinds "laut Eingabe", and for the subsidy kinds with a rate the
//     premium of the private or professional insurance (the subsidy is at most half of it);
//   - the earlier months of the year from the case's stored month records, for one-time payments;
//     their key codes and supplementary-pension levy are worked out again from the records, so that
//     their insurable pay is what their own runs found;
//   - in January to March, for a one-time payment the year's unused ceiling does not take in full, the
//     stored months of the year before (CaseStore::loadMonthOfYearBefore, § 23a Abs. 4 SGB IV).
//
// What it writes: the amounts of lines 37 to 40: a contribution of the employee as a negative amount,
// a subsidy paid by the employer as a positive amount. Line 41 is the supplementary-pension line and
// is not written here. The employer shares, subsidies
// and levies stay in g.social.worksheet for the employer-cost step.
//
// Civil servants (service relationships 0 to 7) and cases without pay (27) pay no contributions;
// only typed kinds ("lt. Eingabe") still apply to them.

#include "model/globaldaten.h"

namespace varemo {

void SocialInsuranceStep(Globaldaten& g);

// The year's social-insurance defaults of the session, restored when the session's year changed.
const SvDefaults& sessionSvDefaults(Globaldaten& g);

// The health rate of the case in hundredths of a percent: the fund's general rate for the month (the
// reduced rate for the KV kinds 10 and 11); for the funds 33 and 35 the rate the case holds as its rate
// position (KeySlot::HealthRate) when that is a rate.
std::int32_t caseHealthRate(const Globaldaten& g);

} // namespace varemo
