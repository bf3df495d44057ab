#pragma once
// The contribution-group key of the employer's reports (Beitragsgruppenschlüssel): four digits for health,
// pension, unemployment and care insurance, derived from the contribution kinds of lines 37 to 40.
//
//   health        0 none (exempt, private or voluntary members paying their fund themselves, employer
//                 subsidies), 1 general rate, 3 reduced rate, 6 the employer's flat contribution of a
//                 mini-job
//   pension       0 none (also exempt members of a professional scheme and voluntary members), 1 full
//                 contribution (also the mini-job with the employee's top-up), 3 the employer's half
//                 alone (employees beyond the standard age), 5 the employer's flat contribution of a
//                 mini-job exempt from pension insurance
//   unemployment  0 none, 1 full contribution (also where the employer bears both shares)
//   care          0 none (private or voluntary members, subsidies), 1 full contribution
//
// A contribution typed by hand ("lt. Eingabe") counts as the full contribution of its branch: the kind
// says that a contribution is paid, and the reduced health rate has a kind of its own.

#include "model/case.h"

#include <string>

namespace varemo {

// The digit of each branch from the kind of its line (37 health, 39 pension, 40 unemployment, 38 care).
int healthDigit(int kind);
int pensionDigit(int kind);
int unemploymentDigit(int kind);
int careDigit(int kind);

// "1111" for a regularly insured employee, "6500" for a mini-job exempt from pension insurance.
std::string contributionGroupKey(const Case& c);

// A mini-job whose employee tops up the employer's flat pension contribution to the full rate (pension
// kinds 3, and 11 in a private household); the top-up is paid at least on the minimum base.
bool topsUpMiniJobPension(const Case& c);

} // namespace varemo
