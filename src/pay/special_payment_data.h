#pragma once
// The shipped tables of the special payments (data/special-payments/*.csv, described in data/README.md).
// The build generates their rows from the readable sources (tools/make_data); what the program makes of
// them is in special_payment_tables.h (the percentages of the panel) and special_payment.h (the payment
// of civil servants), the one-time payments in one_time_payments.h and holiday_pay.h.

#include <cstdint>
#include <span>
#include <string_view>

namespace varemo {

// jahressonderzahlung.csv: the percentage of an agreement for a year, area and band of groups.
struct AnnualPercentRow {
    std::string_view agreement; // as the file names it ("TVöD Bund", "TV-H", …)
    int year = 0;
    bool east = false;
    std::string_view groups; // a band such as "E9a-E12" or "KR5-KR6"
    int32_t hundredths = 0;  // of a percent
};
std::span<const AnnualPercentRow> shippedAnnualPercentRows();

// Whether a shipped payment is subject to wage tax, to the contributions or to the supplementary
// pension; AsLine leaves it to the flag of the line that pays it.
enum class PaymentLiability { AsLine, Liable, Free };

// einmalzahlungen.csv: the one-time payments of the agreements.
struct OneTimePaymentRow {
    std::string_view agreement;
    int year = 0;
    int month = 0; // 0: the agreement fixes no month
    std::string_view groups;
    int32_t cents = 0;
    PaymentLiability wageTax = PaymentLiability::AsLine;
    PaymentLiability contributions = PaymentLiability::AsLine;
    PaymentLiability supplementaryPension = PaymentLiability::AsLine;
};
std::span<const OneTimePaymentRow> shippedOneTimePayments();

// beamte_sonderzahlung.csv: what the Bund and the Länder pay their civil servants besides the monthly pay.
enum class CivilPaymentKind { Annual, Monthly, Child, Holiday, Integrated, None };

struct CivilServantPaymentRow {
    int region = 0; // 0 Bund, 1 to 16 the Länder (the regions of line 2)
    int year = 0;
    CivilPaymentKind kind = CivilPaymentKind::None;
    std::string_view groups;
    int32_t cents = 0;
    int32_t percentMilli = 0; // thousandths of a percent
    int month = 0;            // 1 to 12; -1 every month; 0 none
};
std::span<const CivilServantPaymentRow> shippedCivilServantPayments();
// The names of the employers of that table by region: "Bund", "Baden-Württemberg", …, "Thüringen".
std::span<const std::string_view> civilServantEmployers();

} // namespace varemo
