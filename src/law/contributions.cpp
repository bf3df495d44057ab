#include "law/contributions.h"

#include <algorithm>

namespace varemo {

BranchResult regularBranch(int kind, Money base, Rate employeeRate, Rate employerRate) {
    BranchResult r;
    r.kind = kind;
    r.base = base;
    r.employeeRate = employeeRate;
    r.employerRate = employerRate;
    r.employee = contribution(base, employeeRate);
    r.employer = contribution(base, employerRate);
    return r;
}

BranchResult subsidyBranch(int kind, Money base, Rate rate, Money premium) {
    BranchResult r;
    r.kind = kind;
    r.base = base;
    r.employerRate = rate;
    r.subsidy = contribution(base, rate);
    if (premium > Money()) r.subsidy = std::min(r.subsidy, halfOf(premium));
    r.employer = r.subsidy;
    return r;
}

BranchResult flatEmployerBranch(int kind, Money pay, Rate employerRate) {
    BranchResult r;
    r.kind = kind;
    r.base = pay;
    r.employerRate = employerRate;
    r.employer = contribution(pay, employerRate);
    return r;
}

BranchResult topUpBranch(int kind, Money pay, Rate fullRate, Rate employerRate, Money minimumBase) {
    BranchResult r = flatEmployerBranch(kind, pay, employerRate);
    Money total = contribution(std::max(pay, minimumBase), fullRate);
    r.employeeRate = fullRate - employerRate;
    r.employee = std::max(Money(), total - r.employer);
    return r;
}

BranchResult enteredBranch(int kind, Money employeeAmount, Money employerAmount) {
    BranchResult r;
    r.kind = kind;
    r.entered = true;
    r.employee = employeeAmount;
    r.employer = employerAmount;
    return r;
}

BranchResult enteredSubsidyBranch(int kind, Money subsidy) {
    BranchResult r;
    r.kind = kind;
    r.entered = true;
    r.subsidy = subsidy;
    r.employer = subsidy;
    return r;
}

CeilingAccount assessAgainstCeiling(const std::vector<MonthPay>& earlierMonths, const MonthPay& current) {
    Money yearCeiling;
    Money assessed;
    for (const MonthPay& m : earlierMonths) {
        yearCeiling += m.ceiling;
        Money regular = std::min(m.regular, m.ceiling);
        Money room = std::max(Money(), yearCeiling - assessed - regular);
        assessed += regular + std::min(m.oneTime, room);
    }
    CeilingAccount a;
    a.monthCeiling = current.ceiling;
    a.yearCeiling = yearCeiling + current.ceiling;
    a.earlierAssessed = assessed;
    a.regularAssessed = std::min(current.regular, current.ceiling);
    a.unused = std::max(Money(), a.yearCeiling - a.earlierAssessed - a.regularAssessed);
    a.oneTime = current.oneTime;
    a.oneTimeAssessed = std::min(current.oneTime, a.unused);
    return a;
}

Money proRataCeiling(Money monthlyCeiling, int svDays) {
    if (svDays >= 30) return monthlyCeiling;
    if (svDays <= 0) return Money();
    // ceiling × days / 30, rounded commercially to the cent.
    return Money::fromCents(
        checkedCents(mulDiv(monthlyCeiling.units(), svDays, 30 * Money::kUnitsPerCent, Rounding::HalfUp)));
}

Money halfOf(Money amount) {
    // Like contributions, the half is stored and must fit the 32-bit cents.
    return Money::fromCents(
        checkedCents(mulDiv(amount.units(), 1, 2 * Money::kUnitsPerCent, Rounding::HalfUp)));
}

} // namespace varemo
