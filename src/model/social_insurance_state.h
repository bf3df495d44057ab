#pragma once
// What the contribution step keeps in the session: the year's social-insurance defaults (as the user
// may have changed them), the employer's levy liability, and the worksheet of the last run with the
// employer shares and levies that the employer-cost step adds up.

#include "law/contributions.h"
#include "law/levies.h"
#include "law/sv_defaults.h"

#include <string>

namespace varemo {

// § 23a Abs. 4 SGB IV: a one-time payment of January to March that the unused ceiling of the year does
// not take in full belongs to December of the year before, when the employment existed then; it is
// assessed against what that year's ceilings left unused and pays that year's rates.
struct MarchClause {
    bool checked = false;     // such a payment was made in January to March
    bool attributed = false;  // it went to December of the year before
    std::string note;         // checked but not attributed: why, as the worksheet says it
    int year = 0;             // the year before
    int monthIndex = 11;      // the month of that year it belongs to: the last one with pay
    CeilingAccount kvAccount; // against that year's ceilings (one-time payment only)
    CeilingAccount rvAccount;
    BranchResult kv, kvAdditional, pv, rv, av; // its contributions at that year's rates
};

struct SocialInsuranceWorksheet {
    bool computed = false;
    int year = 0;
    int monthIndex = 0;
    Region region = Region::West;
    int svDays = 30;
    bool civilServant = false;

    Money regularPay;          // current pay subject to contributions (lines 8 to 17 marked "S")
    Money oneTimePay;          // one-time payments subject to contributions (lines 18 to 20 marked "S")
    Money otherEmploymentsPay; // pay of further employments (several employments in the zone)

    // The low-wage zone, when the pay lies in it and a zone kind or a regular kind is set.
    bool zone = false;
    bool zoneByLaw = false; // a regular kind went into the zone (§ 20 Abs. 2 SGB IV)
    Money zoneUpperBound;
    std::int32_t zoneFactor = 0;
    Money zoneBase; // BE of this employment

    CeilingAccount kvAccount; // health and care insurance
    CeilingAccount rvAccount; // pension and unemployment insurance
    MarchClause march;        // the branches below include its contributions

    BranchResult kv;           // KV at the general or reduced rate, or the subsidy
    BranchResult kvAdditional; // the fund's additional contribution
    BranchResult pv, rv, av;
    Levies levies;

    Money employeeTotal() const {
        return kv.employee + kvAdditional.employee + pv.employee + rv.employee + av.employee;
    }
    // Contributions and subsidies the employer pays, without levies.
    Money employerTotal() const {
        return kv.employer + kvAdditional.employer + pv.employer + rv.employer + av.employer;
    }
};

struct SocialInsuranceState {
    SvDefaults defaults;     // year 0 until the first run of a year restores them
    LevyLiability liability; // the employer's levy liability
    SocialInsuranceWorksheet worksheet;
};

} // namespace varemo
