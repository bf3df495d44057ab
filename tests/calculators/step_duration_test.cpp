#include "calculators/step_duration.h"

#include "base/error.h"
#include "calculators/experience_texts.h"
#include "calculators/pay_steps.h"
#include "model/slots.h"
#include "session/case_load.h"
#include "session/line_input.h"
#include "support/cli_runner.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    // A table counting "plus one" (§ 27 (3) BBesG: two years in step 1, three in step 2): step 2 from
    // the 25th counted month, i.e. 01.09.2016 + 24 months; step 1 runs those 24 months, not 25.
    const StepTable civil{true, 0, {0, 25, 61}, 0};
    const auto civilSteps = stepDates(civil, d("01.09.2016"), 0);
    EXPECT_EQ(civilSteps[1].begins, d("01.09.2018"));
    EXPECT_EQ(civilSteps[0].normalMonths, 24);
    EXPECT_EQ(civilSteps[1].normalMonths, 36);
}

// A case of March 2021 with the shipped pay tables: line 4 `relationship`, line 2 `region`, `group`.
struct ShippedCase {
    ShippedCase(int relationship, int region, int group) : s(2021, DataSet::Real, 1, 3) {
        test::copyShippedFiles(s.dir.path());
        OpenYearFiles(s.g);
        LoadCaseMonth(s.g);
        EXPECT_TRUE(ChooseOption(s.g, 4, relationship));
        EXPECT_TRUE(ChooseOption(s.g, 2, region));
        EXPECT_TRUE(SetKey(s.g, KeySlot::PayGroup, group));
    }
    test::TestSession s;
};

TEST(StepDuration, TvlStepsFromTheEntryTheStepInForceAndTheEntryOffice) {
    // § 16 (3) TV-L: step 2 after one year in step 1, step 3 after two years in step 2, step 4 after
    // three, step 5 after four, step 6 after five. Entry 01.03.2015 (TV-L, Niedersachsen, E7):
    //   step 2: 01.03.2015 + 1 year = 01.03.2016
    //   step 3: 01.03.2016 + 2 years = 01.03.2018
    //   step 4: 01.03.2018 + 3 years = 01.03.2021  → in force in March 2021
    //   step 5: 01.03.2021 + 4 years = 01.03.2025
    //   step 6: 01.03.2025 + 5 years = 01.03.2030, the final step
    // Shortened by 6 months every later step begins half a year earlier; step 4 is still in force.
    ShippedCase tvl(11, 9, 6);
    StepDurationView v = StepDurationOf(tvl.s.g, d("01.03.2015"), -6);
    EXPECT_EQ(v.legalBasis, "§ 16 TV-L");
    ASSERT_EQ(v.steps.size(), 6u);
    const char* begins[] = {"01.03.2015", "01.03.2016", "01.03.2018",
                            "01.03.2021", "01.03.2025", "01.03.2030"};
    const char* moved[] = {"01.03.2015", "01.09.2015", "01.09.2017",
                           "01.09.2020", "01.09.2024", "01.09.2029"};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(v.steps[i].begins, d(begins[i])) << i;
        EXPECT_EQ(v.steps[i].movedBegins, d(moved[i])) << i;
        EXPECT_TRUE(v.basicPay[i]) << i;
    }
    EXPECT_TRUE(v.steps[5].finalStep);
    EXPECT_EQ(v.current, 3); // step 4
    EXPECT_EQ(stepInForce(v.steps, d("28.02.2021")), 2);
    EXPECT_EQ(stepInForce(v.steps, d("28.02.2015")), -1);
    EXPECT_EQ(v.entryOfficeNote, "");

    // NRW, A13: the pay table has no amount below step 5, so step 5 is the initial step. The program's
    // step table for NRW counts two years in each of steps 1 to 4: step 1 begins 4 × 24 = 96 months
    // before the appointment.
    ShippedCase nrw(0, 10, 12);
    EXPECT_EQ(entryOfficeNote(nrw.s.g),
              "Ist A13 das Eingangsamt, beginnt die Stufenlaufzeit 96 Monate vor der Einstellung. "
              "Anfangsstufe ist dann Stufe 5. Anrechenbare Vordienstzeiten sind auch hier noch zusätzlich "
              "zu berücksichtigen.");
}

TEST(ExperienceTexts, TheShippedFileHasEverySectionAndAMissingOneIsNamed) {
    ShippedCase tvl(11, 9, 6);
    const ExperienceTexts texts = LoadExperienceTexts(tvl.s.g);
    for (const std::string& section : experienceSections())
        EXPECT_FALSE(texts.at(section).empty()) << section;
    EXPECT_EQ(experienceRulesSection(tvl.s.g.workingCase), kRulesTvl);
    EXPECT_EQ(texts.at(kExperienceKinds).front(), "Tätigkeit im ö.D. als .... bei ....");

    try {
        parseExperienceTexts("[Arten]\r\nTätigkeit\r\n", "EDZ.ttt");
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "In der Datei EDZ.ttt fehlt der Abschnitt [Anrechnung § 16 TVöD]; die Texte "
                               "der Erfahrungszeiten können nicht angezeigt werden.");
    }
    const auto file = tvl.s.g.dataRootOrProgram() / "Tarife" / "EDZ.ttt";
    std::filesystem::remove(file);
    try {
        LoadExperienceTexts(tvl.s.g);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Die Datei " + file.string() +
                                             " fehlt; die Texte der Erfahrungszeiten können nicht "
                                             "angezeigt werden.");
    }
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
