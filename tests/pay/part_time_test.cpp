// Part-time, partial months and partial retirement: the reduction of the pay lines, lines 21 to 23 and
// the explanations. The cases run without tariff files, so lines 8 to 10 are 0 and the amounts sit on
// the allowance lines 13 to 15, overtime (16) and performance pay (12), which keep what was typed.

#include "calc/calculation_run.h"
#include "pay/part_time.h"
#include "session/case_load.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

namespace {

Money euros(int64_t cents) {
    return Money::fromCents(cents);
}

// A new case with 3.000,00 on line 13 (flagged for part-time and partial months by default), 200,00
// overtime on line 16 and 100,00 performance pay on line 12 (neither flagged).
void typicalCase(TestSession& s) {
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.enterAmount(AmountSlot::Allowance1, 300000);    // line 13
    c.enterAmount(AmountSlot::Overtime, 20000);       // line 16
    c.enterAmount(AmountSlot::PerformancePay, 10000); // line 12
}

} // namespace

TEST(PartTime, HalfTheHoursHalvesExactlyTheFlaggedLines) {
    TestSession s;
    typicalCase(s);
    Case& c = s.g.workingCase;
    c.enterAmount(AmountSlot::AgreedHours, 1925000); // 19,25 of 38,5 hours
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(s.g.partTimeFactor, 0.5f);
    EXPECT_EQ(c.grossLine(13).amount, euros(300000));
    EXPECT_EQ(c.grossLine(13).reducedAmount, euros(150000)); // 3.000,00 x 0,5
    EXPECT_EQ(c.grossLine(16).reducedAmount, euros(20000));  // not flagged: in full
    EXPECT_EQ(c.grossLine(12).reducedAmount, euros(10000));
    // Line 21: 3.000 + 200 + 100 = 3.300,00; lines 22 and 23: 1.500 + 200 + 100 = 1.800,00.
    EXPECT_EQ(c.amount(AmountSlot::FullTimeGross), 330000);
    EXPECT_EQ(c.amount(AmountSlot::PartTimeGross), 180000);
    EXPECT_EQ(c.amount(AmountSlot::Gross), 180000);

    // Clearing the flag of line 13 pays it in full.
    c.grossLine(13).setFlag(LineFlag::PartTime, false);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.amount(AmountSlot::Gross), 330000);
}

TEST(PartTime, EachReducedLineIsRoundedToTheCentTiesToEven) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.enterAmount(AmountSlot::AgreedHours, 2887500); // 28,875 / 38,5 = 0,75 exactly
    c.enterAmount(AmountSlot::Allowance1, 123457);   // 1.234,57 x 0,75 = 925,9275 -> 925,93
    c.enterAmount(AmountSlot::Allowance2, 2);        // 0,02 x 0,75 = 0,015 -> 0,02 (tie to even)
    c.enterAmount(AmountSlot::Allowance3, 6);        // 0,06 x 0,75 = 0,045 -> 0,04 (tie to even)
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.grossLine(13).reducedAmount, euros(92593));
    EXPECT_EQ(c.grossLine(14).reducedAmount, euros(2));
    EXPECT_EQ(c.grossLine(15).reducedAmount, euros(4));
    EXPECT_EQ(c.amount(AmountSlot::Gross), 92593 + 2 + 4);
}

TEST(PartTime, FactorOneSkipsTheReduction) {
    TestSession s;
    typicalCase(s);
    ASSERT_TRUE(RunCalculation(s.g));
    for (const LineColumns& col : s.g.extras.columns.lines)
        EXPECT_FALSE(col.partTimeReduced);
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Gross), 330000);
}

TEST(PartialMonth, DaysOfNormalReduceTheLinesFlaggedForPartialMonths) {
    TestSession s;
    typicalCase(s);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::PartialMonth, parttime::kDays);
    c.enterAmount(AmountSlot::MonthDays, 3000000); // 30 days
    c.enterAmount(AmountSlot::PaidDays, 1000000);  // 10 days paid
    ASSERT_TRUE(RunCalculation(s.g));
    // 3.000,00 x 10 / 30 = 1.000,00; lines 16 and 12 carry no partial-month flag.
    EXPECT_EQ(c.grossLine(13).reducedAmount, euros(100000));
    EXPECT_EQ(c.grossLine(16).reducedAmount, euros(20000));
    EXPECT_EQ(c.amount(AmountSlot::PartTimeGross), 330000); // no part-time
    EXPECT_EQ(c.amount(AmountSlot::Gross), 100000 + 20000 + 10000);

    // With half-time on top: 3.000 x 0,5 = 1.500, x 10/30 = 500,00.
    c.enterAmount(AmountSlot::AgreedHours, 1925000);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.grossLine(13).reducedAmount, euros(50000));
    EXPECT_EQ(c.amount(AmountSlot::PartTimeGross), 150000 + 20000 + 10000);
}

TEST(PartialMonth, PercentReductionAndPaidDaysBeyondTheMonth) {
    TestSession s;
    typicalCase(s);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::PartialMonth, parttime::kReduction);
    c.enterAmount(AmountSlot::MonthDays, 10000000); // 100 %
    c.enterAmount(AmountSlot::PaidDays, 8000000);   // 80 %
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.grossLine(13).reducedAmount, euros(240000)); // 3.000 x 0,8
    // 31 paid days of a 30-day month are a whole month, never more.
    c.setKey(KeySlot::PartialMonth, parttime::kDays);
    c.enterAmount(AmountSlot::MonthDays, 3000000);
    c.enterAmount(AmountSlot::PaidDays, 3100000);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.grossLine(13).reducedAmount, euros(300000));
}

