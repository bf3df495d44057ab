#include "calculators/step_duration.h"

#include "base/error.h"

#include <gtest/gtest.h>

namespace varemo {
namespace {

CalendarDate d(const char* text) {
    return parseCalendarDate(text).value();
}

TEST(StepDuration, MovementShiftsEveryLaterStepAlike) {
    // Steps after 12, 36, 72, 120 and 180 service months; the months count from the month of the
    // beginning (15.03.2015), so step 2 begins on 01.03.2016. Shortening by 6 months moves each later
    // step back by 6 months; the last is the final step.
    const StepTable table{false, 0, {0, 12, 36, 72, 120, 180}, 0};
    const auto steps = stepDates(table, d("15.03.2015"), -6);
    ASSERT_EQ(steps.size(), 6u);
    EXPECT_EQ(steps[1].begins, d("01.03.2016"));
    EXPECT_EQ(steps[1].movedBegins, d("01.09.2015"));
    EXPECT_EQ(steps[1].normalMonths, 24);
    EXPECT_EQ(steps[5].begins, d("01.03.2030"));
    EXPECT_EQ(steps[5].movedBegins, d("01.09.2029"));
    EXPECT_TRUE(steps[5].finalStep);
    // No movement: before and after are equal.
    for (const StepDate& s : stepDates(table, d("15.03.2015"), 0))
        EXPECT_EQ(s.begins, s.movedBegins);
}

TEST(Promotion, GuaranteedAmountWhenTheTableDifferenceIsSmaller) {
    // § 17 (4) TVöD (Bund), groups 7 to 14: at least 90 € more. 3.000,00 + 120,00 allowance before,
    // 3.050,00 + 120,00 after: 50 € more, so 40 € are paid as guaranteed amount.
    PromotionInput in;
    in.agreement = Agreement::TvoedBund;
    in.band = 9;
    in.oldPay = Money::parse("3000");
    in.newPay = Money::parse("3050");
    in.allowanceA = Money::parse("120");
    PromotionResult r = comparePromotion(in);
    EXPECT_EQ(r.difference, Money::parse("50"));
    EXPECT_EQ(r.guarantee, Money::parse("90"));
    EXPECT_EQ(r.guaranteeAllowance, Money::parse("40"));
    // TV-L (Ost), groups 4 to 6: 60 €; a difference of 100 € needs nothing.
    in.agreement = Agreement::TvlOst;
    in.band = 5;
    in.newPay = Money::parse("3100");
    r = comparePromotion(in);
    EXPECT_EQ(r.guarantee, Money::parse("60"));
    EXPECT_EQ(r.guaranteeAllowance, Money());
    EXPECT_EQ(guaranteedAmount(Agreement::TvlOst, 7), Money::parse("71,50"));
    EXPECT_EQ(guaranteedAmount(Agreement::TvlWest, 3), Money::parse("50"));

    const std::pair<int, int> steps[] = {{12, 1}, {13, 2}, {36, 2}, {37, 3}, {120, 4}, {180, 5}, {181, 6}};
    for (auto [months, step] : steps)
        EXPECT_EQ(stepForExperienceMonths(months), step) << months;
}

TEST(ExperiencePeriods, PartTimeCountsAsDaysAndStartedMonthsCount) {
    // 2015 in full: 1 year. 01.01.2016–30.06.2017 at 50 %: 1 year 6 months = 365 + 180 = 545 days,
    // half = 272.5 → 272 (to the even day). Sum 1 year 272 days: 12 + 9 months + 1 for the 2 days left =
    // 22 months before the appointment on 01.08.2018: step 1 from 01.10.2016.
    const auto r = creditExperience(
        d("01.08.2018"), {{d("01.01.2015"), d("31.12.2015"), 100}, {d("01.01.2016"), d("30.06.2017"), 50}});
    EXPECT_EQ(r.spans[1], (DateSpan{0, 0, 272}));
    EXPECT_EQ(r.creditedMonths, 22);
    EXPECT_EQ(r.stepBeginning, d("01.10.2016"));
    try {
        creditExperience(d("01.08.2018"), {{d("01.01.2018"), d("01.08.2018"), 100}});
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Das Datum muss vor dem Datum der Ernennung liegen");
    }
    EXPECT_THROW(creditExperience(std::nullopt, {}), Error);
}

} // namespace
} // namespace varemo
