#pragma once
// Key codes of the in-kind lines 25 and 26 and the deduction and payment lines 44 to 46: six digits
// that say how a line's amount is treated. (Not to be confused with the keyboard codes of key_codes.h.)
//
//   position 1  0 recurring pay, 1 one-time pay
//   position 2  taxable pay: 0 neutral, 1 lowers, 2 raises
//   position 3  pay subject to social insurance: 0 neutral, 1 lowers, 2 raises
//   position 4  pay subject to the supplementary pension: 0 neutral, 1 lowers the levy pay, 2 lowers
//               the contribution pay, 3 raises the levy pay, 4 raises the contribution pay
//   position 5  flat-rate tax: 0 none; by the employer 1 15 %, 2 20 %, 3 25 %; 4 none; by the employee
//               5 15 %, 6 20 %, 7 25 %
//   position 6  employer cost: 0 no, 1 yes
// "000000" has no effect at all.
//
// Effects in the run (KeyCodeStep, the first part of step 12), always by the line's amount without
// its sign:
//   raises taxable pay         g.tax.inputs.inKindTaxable (lines 25, 26) / paymentsTaxable (44 to 46)
//   lowers taxable pay         g.tax.inputs.taxFreeAmounts
//   flat-rate tax              g.tax.inputs.employerFlat / employeeFlat by rate; the amount also enters
//                              inKindTaxable / paymentsTaxable once, so that it passes through the
//                              taxable pay and is taken out again as flat-taxed
//   one-time pay               g.tax.inputs.oneTimeFromKeyCodes: what raises the taxable pay as one-time
//                              pay, less what lowers it as one-time pay (set against the month's one-time
//                              pay of lines 19 and 20 and the raises, never beyond them)
//   social insurance           g.extras.keyCodes.svRegularRaise / svRegularLower / svOneTimeRaise /
//                              svOneTimeLower (position 1 decides current or one-time pay)
//   supplementary pension      levy: g.pension.inputs.inKindLiable (25, 26) / paymentsLiable (44 to 46)
//                              raise, exemptAmounts lower; contribution: g.extras.keyCodes.
//                              pensionContributionRaise / pensionContributionLower
//   employer cost              g.extras.keyCodes.employerCost (the employer-cost step reads the codes
//                              itself, deductions/employer_cost.h)
//
// General rules: the first eight entries of the in-kind list and of the deduction and payment list
// bring a default code with them ("varemo20.vee", record of the year, from offset 5800: 16 entries of
// a 35-character name and a 6-character code).

#include "model/globaldaten.h"

#include <array>
#include <string>
#include <vector>

namespace varemo {

namespace keycode {
inline constexpr std::array<int, kKeyCodes> kLines = {25, 26, 44, 45, 46};
inline constexpr int kPositions = 6;
inline constexpr size_t kRulesOffset = 5800;
inline constexpr size_t kRuleNameLength = 35;
inline constexpr size_t kRuleLength = kRuleNameLength + kKeyCodeLength;
inline constexpr int kHighestFlatRateInKindEntry = 12; // in-kind entries above it take no flat rate
} // namespace keycode

// The index 0 to 4 of a key-coded line (25, 26, 44, 45, 46), -1 for other lines.
int keyCodeIndex(int line);

// Reading: position 1 is the first character, 2 to 5 the characters 2 to 5, 6 the last; a character
// that is no digit reads as 0.
int keyCodeDigit(const std::string& code, int position);
// Writing: the six digits joined in the order of the positions.
std::string joinKeyCode(const std::array<int, keycode::kPositions>& digits);
std::array<int, keycode::kPositions> keyCodeDigits(const std::string& code);

// The flat rate of a position-5 digit in percent (15, 20, 25) and who bears it.
struct FlatRate {
    int percent = 0;
    bool byEmployer = false;
};
FlatRate flatRateOf(int digit);

// ---- General rules ----

KeyCodeRules defaultKeyCodeRules();
// The rules of a "varemo20.vee" record; entries the record leaves empty keep the defaults.
KeyCodeRules keyCodeRulesFromRecord(const RecordBuffer& yearDefaults);
void writeKeyCodeRules(RecordBuffer& yearDefaults, const KeyCodeRules& rules);
// Makes g.extras.keyCodeRules those of the session's year (from g.yearDefaults).
void EnsureKeyCodeRules(Globaldaten& g);
// The rule of a list entry of a line (nullptr when the entry has none).
const KeyCodeRule* ruleOfEntry(const KeyCodeRules& rules, int line, int position);
// A list entry was chosen for a key-coded line: the line takes the entry's default code (entries
// without a rule leave the code as it is). The first form takes the line's chosen entry.
void ApplyEntryKeyCode(Globaldaten& g, int line);
void ApplyEntryKeyCode(Globaldaten& g, int line, int position);

// ---- The run ----

// Evaluates the five key codes of the working case (see above).
void KeyCodeStep(Globaldaten& g);

} // namespace varemo