TEST(PartialRetirement, CategoriesDecideTheFactor) {
    EXPECT_EQ(partialRetirementFactor('A', false), 5000);
    EXPECT_EQ(partialRetirementFactor('F', false), 5000);
    EXPECT_EQ(partialRetirementFactor('a', false), 10000);
    EXPECT_EQ(partialRetirementFactor('g', false), 10000);
    EXPECT_EQ(partialRetirementFactor('g', true), 0);
    EXPECT_EQ(partialRetirementFactor('f', true), 10000);

    TestSession s;
    typicalCase(s);
    Case& c = s.g.workingCase;
    c.enterAmount(AmountSlot::Allowance2, 40000); // line 14: 400,00
    c.setKey(KeySlot::PartialMonth, parttime::kRetirementWork);
    c.grossLine(13).partialRetirementCategory = 'A';
    c.grossLine(14).partialRetirementCategory = 'a';
    c.grossLine(16).partialRetirementCategory = 'g';
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.grossLine(13).reducedAmount, euros(150000)); // 3.000 x 0,5
    EXPECT_EQ(c.grossLine(14).reducedAmount, euros(40000));  // in full
    EXPECT_EQ(c.grossLine(16).reducedAmount, euros(20000));
    c.setKey(KeySlot::PartialMonth, parttime::kRetirementRelease);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.grossLine(16).reducedAmount, Money()); // "g" in the release phase
}

TEST(LocalAllowance, OnlyTheSinglePersonsBaseAmountFollowsTheFactor) {
    Case c = defaultCase();
    std::array<Money, kGrossLines> full{};
    full[10 - kFirstGrossLine] = euros(60000); // line 10: 600,00, of it 250,00 base amount
    full[13 - kFirstGrossLine] = euros(300000);
    const PayColumns cols = reducePayLines(c, full, 0.5f, euros(25000));
    // 600,00 - 250,00 + 250,00 x 0,5 = 475,00; the family part of 350,00 stays whole.
    EXPECT_EQ(cols.line(10).partTime, euros(47500));
    EXPECT_TRUE(cols.line(10).ownRule);
    EXPECT_EQ(cols.localAllowance.reducedBase, euros(12500));
    EXPECT_EQ(cols.line(13).partTime, euros(150000));
    // An odd base: 250,01 x 0,5 = 125,005 -> 125,00 (tie to even); 600,00 - 250,01 + 125,00 = 474,99.
    EXPECT_EQ(reducePayLines(c, full, 0.5f, euros(25001)).line(10).partTime, euros(47499));
}

TEST(LocalAllowance, AppliesWithTheMarriedRuleWithoutPartTimeReduction) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::ServiceRelationship, 0);
    c.setKey(KeySlot::LineSeven, 0); // "100% Verh.Zuschlag, ggf. TZ-Kürzung"
    EXPECT_FALSE(localAllowanceRuleApplies(s.g));
    c.setKey(KeySlot::LineSeven, 1); // "50% Verh.Zuschlag ohne TZ-Kürzung"
    EXPECT_TRUE(localAllowanceRuleApplies(s.g));
    c.grossLine(10).setFlag(LineFlag::PartTime, false);
    EXPECT_FALSE(localAllowanceRuleApplies(s.g));
}

TEST(PartTimeExplanationTexts, FactorsAndRowsAsShown) {
    EXPECT_EQ(partTimeFactorText(1.0f), "1,000 x ");
    EXPECT_EQ(partTimeFactorText(0.5f), "0,500 x ");
    EXPECT_EQ(reductionFactorText(10000), "   x  1,0000 ");
    EXPECT_EQ(reductionFactorText(5000, true), "  x   0,5000 ");
    EXPECT_EQ(reductionFactorText(0), "   x  0,0000 ");

    TestSession s;
    typicalCase(s);
    Case& c = s.g.workingCase;
    c.enterAmount(AmountSlot::AgreedHours, 1925000);
    c.setKey(KeySlot::PartialMonth, parttime::kDays);
    c.enterAmount(AmountSlot::MonthDays, 3000000);
    c.enterAmount(AmountSlot::PaidDays, 1500000);
    ASSERT_TRUE(RunCalculation(s.g));
    const PartTimeExplanation e = explainPartTime(s.g);
    ASSERT_EQ(e.rows.size(), 12u); // lines 8 to 19
    EXPECT_EQ(e.rows[13 - 8].factor, "0,500 x ");
    EXPECT_EQ(e.rows[16 - 8].factor, "1,000 x ");
    EXPECT_EQ(e.total, euros(150000 + 20000 + 10000));

    const auto overview = reductionOverview(s.g);
    ASSERT_EQ(overview.size(), 6u);
    EXPECT_EQ(overview[0].label, "Normales Gehalt   lt.Sp. A");
    EXPECT_EQ(overview[0].factor, "   x  1,0000 ");
    EXPECT_EQ(overview[1].label, "Teilzeitgehalt    lt.Sp. B");
    EXPECT_EQ(overview[1].factor, "bes.Ber."); // lines 12 and 16 are not reduced
    EXPECT_EQ(overview[2].label, "Bruchteilgehalt");
    EXPECT_EQ(overview[2].factor, "   x  0,5000 "); // 15 of 30 days
    // 1.500 x 15/30 = 750 on line 13; 200 + 100 unreduced.
    EXPECT_EQ(overview[2].amount, euros(75000 + 20000 + 10000));
    EXPECT_EQ(overview[5].label, "Altersteilzeitgehalt");
    EXPECT_EQ(overview[5].factor, "   x  0,0000 ");
}
