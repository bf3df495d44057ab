#pragma once
// The supplementary-pension step of the calculation run: the pay subject to the fund's levy, the
// employer's levy and additional levy, the tax-free and flat-taxed parts of the levy and the part
// the employee taxes, the amount added to the pay subject to social insurance, the employer's
// outlay and the employee's share (sheet line 42).
//
// Where the step reads the case:
//   line 27 (KeySlot::SupplementaryFund)  the fund (deductions/pension_funds.h); civil servants and
//                           positions 35 to 40 have no fund
//   line 42 (KeySlot::EmployeeShare)  the employee-share code: 0 none; 1 to 400 the rate in hundredths
//                           of a percent of line 10; 401 and 402 the amount typed into line 42; 403
//                           Hamburg's contribution
//   KeySlot::FlatTaxLimitChoice  the flat-tax limit: 0 89,48; 1 92,03; 2 127,82; 3 146,00; 4 none;
//                           5 the amount in AmountSlot::FlatTaxLimit
//   KeySlot::AdditionalLevy  the employer's additional levy: 0 none, 1 8 %, 2 9 %
//   AmountSlot::DeferredCompensation  deferred compensation of the month made tax-free under § 3 Nr. 63
//                           EStG (it reduces the tax-free levy, as the employer's capital contribution
//                           of line 29 does)
//   (AmountSlot::DeferredCompensation and AmountSlot::FlatTaxLimit are no sheet fields: the case's
//   pension settings enter them)
//   line 23 (KeySlot::PartialMonth)  0 "Tage von normal" and 1 "% Kürzung" scale the flat-tax limit and
//                           the 13,30 allowance by the partial-month fraction (pay/part_time.h); 2 to 6
//                           are partial retirement: the levy pay × 1,8 and the limits stay whole
//   the pension-insurance ceiling West of the session's social-insurance defaults (tax-free levy)
//   line 34 (KeySlot::TaxClass)  tax class: class VI (position 48) is a further employment, and with
//                           the flat-rate positions (49 and above) there is no first employment
//   line 30 (KeySlot::OtherEmployments, AmountSlot::OtherEmploymentsPay)  when set, the pay from other
//                           employments: above this employment's gross pay the 13,30 allowance is not
//                           granted
//   line 36 (KeySlot::ChurchTax)  position 3: no church tax on the flat tax
//   lines 8 to 20           the reduced amounts of the lines flagged for the levy ("Z")
//   g.pension.inputs        lines 3 to 6: the special payment's levy-free part and what the key
//                           codes of lines 25, 26 and 44 to 46 add to or take from the levy pay
//
// What it hands on:
//   g.tax.inputs.levyTaxable, levyFlatTaxedByEmployer, levyOneTimeShare  (wage tax, steps 3, 4, 13)
//   g.pension.svAddedPay                                                 (social insurance)
//   AmountSlot::EmployeeShare (line 42): the employee's share of the levy (line 31)  (net pay)
//   line 41 (KeySlot::EmployeeCapitalFund, AmountSlot::EmployeeCapital): the fund of line 27 and the
//     employee's share of the capital contribution by the fund's settings, a deduction. Line 41 only
//     follows line 27.

#include "model/globaldaten.h"

#include <string>

namespace varemo {

inline constexpr int kRegionHamburg = 6;

// The flat-tax limit of a choice (0 to 5) for a whole month; choice 5 takes the entered amount.
Money flatTaxLimit(int choice, Money entered);

// Makes the fund settings those of the calculation year (the shipped defaults) when they are not.
void EnsurePensionSettings(Globaldaten& g);

// The defaults that follow line 27, the region and the service relationship, keeping the chosen
// fund: the employee-share code from the fund's levy share for the case's area and month (403 for
// Hamburg's scheme in Hamburg, 0 without a fund and for civil servants), and the collective
// agreement's flat-tax limit of the area (92,03 West, 89,48 East) while KeySlot::FlatTaxLimitChoice
// holds one of these two.
void ApplyPensionDefaults(Globaldaten& g);

// The code that a choice in line 42's list stands for: 0 "Kein Beitrag zur ATV-Betriebsrente" 0;
// 1 "ATV-Betriebsrente " the fund's levy share (403 for Hamburg's scheme in Hamburg); 2 "Umlage
// ATV-Betriebsrente lt. Eing." 401; 3 "Beitrag ATV-Betriebsrente lt. Eing." 402. -1 for other positions.
int EmployeeShareCodeOfOption(Globaldaten& g, int position);

// Fills g.pension.worksheet and the rest of the step's results, and line 42.
void SupplementaryPensionStep(Globaldaten& g);

} // namespace varemo
