#pragma once
// The annual special payment of line 19 (Jahressonderzahlung, for civil servants the Sonderzahlung):
// the base, the occupied months, the payment by the percentage table (special_payment_tables.h) or by
// the civil servants' rules of the Land with child supplements, and the step of the run. The view
// "Jahressonderzahlung" / "Jährliche Sonderzuwendung" is presentation/special_payment_view.h.
//
// Line 19 (key slot 18), employees: 0 "Jahressonderzahlung" (computed, paid with the November pay),
// 1 "Jahressonderzahlung lt. Eingabe" (the typed amount), 2 to 8 "nicht belegt". Civil servants:
// 0 "Jährliche Sonderzahlung" (by the Land's rules of the year, paid in the month they name),
// 1 "Sonderzahlung lt. Eingabe", 2 "Sonderzahlung in Besold. integr." (nothing separate),
// 3 to 6 "Landesanteil Besoldung (0 Kinder)" to "(3 Kinder)", 7 "nicht belegt",
// 8 "Landesanteil Besoldung lt. Eingabe".
//
// The base: for the service relationships 10 to 24 the average of July, August and September (the
// marked months), otherwise September alone; only the lines marked "W" count (line 19 itself never);
// a partial month counts as the whole month (its missing days filled with the average daily pay); when
// none of the marked months has pay, the first month with pay after them is taken. A month is occupied
// when it has gross pay; months after the current one count like the current month. The other months
// come from the case's stored month records; without open case files every month counts like the
// current one.

#include "model/globaldaten.h"
#include "pay/special_payment_tables.h"

#include <array>
#include <vector>

namespace varemo {

namespace special {
inline constexpr int kLine = 19;
inline constexpr int kComputed = 0;
inline constexpr int kTyped = 1;
inline constexpr int kIntegrated = 2;     // civil servants
inline constexpr int kLandShareFirst = 3; // civil servants: 0 to 3 children
inline constexpr int kLandShareLast = 6;
inline constexpr int kUnused = 7;
inline constexpr int kLandShareTyped = 8;
inline constexpr int kPaymentMonthIndex = 10; // employees: with the November pay
} // namespace special

// The classification of the working case (sets g.extras.category).
void ClassifySpecialPayment(Globaldaten& g);

// One month of the view's table: the pay of the lines marked "W".
struct SpecialPaymentMonth {
    Money full;       // "Vollzeit"
    Money partTime;   // "Teilzeit"
    Money retirement; // "A T Z"
    Money actual;     // "Tatsächlich"
    Money filled;     // the month as the base counts it (a partial month filled up)
    bool occupied = false;
    bool marked = false; // counts for the base ("gelb markiert")
};

// The computation of the annual special payment of one case.
struct SpecialPaymentComputation {
    SpecialPaymentCategory category;
    std::array<SpecialPaymentMonth, 12> months{};
    Money base;             // "Basis-Gehalt 2)"
    int occupiedMonths = 0; // "Belegte Monate"
    int32_t percent = 0;    // hundredths of a percent
    bool east = false;
    Money amount; // base × percent × occupied / 12
    int children = 0;
    Money childSupplement;
    Money total;                                         // "S U M M E "
    int paymentMonthIndex = special::kPaymentMonthIndex; // -1: every month
};
SpecialPaymentComputation computeSpecialPayment(Globaldaten& g);

// Step 8 of the run: lines 18 and 19 cleared (unless the own-table switch keeps them), line 19 by its
// option, and the one-time payment of line 20 by its kind (one_time_payments.h).
void SpecialPaymentStep(Globaldaten& g);

// The tariff area of an employee's percentage: East in the eastern regions, and for federal employees
// insured with the VBL East.
bool isEastArea(const Case& c);

// The rows of a Land's (region's) rules of g.year that the civil servants' payment applies: the monthly
// or annual payment by band of groups, the child supplements, or the row saying that the payment is
// built into the monthly pay or was abolished; with the user's values of the year where they are held.
std::vector<CivilServantPaymentRow> civilServantPaymentRules(const Globaldaten& g, int region);

// The number of children counted for the civil servants' child supplements (line 10 options 2 to 7
// and 8 to 13: one to six children).
int countedChildren(const Case& c);

} // namespace varemo
