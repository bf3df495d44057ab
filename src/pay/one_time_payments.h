#pragma once
// The option lists of the payment lines 18 to 20 and the one-time payments of line 20.
//
// Line 20 (KeySlot::OneTimePayment, AmountSlot::OneTimePayment): 0 the case's own name ("Sonstiger Bezug
// lt. Eingabe"), 1 "Leistungsprämie", 2 "Entschädigung § 24 Abs. 1 EStG", 3 "Tarifliche Einmalzahlung",
// 4 "Einmalzahlung lt. Eingabe", 5 "40 Euro Einmalzahlung im April", 6 "Einmalzahlung", 7 "Einmalzahlung
// 2011" (offered only in 2011, "nicht belegt" otherwise), 8 and 9 "nicht belegt".
//   - the typed kinds (0, 1, 2, 4, 6) pay the amount typed into line 20 in the month that holds it;
//   - "Tarifliche Einmalzahlung" pays the agreement's one-time payment of the year for the case's group
//     (data/special-payments/einmalzahlungen.csv) in the month the agreement names, or in the month the
//     case selects where the agreement names none, pro rata for part-time (× the part-time factor); in
//     the month it pays, the row's treatment sets the flags "L", "S" and "Z" of line 20 (the corona
//     payments are free of wage tax under § 3 Nr. 11a EStG, hence not pay for the contributions, § 1 (1)
//     SvEV, nor for the supplementary pension, § 15 (2) ATV/ATV-K);
//   - "40 Euro Einmalzahlung im April" pays 40,00 in April;
//   - "nicht belegt" pays nothing.
// All of them are one-time pay for the wage tax and the contributions (line 20 is a one-time line) as far
// as the flags of line 20 make them subject to them.

#include "model/case.h"
#include "model/fixed_options.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

struct Globaldaten;

namespace onetime {
inline constexpr int kLine = 20;
inline constexpr int kOwnText = 0;
inline constexpr int kPerformanceBonus = 1;
inline constexpr int kCompensation = 2;
inline constexpr int kAgreed = 3;
inline constexpr int kTyped = 4;
inline constexpr int kFortyInApril = 5;
inline constexpr int kOneTime = 6;
inline constexpr int kOneTime2011 = 7;
inline constexpr int kFortyEuroCents = 4000;
inline constexpr int kAprilIndex = 3;
} // namespace onetime

// The agreement's one-time payment for the case in a month (1 to 12) of a year, in cents for full
// time; 0 when the agreement has none then.
int32_t agreedOneTimePayment(const Case& c, int year, int month);

// The reminder beside the sheet: " 100 €", " 140 €", " 250 €" or " 400 €" when the case's agreement
// has a one-time payment of that amount in the year (any month) and line 20 does not pay it yet.
std::optional<std::string> oneTimePaymentReminder(const Case& c, int year);

// Line 20 by its kind (called by the special-payment step of the run).
void OneTimePaymentStep(Globaldaten& g);

// The payment lines 18 to 20, whose typed amounts belong to the month they were typed into.
inline constexpr AmountSlot kPaymentSlots[] = {AmountSlot::HolidayPay, AmountSlot::AnnualPayment,
                                               AmountSlot::OneTimePayment};

// The amount typed into payment slot s of the case-month c where the kind its line has chosen pays a
// typed amount; 0 where the kind computes it (what a stored month holds then is a result, not an input).
int32_t typedPaymentAmount(const Case& c, AmountSlot s);

} // namespace varemo
