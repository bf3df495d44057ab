#pragma once
// A case-month for the supplementary-pension tests: an employee under the TV-L in Nordrhein-Westfalen
// (West, flat church tax 7 %), insured with "VBL Länder", employee share 1,81 %, the collective
// agreement's flat-tax limit 92,03, tax class I. Pay goes into the allowance lines 13 to 15, which the
// calculation takes as entered.

#include "calc/calculation_run.h"
#include "deductions/supplementary_pension.h"
#include "session/case_load.h"
#include "support/session.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

namespace varemo::test {

struct PensionCase {
    explicit PensionCase(int year = 2020, int month = 1) : s(year, DataSet::Real, 1, month) {
        LoadCaseMonth(s.g);
        setRegion(10);
        c().setKey(KeySlot::ServiceRelationship, 11);
        c().setKey(KeySlot::SupplementaryFund, fund::VblLaender);
        c().setKey(KeySlot::EmployeeShare, 181);
        c().setKey(KeySlot::FlatTaxLimitChoice, 1);
        c().setKey(KeySlot::TaxClass, 0);
    }

    Case& c() { return s.g.workingCase; }
    void setRegion(int region) {
        c().setKey(KeySlot::Region, static_cast<int16_t>(region));
        s.g.east = isEastRegion(region);
    }
    // A full-time amount on one of the lines 8 to 20, subject to wage tax and social insurance,
    // reduced for part-time and partial months, and subject to the levy unless said otherwise.
    void pay(int line, int64_t cents, bool levy = true) {
        c().enterAmount(lineInfo(line).amount.value(), static_cast<int32_t>(cents));
        auto& l = c().grossLine(line);
        l.setFlag(LineFlag::WageTax, true);
        l.setFlag(LineFlag::SocialInsurance, true);
        l.setFlag(LineFlag::SupplementaryPension, levy);
        l.setFlag(LineFlag::PartTime, true);
        l.setFlag(LineFlag::PartialMonth, true);
    }
    void partialMonth(int paidDays, int monthDays) {
        c().setKey(KeySlot::PartialMonth, 0);
        c().enterAmount(AmountSlot::PaidDays, paidDays * 100000);
        c().enterAmount(AmountSlot::MonthDays, monthDays * 100000);
    }
    const PensionWorksheet& run() {
        EXPECT_TRUE(RunCalculation(s.g));
        return s.g.pension.worksheet;
    }
    // Line n of the worksheet in cents.
    int64_t line(int n) const { return s.g.pension.worksheet.amount(n).toCents(); }
    // Lines of the worksheet against their expected cents.
    void expectLines(std::initializer_list<std::pair<int, int64_t>> expected) const {
        for (auto [n, cents] : expected)
            EXPECT_EQ(line(n), cents) << "line " << n;
    }
    Money taxInput(Money TaxInputs::*field) const { return s.g.tax.inputs.*field; }

    TestSession s;
};

} // namespace varemo::test
