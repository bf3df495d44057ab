// The wage-tax certificate's data from a case's twelve months: the duration of the employment out of the
// days of the year, the months it leaves out, and a month without figures named instead of counted as 0.
#include "pay/part_time.h"
#include "print/wage_tax_certificate.h"

#include <gtest/gtest.h>

using namespace varemo;
using namespace varemo::print;

namespace {

// Twelve months of class I (line 34 position 0), each with 3.000,00 taxable pay and 400,00 wage tax.
CaseYearFigures fullYear() {
    CaseYearFigures y;
    y.caseNumber = 4;
    y.name = "Eva Muster";
    for (int m = 1; m <= 12; ++m) {
        MonthFigures& f = y.months[static_cast<size_t>(m - 1)];
        f.month = m;
        f.taxablePay = Money::fromEuros(3000);
        f.sheet.line(23).amountCents = 300000;
        f.sheet.line(34).amountCents = -40000;
    }
    return y;
}

const CertificateRow& row(const WageTaxCertificate& c, const std::string& number) {
    for (const CertificateRow& r : c.rows)
        if (r.number == number) return r;
    throw std::out_of_range(number);
}

} // namespace

TEST(WageTaxCertificate, CountsTheDaysOfTheEmploymentOutOfTheDaysOfTheYear) {
    // § 41b Abs. 1 Satz 2 Nr. 2 EStG: the duration within the calendar year, 366 days in 2020.
    for (const auto& [year, days] : {std::pair{2019, 365}, std::pair{2020, 366}, std::pair{2021, 365}}) {
        const WageTaxCertificate c = wageTaxCertificate(fullYear(), year);
        EXPECT_EQ(c.days, days) << year;
        EXPECT_EQ(c.daysOfYear, days) << year;
        EXPECT_EQ(c.from, "01.01." + std::to_string(year));
        EXPECT_EQ(c.to, "31.12." + std::to_string(year));
        EXPECT_EQ(row(c, "3.").value, TableCell::money(Money::fromEuros(36000)));
        EXPECT_EQ(row(c, "4.").value, TableCell::money(Money::fromEuros(4800)));
    }

    // Entry on 16 September 2020, paid 15 of 30 days: 30 × 15 / 30 = 15 days of September, then October
    // to December (31 + 30 + 31); the months before hold 0 paid days and are outside the employment.
    CaseYearFigures y = fullYear();
    for (int m = 1; m <= 9; ++m) {
        Case& c = y.months[static_cast<size_t>(m - 1)].workingCase;
        c.setKey(KeySlot::PartialMonth, parttime::kDays);
        c.setAmount(AmountSlot::MonthDays, 3000000);
        c.setAmount(AmountSlot::PaidDays, m == 9 ? 1500000 : 0);
    }
    // A one-time payment of 500,00 in August, before the entry, is certified all the same.
    for (size_t m = 0; m < 7; ++m)
        y.months[m].taxablePay = Money();
    y.months[7].taxablePay = Money::fromEuros(500);
    const WageTaxCertificate entry = wageTaxCertificate(y, 2020);
    EXPECT_EQ(entry.days, 15 + 31 + 30 + 31);
    EXPECT_EQ(entry.from, "16.09.2020");
    EXPECT_EQ(entry.to, "31.12.2020");
    EXPECT_EQ(row(entry, "3.").value, TableCell::money(Money::fromEuros(500 + 4 * 3000)));
}

TEST(WageTaxCertificate, NamesAMonthWithoutFiguresAndLeavesFlatTaxedPayOut) {
    CaseYearFigures y = fullYear();
    y.months[4].problem = "Die Berechnung des Monats wurde abgebrochen.";
    const WageTaxCertificate broken = wageTaxCertificate(y, 2021);
    EXPECT_EQ(row(broken, "3.").value.kind, TableCell::Kind::Missing);
    EXPECT_EQ(row(broken, "25.").value.kind, TableCell::Kind::Missing);
    EXPECT_EQ(row(broken, "7.").value, TableCell::label("")); // a row the program keeps nothing for
    ASSERT_EQ(broken.notes.size(), 1u);
    EXPECT_EQ(broken.notes[0], "MAI Die Berechnung des Monats wurde abgebrochen.");
    const ReportTable table = wageTaxCertificateTable(broken);
    EXPECT_EQ(table.notes, broken.notes);

    // § 40 Abs. 3 Satz 3 EStG: pay taxed at a flat rate ("pauschal 20 %", line 34 position 49) and its
    // tax are no part of rows 3 and 4: eleven months remain, 11 × 3.000,00 and 11 × 400,00.
    CaseYearFigures flat = fullYear();
    flat.months[11].workingCase.setKey(KeySlot::TaxClass, 49);
    const WageTaxCertificate c = wageTaxCertificate(flat, 2021);
    EXPECT_EQ(row(c, "3.").value, TableCell::money(Money::fromEuros(33000)));
    EXPECT_EQ(row(c, "4.").value, TableCell::money(Money::fromEuros(4400)));
    EXPECT_EQ(c.days, 334);
    ASSERT_EQ(c.notes.size(), 1u);
    EXPECT_EQ(c.notes[0], "Pauschal besteuerter Arbeitslohn ist nicht bescheinigt (§ 40a EStG): Dez.");
}
