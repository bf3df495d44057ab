#pragma once
// Pure pieces of the contribution step: the result of one insurance branch, the regular split, the
// employer subsidies, the mini-job top-up and the allotment of one-time payments to the annual
// ceiling. Every contribution is rounded commercially to the cent (see contribution() in sv_defaults.h).

#include "base/money.h"
#include "law/sv_defaults.h"

#include <vector>

namespace varemo {

// One insurance branch (or the additional KV contribution) of a case-month.
struct BranchResult {
    int kind = 0;      // the contribution kind (list position) of the line
    Money base;        // the base of the contribution: capped pay, BE in the zone, the pay for flat rates
    Rate employeeRate; // the employee's rate (0 where the amount was typed or is a difference)
    Rate employerRate;
    Money employee;       // the employee's contribution, deducted from the pay
    Money employer;       // the employer's contribution (for a subsidy: the subsidy)
    Money subsidy;        // the employer's subsidy paid out with the pay
    bool entered = false; // the amount comes from the line's typed amount

    // The amount of the sheet line: the subsidy paid out less the contribution deducted.
    Money lineAmount() const { return subsidy - employee; }
    bool operator==(const BranchResult&) const = default;
};

// Each side pays its rate on the base.
BranchResult regularBranch(int kind, Money base, Rate employeeRate, Rate employerRate);

// The employer's subsidy for an employee insured privately or voluntarily: rate × base, but not more
// than half the premium the employee pays when that is known (premium > 0).
BranchResult subsidyBranch(int kind, Money base, Rate rate, Money premium);

// A flat employer contribution on the actual pay (mini-jobs); the employee pays nothing.
BranchResult flatEmployerBranch(int kind, Money pay, Rate employerRate);

// A mini-job's pension insurance with the employee's top-up: the full rate on the pay, at least on the
// minimum base, less the employer's flat rate on the actual pay.
BranchResult topUpBranch(int kind, Money pay, Rate fullRate, Rate employerRate, Money minimumBase);

// The employee's typed amount; the employer pays employerAmount.
BranchResult enteredBranch(int kind, Money employeeAmount, Money employerAmount);

// The employer's typed subsidy, paid out.
BranchResult enteredSubsidyBranch(int kind, Money subsidy);

// One month's pay for the allotment of one-time payments: the current pay subject to contributions,
// the one-time payments of the month, and the month's ceiling (pro rata for a part month).
struct MonthPay {
    Money regular;
    Money oneTime;
    Money ceiling;
};

// One-time payments against the part of the year's ceiling that the earlier months left unused
// (§ 23a Abs. 3 SGB IV): the ceilings of January to this month less the pay already assessed in
// the earlier months (current pay up to each month's ceiling and the assessed one-time payments) and
// this month's current pay up to its ceiling.
struct CeilingAccount {
    Money monthCeiling;    // this month's ceiling
    Money yearCeiling;     // the ceilings of January to this month
    Money earlierAssessed; // pay assessed in the earlier months
    Money regularAssessed; // this month's current pay up to its ceiling
    Money unused;          // what the one-time payments of this month may still use
    Money oneTime;         // this month's one-time payments
    Money oneTimeAssessed; // the part of them that is insured

    Money base() const { return regularAssessed + oneTimeAssessed; }
    bool operator==(const CeilingAccount&) const = default;
};

CeilingAccount assessAgainstCeiling(const std::vector<MonthPay>& earlierMonths, const MonthPay& current);

// The month's ceiling for svDays days of insurance (30 for a full month): ceiling × days / 30,
// rounded commercially to the cent.
Money proRataCeiling(Money monthlyCeiling, int svDays);

// Half an amount, rounded commercially to the cent.
Money halfOf(Money amount);

} // namespace varemo
