#pragma once
// The wage-tax step of the calculation run: wage tax, solidarity surcharge and church tax of the
// month (sheet lines 34 to 36) with the TaxWorksheet, one-time payments by the annual-table method,
// flat-rate taxes and the employer's annual adjustment in December.
//
// Where the step reads the case:
//   line 34 (KeySlot::TaxClass)  tax class and child allowances (TaxClassSelector); the class-IV factor
//                          in thousandths in AmountSlot::ClassIVFactor (0 counts as 1.000), forced to
//                          1000 for every position outside class IV
//   line 36 (KeySlot::ChurchTax)  church tax (ChurchTaxRate); with "pauschal 20 %" / "pauschal 25 %"
//                          option 2 takes the church tax typed into line 36 (its previous amount)
//   line 29 (KeySlot::Denomination)  denomination; position 6 means no church tax
//   line 24 (KeySlot::TaxAllowance)  0 monthly allowance, 1 monthly addition, 2 the pension contained in
//                          the pay
//   line 22 (KeySlot::PartTime)  position 3 "% Ruhegehalt von %": the whole current pay is a pension
//   line 23 (KeySlot::PartialMonth)  position 0 "Tage von normal" with the paid days below the days of
//                          the month (AmountSlot::PaidDays, AmountSlot::MonthDays): the employment begins
//                          or ends in the month, taxed by days (LZZ 4 on the pay per calendar day, times
//                          the days); position 7 "Tage v. normal (Arbeitsverh. läuft)" and 1 "% Kürzung":
//                          the month on the actual pay
//   line 31 (KeySlot::AnnualAdjustment)  0 asks for the annual adjustment in December
//   line 32 (KeySlot::OldAgeRelief)  old-age relief: position p > 0 is the year  calculation year + 1 - p
//   lines 8 to 20          the amounts after reduction of the lines flagged for wage tax; lines 19
//                          (annual special payment) and 20 (one-time payments) are one-time pay
//   the months before      their stored records, for the annual-table method and the adjustment
// and the insurance status (deductions/insurance_status.h) for KRV, KVZ, PKV, PKPV, PVS and PVZ.

#include "base/decimal.h"
#include "model/globaldaten.h"

namespace varemo {

// Internal codes of the positions of line 34 that do not run the flow chart.
inline constexpr int kFlatRate20 = 20;      // "pauschal 20 %": the whole pay at 20 %
inline constexpr int kFlatRate25 = 25;      // "pauschal 25 %": the whole pay at 25 %
inline constexpr int kMiniJobEmployer = 40; // "AG=2%, AN=0%": uniform flat tax borne by the employer
inline constexpr int kMiniJobEmployee = 41; // "AG=0%, AN=2%": uniform flat tax borne by the employee

struct TaxClass {
    int code = 1;             // 1 to 6, or one of the codes above
    int childAllowances2 = 0; // child allowances × 2 (ZKF in steps of 0.5)

    bool byFlowChart() const { return code >= 1 && code <= 6; }
    Decimal ZKF() const { return Decimal::fromScaled(childAllowances2 * 5, 1); }
    bool operator==(const TaxClass&) const = default;
};

// Position of line 34 → class and child allowances:
//   0-8 class I with 0 to 4, 9-20 class II with 0.5 to 6, 21-33 class III with 0 to 6,
//   34-46 class IV with 0 to 6, 47 class V, 48 class VI, 49 "pauschal 20 %", 50 "pauschal 25 %",
//   51 "AG=2%, AN=0%", 52 "AG=0%, AN=2%". Positions the list does not offer count as class I.
TaxClass TaxClassSelector(int position);

// Whether line 24 carries an allowance or addition of the tax record (option 0 or 1 with an amount);
// the employer's annual adjustment is then not allowed.
bool HasTaxRecordAllowance(const Case& c);

// The solidarity surcharge on flat-rate wage tax: 5.5 %, truncated to cents, in every year (the
// exemption limit of 2021 concerns only the wage tax by the tables).
Money flatRateSurcharge(Money flatTax);

// Fills g.tax.worksheet, g.tax.adjustment and g.tax.employerFlat and the amounts of lines 34 to 36
// (negative).
void WageTaxStep(Globaldaten& g);

} // namespace varemo
