#pragma once
// The insurance settings of the working case, read in one place for the wage-tax flow chart and the
// contribution step.
//
// Where each value comes from in the case:
//   kvKind   KeySlot::ContributionKind (line 37, the KV list, positions 0 to 12)
//   pvKind   KeySlot::CareKind (line 38, the PV list, positions 0 to 10)
//   rvKind   KeySlot::PensionKind (line 39, the RV list, positions 0 to 13)
//   avKind   KeySlot::UnemploymentKind (line 40, the AV list, positions 0 to 6)
//   childless  KeySlot::Childless, the second box of line 38: 0 the employee has children (or is under 23),
//            any other value the employee is childless and pays the surcharge
//   saxony   PV kinds 2 and 3 (the Saxony split of care insurance, place of employment in Saxony)
//   pkv      1 for civil servants (service relationships 0 to 7, insured privately with Beihilfe) and
//            for KV kind 3 (exempt from compulsory health insurance); 2 for the employer-subsidy kinds
//            of private health insurance (KV kinds 1, 8 and 11); 0 otherwise (voluntary statutory
//            members, KV kind 12, count as statutory)
//   pkpvCents  only when pkv is not 0: the monthly private health premium typed into line 37 plus the
//            monthly private care premium typed into line 38 (typedPremium below). Where the typed
//            amount is the employer's subsidy itself (KV kind 8, PV kind 6) the premium counts as twice
//            the subsidy, the subsidy being half the premium.
//   krv      2 for civil servants and for the RV kinds without statutory pension insurance (1 none,
//            2 mini-job exempt from RV, 6 employee beyond the standard age, 12 voluntarily insured);
//            otherwise 1 when the case's region lies in the eastern area, else 0. Members of a
//            professional pension scheme (RV kinds 5 and 13) count as insured.
//   kvzHundredths  the additional rate of the case's fund (KeySlot::HealthFund) for the case's month
//            (the year salary takes December) from the session's fund table.

#include "law/lohnstr.h"
#include "model/globaldaten.h"

#include <cstdint>
#include <string>

namespace varemo {

// The insurance settings of the working case as the wage-tax flow chart and the contribution step need them.
struct InsuranceStatus {
    int kvKind = 0, pvKind = 0, rvKind = 0, avKind = 0; // list positions of lines 37 to 40
    int pkv = 0; // 0 statutory health insurance, 1 private without, 2 private with employer subsidy
    std::int64_t pkpvCents = 0; // monthly private health and care premiums (0 when statutory)
    bool childless = false;     // childless surcharge to care insurance
    bool saxony = false;        // care-insurance split of Saxony
    int krv = 0;                // 0 pension insurance West, 1 East, 2 no statutory pension insurance
    std::int32_t kvzHundredths =
        0; // the fund's additional contribution rate, hundredths of a percent, for the month
};

InsuranceStatus insuranceStatus(const Globaldaten& g);

// The flow chart's insurance inputs KRV, KVZ, PKV, PKPV, PVS and PVZ from the status.
void setInsuranceInputs(const InsuranceStatus& s, LohnstrInput& in);

// The amount typed into line 37 (AmountSlot::HealthInsurance) or 38 (AmountSlot::CareInsurance), as a
// magnitude: the private premium, or for the kinds that take the contribution or the subsidy as typed
// that amount. The typed value is kept in its own slot because the line's slot receives the computed
// result; files written before that was so hold it only in the line's slot, which is still exact for
// the kinds whose result is the typed amount itself (KV 7 to 9, PV 5, 6 and 8).
Money typedPremium(const Case& c, AmountSlot line);

// The wage-tax table of the case: "Tabelle A" (general) with statutory pension insurance, "Tabelle B"
// (special) without, where § 39b (2) sentence 5 No. 3 EStG leaves out the partial provision for pension
// contributions; empty for a case without pay.
std::string wageTaxTable(const Globaldaten& g);

} // namespace varemo
