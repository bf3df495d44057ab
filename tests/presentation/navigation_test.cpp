#include "persistence/month_record.h"
#include "presentation/navigation.h"
#include "presentation/year_salary.h"
#include "session/case_load.h"
#include "session/line_input.h"
#include "session/recalculate.h"
#include "support/session.h"

#include <array>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace varemo;
using varemo::test::TestSession;

TEST(YearSalary, AddsUpTheTwelveMonthsAndRefusesEveryChange) {
    TestSession s;
    LoadCaseMonth(s.g);
    // January: 1.000,00 in line 13 for the whole year (the following months take it over);
    // from July 1.100,00; a one-time payment of 500,00 in November only (typed in December back to 0).
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "1000"));
    ASSERT_TRUE(SelectMonth(s.g, 7));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "1100"));
    ASSERT_TRUE(SelectMonth(s.g, 11));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::OneTimePayment, "500"));
    ASSERT_TRUE(SelectMonth(s.g, 12));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::OneTimePayment, "0"));

    ASSERT_TRUE(SelectMonth(s.g, kYearSalaryMonth));
    EXPECT_TRUE(s.g.showsYearSalary());
    const int32_t line13 = 6 * 100000 + 6 * 110000;
    EXPECT_EQ(*s.g.sheet.line(13).amountCents, line13);
    EXPECT_EQ(*s.g.sheet.line(20).amountCents, 50000);
    EXPECT_EQ(*s.g.sheet.line(23).amountCents, line13 + 50000);
    int64_t net = 0;
    for (int m = 1; m <= 12; ++m) {
        Case month;
        unpackMonthRecord(s.g.files.readMonth(m, 1), month);
        net += month.amount(AmountSlot::NetPay);
    }
    EXPECT_EQ(*s.g.sheet.line(47).amountCents, net);
    EXPECT_EQ(*s.g.sheet.line(22).amountCents, line13 + 50000);
    // working time is a setting, not a total
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::RegularHours), 3850000);
    EXPECT_EQ(s.g.workingCase.grossLine(13).amount, Money::fromCents(line13));

    const size_t before = s.prompter.messages().size();
    EXPECT_FALSE(EnterAmount(s.g, AmountSlot::Allowance1, "1"));
    EXPECT_FALSE(ChooseOption(s.g, 47, 1));
    EXPECT_FALSE(SelectYear(s.g, 2019));
    auto all = s.messageTexts();
    std::vector<std::string> texts(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "Sorry: Das Jahresgehalt kann nur durch Änderung von Monaten geändert werden.");
    EXPECT_EQ(texts[1], texts[0]);
    EXPECT_EQ(texts[2], "Sorry: Ein Jahreswechsel ist nur möglich, wenn ein Monatsgehalt eingestellt ist.");
    EXPECT_EQ(s.g.year, 2020);
    // nothing was written: December still holds its own month
    Case december;
    unpackMonthRecord(s.g.files.readMonth(12, 1), december);
    EXPECT_EQ(december.amount(AmountSlot::Allowance1), 110000);
}

TEST(YearSalary, TotalsBeyondTheRangeShowNoAmountAndTheMessageNamesTheirLines) {
    TestSession s;
    LoadCaseMonth(s.g);
    // The largest amount the program holds in line 13 from January on: each month runs, but twelve of
    // it (257.698.037,64) and the year's wage tax and net pay no longer fit into the range.
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "21474836,47"));
    const size_t before = s.prompter.messages().size();
    ASSERT_TRUE(SelectMonth(s.g, kYearSalaryMonth));
    std::array<int64_t, kSheetLines + 1> sums{};
    for (int m = 1; m <= 12; ++m) {
        Case month;
        unpackMonthRecord(s.g.files.readMonth(m, 1), month);
        for (int line = 1; line <= kSheetLines; ++line)
            if (auto slot = lineInfo(line).amount; slot && isAnnualTotalLine(line))
                sums[static_cast<size_t>(line)] += month.amount(*slot);
    }
    EXPECT_EQ(sums[13], 12LL * 2147483647);
    std::vector<int> blank;
    for (int line = 1; line <= kSheetLines; ++line) {
        if (!isAnnualTotalLine(line) || !lineInfo(line).amount) continue;
        const auto& shown = s.g.sheet.line(line).amountCents;
        if (sums[static_cast<size_t>(line)] > std::numeric_limits<int32_t>::max() ||
            sums[static_cast<size_t>(line)] < std::numeric_limits<int32_t>::min()) {
            blank.push_back(line);
            EXPECT_FALSE(shown.has_value()) << line;
        } else {
            ASSERT_TRUE(shown.has_value()) << line;
            EXPECT_EQ(*shown, sums[static_cast<size_t>(line)]) << line;
        }
    }
    EXPECT_EQ(blank, (std::vector<int>{13, 21, 22, 23, 34, 47}));
    EXPECT_NE(*s.g.sheet.line(35).amountCents, 0); // the surcharge's true total beside them
    auto all = s.messageTexts();
    ASSERT_EQ(all.size(), before + 1);
    EXPECT_EQ(all.back(),
              "Jahresgehalt: Die Jahressumme der Zeilen 13, 21, 22, 23, 34 und 47 liegt außerhalb des "
              "Wertebereichs des Programms\n(-21.474.836,48 bis 21.474.836,47) und wird deshalb nicht "
              "angezeigt.");
}

TEST(YearSalary, OtherCasesAndDataSetsShowTheirOwnTotals) {
    TestSession s;
    LoadCaseMonth(s.g);
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "100"));
    ASSERT_TRUE(SelectMonth(s.g, kYearSalaryMonth));
    EXPECT_EQ(*s.g.sheet.line(13).amountCents, 120000);
    ASSERT_TRUE(SelectDataSet(s.g, DataSet::Plan));
    EXPECT_TRUE(s.g.showsYearSalary());
    EXPECT_EQ(*s.g.sheet.line(13).amountCents, 0);
    ASSERT_TRUE(SelectMonth(s.g, 5));
    EXPECT_EQ(s.g.month(), 5);
    ASSERT_TRUE(SelectYear(s.g, 2019));
    EXPECT_EQ(s.g.files.year(), 2019);
}

TEST(Navigation, ACaseBeyondTheLastIsCreatedWithItsNameAndAllMonths) {
    TestSession s;
    LoadCaseMonth(s.g);
    ASSERT_TRUE(RenameCase(s.g, "Erster Fall"));
    EXPECT_EQ(caseListNames(s.g), (std::vector<std::string>{"Erster Fall"}));
    ASSERT_TRUE(SelectCase(s.g, 5)); // beyond the last: the next number
    EXPECT_EQ(s.g.caseNumber, 2);
    EXPECT_EQ(s.g.workingCase.name, "Personalfall 2");
    EXPECT_EQ(caseListNames(s.g), (std::vector<std::string>{"Erster Fall", "Personalfall 2"}));
    Case march;
    unpackMonthRecord(s.g.files.readMonth(3, 2), march);
    EXPECT_EQ(march.serviceRelationship(), 25);
    ASSERT_TRUE(SelectCase(s.g, 1));
    EXPECT_EQ(s.g.workingCase.name, "Erster Fall");
    EXPECT_FALSE(SelectCase(s.g, 0));
    EXPECT_FALSE(SelectMonth(s.g, 14));
    EXPECT_FALSE(SelectYear(s.g, 2016));
}
