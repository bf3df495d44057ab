#pragma once
// Employer levies: U1 (sickness) and U2 (maternity) under the Aufwendungsausgleichsgesetz, at the
// rates of the case's fund for the month (mini-jobs: the Minijob-Zentrale, fund position 18), and U3,
// the Insolvenzgeld levy (§ 358 SGB III), at the year's rate.
//
// Bases: U1 and U2 on the current pay on which pension contributions are or would be computed, up to
// the RV ceiling, without one-time payments (§ 7 AAG); U3 on the pay subject to pension insurance
// including the part of one-time payments assessed this month (§ 358 Abs. 2 SGB III). In the
// low-wage zone and for mini-jobs the actual pay counts.
//
// Liability: U1 only for employers with at most 30 employees and never for the Bund, the Länder, the
// municipalities and employers bound by the public-service agreements (§ 11 Abs. 1 AAG); U2 for every
// employer; U3 not for the public sector (Bund, Länder, municipalities and public bodies that cannot
// become insolvent, § 358 Abs. 1 Satz 2 SGB III) nor for private households. The defaults are those
// of a public employer: U1 no, U2 yes, U3 no. No levy is owed for civil servants.

#include "base/money.h"
#include "law/sv_defaults.h"

#include <string>

namespace varemo {

struct LevyLiability {
    bool u1 = false;
    bool u2 = true;
    bool insolvency = false;
    bool operator==(const LevyLiability&) const = default;
};

struct Levy {
    bool liable = false;
    Money base;
    Rate rate;
    Money amount; // rounded commercially
    bool operator==(const Levy&) const = default;
};

struct Levies {
    int fund = 0;
    Levy u1, u2, u3;
    Money total() const { return u1.amount + u2.amount + u3.amount; }
    bool operator==(const Levies&) const = default;
};

// u1Rate and u2Rate in hundredths of a percent, insolvencyRate in thousandths of a percent.
Levies computeLevies(Money aagBase, Money insolvencyBase, std::int32_t u1Rate, std::int32_t u2Rate,
                     std::int32_t insolvencyRate, const LevyLiability& liability);

// The notice shown for a levy the employer does not owe.
inline constexpr const char* kNoLevyNotice = "Es besteht keine Umlagepflicht";

} // namespace varemo
