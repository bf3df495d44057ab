#pragma once
// The annual special payment of line 19 (Jahressonderzahlung, for civil servants the Sonderzahlung):
// the classification of service relationship and group, the percentage table of the panel
// "Jahressonderzahlung " with its shipped values, the base, the occupied months, the civil servants'
// payment with child supplements, and the view "Jahressonderzahlung" / "Jährliche Sonderzuwendung".
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
#include "pay/special_payment_data.h"

#include <optional>
#include <string>
#include <string_view>
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

// Names of the agreement entries 0 to 19 of the panel ("TVöD Bund", …, "TV-Hessen", "AVR Caritas").
const std::vector<std::string>& agreementNames();
// Names of the pay groups 0 to 49 of the panel ("Entgeldgruppe 1", …, "Entgeldgruppe KR 5", …).
const std::vector<std::string>& annualPaymentGroupNames();

// The panel's reminder after a change.
std::vector<std::string> annualPaymentChangeReminder();

// The percentage table as stored in "Jasoza.vee" of the user folder: record (year − 2017) × 20 +
// entry + 1, 400 bytes: the West percentages of groups 0 to 49 at 2 × g, the East percentages at
// 100 + 2 × g, 16-bit hundredths of a percent. A record of zeros holds the shipped values.
AnnualPaymentTable readAnnualPaymentTable(const std::filesystem::path& userFolder);
void writeAnnualPaymentTable(const std::filesystem::path& userFolder, const AnnualPaymentTable& table);
// Reads the table of the session's user folder when it was not read yet (or the folder changed).
void EnsureAnnualPaymentTable(Globaldaten& g);

// The classification of the working case (sets g.extras.category).
SpecialPaymentCategory classifySpecialPayment(const Case& c, int year);
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

// The view "Jahressonderzahlung" (" für " name), as text rows.
struct SpecialPaymentView {
    std::string title;
    std::vector<std::string> header; // "", "Vollzeit", "Teilzeit", "A T Z", "Tatsächlich"
    std::vector<std::pair<std::string, SpecialPaymentMonth>> rows; // "Januar" … "Dezember"
    std::vector<std::pair<std::string, std::string>> summary;      // label, value text
    std::vector<std::string> footnotes;
};
SpecialPaymentView specialPaymentView(Globaldaten& g);

// The position of a group of the case in the panel's list, -1 when the panel has none for it.
int annualPaymentGroupOf(const Case& c);
// Whether a band of the shipped tables ("E9a-E12", "A12 and higher", "up to A8, Anwärter", "all
// groups") covers the case's group.
bool bandCoversCase(std::string_view band, const Case& c);
// The number of children counted for the civil servants' child supplements (line 10 options 2 to 7
// and 8 to 13: one to six children).
int countedChildren(const Case& c);

} // namespace varemo
