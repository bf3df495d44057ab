// The payroll lists from given months: what cannot be known is named, never paid over as 0.
#include "print/payroll_lists.h"

#include <gtest/gtest.h>

using namespace varemo;
using namespace varemo::print;

namespace {

constexpr int kBarmer = 1;    // its U2 rate of 2020 is not in the shipped fund list
constexpr int kTechniker = 0; // its rates are

Money cents(int64_t c) {
    return Money::fromCents(c);
}

// An employee paying the general contributions on 3.000,00 to fund, with U2 owed.
MonthFigures employeeMonth(int month, int fund) {
    MonthFigures f;
    f.month = month;
    f.workingCase.setKey(KeySlot::HealthFund, static_cast<int16_t>(fund));
    SocialInsuranceWorksheet& w = f.social;
    w.year = 2020;
    w.kv = regularBranch(0, cents(300000), Rate{73000}, Rate{73000});
    w.pv = regularBranch(0, cents(300000), Rate{15250}, Rate{15250});
    w.rv = regularBranch(0, cents(300000), Rate{93000}, Rate{93000});
    w.av = regularBranch(0, cents(300000), Rate{12000}, Rate{12000});
    w.levies.fund = fund;
    w.levies.u2 = {true, cents(300000), Rate{4700}, cents(1410)};
    return f;
}

CaseYearFigures employeeYear(int fund) {
    CaseYearFigures c;
    c.caseNumber = 1;
    c.name = "Petra Sommer   ";
    for (int m = 1; m <= 12; ++m)
        c.months[static_cast<size_t>(m - 1)] = employeeMonth(m, fund);
    return c;
}

const TableRow& rowOf(const PayrollList& list, const std::string& caption) {
    for (const ListBlock& b : list.blocks)
        for (const TableRow& r : b.rows)
            if (r.cells[0].text == caption) return r;
    throw std::out_of_range(caption);
}

} // namespace

TEST(PayrollLists, AMonthThatCouldNotBeCalculatedIsMissingInItsRowEverySumAndTheNotes) {
    const FundTable funds = FundTable::defaultsFor(2020);
    std::vector<CaseYearFigures> cases = {employeeYear(kTechniker)};
    cases[0].months[2].problem = "Die Berechnung des Monats wurde abgebrochen.";
    const PayrollList year = buildPayrollList(57, cases, funds, {2020, DataSet::Real, 0, 0});
    ASSERT_EQ(year.blocks.size(), 1u);
    EXPECT_EQ(year.blocks[0].heading, "K A S S E   Techniker Krankenkasse");
    // Every cell of March and of the sum is missing; February is there: 7,3 % of 3.000,00 = 219,00.
    for (const std::string& caption : {std::string("März"), std::string(" S U M M E")})
        for (size_t c = 1; c < rowOf(year, caption).cells.size(); ++c)
            EXPECT_EQ(rowOf(year, caption).cells[c].kind, TableCell::Kind::Missing) << caption << c;
    EXPECT_EQ(rowOf(year, "Feb").cells[3], TableCell::money(cents(21900)));
    for (const TableRow& r : year.summary)
        EXPECT_EQ(r.cells[1].kind, TableCell::Kind::Missing) << r.cells[0].text;
    ASSERT_EQ(year.notes.size(), 1u);
    EXPECT_EQ(year.notes[0],
              "Personalfall 1 (Petra Sommer), März 2020: Die Berechnung des Monats wurde abgebrochen.");

    // The month's own statement of another month is whole.
    const PayrollList february = buildPayrollList(50, cases, funds, {2020, DataSet::Real, 2, 0});
    EXPECT_TRUE(february.notes.empty());
    EXPECT_EQ(february.summary.back().cells[1].kind, TableCell::Kind::Amount);
}

TEST(PayrollLists, ALevyAtARateTheFundListDoesNotKnowIsMissingNotZero) {
    const FundTable funds = FundTable::defaultsFor(2020);
    ASSERT_FALSE(levyRateKnown(funds.status(kBarmer, 0).u2));
    std::vector<CaseYearFigures> cases = {employeeYear(kBarmer)};
    for (MonthFigures& f : cases[0].months)
        f.social.levies.u2.amount = Money(); // what the sheet shows for an unknown rate
    const PayrollList january = buildPayrollList(50, cases, funds, {2020, DataSet::Real, 1, 0});
    const TableRow& row = rowOf(january, "Petra Sommer");
    const auto& columns = january.columns;
    for (size_t c = 1; c < columns.size(); ++c) {
        const bool unknown = columns[c].caption == "U 2" || columns[c].caption == "Quersumme";
        EXPECT_EQ(row.cells[c].kind, unknown ? TableCell::Kind::Missing : TableCell::Kind::Amount)
            << columns[c].caption;
    }
    // The contributions themselves stand: 1000 = 2 × 219,00; U2 and the total are not known.
    EXPECT_EQ(january.summary[0].cells[0].text, "1000 =");
    EXPECT_EQ(january.summary[0].cells[1], TableCell::money(cents(43800)));
    EXPECT_EQ(january.summary.back().cells[1].kind, TableCell::Kind::Missing);
    ASSERT_EQ(january.notes.size(), 1u);
    EXPECT_EQ(
        january.notes[0].rfind("Der Umlagesatz U2 der Krankenkasse \"BARMER\" für Januar 2020 ist nicht "
                               "bekannt",
                               0),
        0u)
        << january.notes[0];
}
