#include "persistence/month_record.h"
#include "session/case_load.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <limits>

using namespace varemo;
using varemo::test::TestSession;

namespace {

// Writes a case into all twelve months and names it.
void storeCase(TestSession& s, Case c, const std::string& name = "Maria Muster") {
    for (int m = 1; m <= 12; ++m) {
        c.setKey(KeySlot::Month, static_cast<int16_t>(m - 1));
        s.g.files.writeMonth(m, s.g.caseNumber, packMonthRecord(c));
    }
    YearRecord y;
    y.setName(name);
    s.g.files.writeYear(s.g.caseNumber, y);
}

Case unpackedMonth(TestSession& s, int month) {
    Case c;
    unpackMonthRecord(s.g.files.readMonth(month, s.g.caseNumber), c);
    return c;
}

bool sameInputsAsDefaults(const Case& c) {
    Case d = defaultCase();
    for (KeySlot k : slotsFrom(KeySlot::DateLabel, KeySlot::FlatTaxLimitChoice))
        if (k != KeySlot::Month && c.key(k) != d.key(k)) return false;
    return c.amounts == d.amounts && c.texts == d.texts;
}

} // namespace

TEST(CaseLoad, AnEmptyRecordBecomesANewCaseWithTheDefaults) {
    TestSession s(2020, DataSet::Real, 1, 3);
    LoadCaseMonth(s.g);
    EXPECT_EQ(s.g.workingCase.name, "Neuer Personalfall");
    EXPECT_EQ(s.g.workingCase.serviceRelationship(), 25);
    EXPECT_EQ(s.g.workingCase.key(KeySlot::SupplementaryFund), 40);
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::RegularHours), 3850000);
    EXPECT_EQ(s.g.workingCase.previousAmount(AmountSlot::PaidDays), 3100000);
    EXPECT_EQ(s.g.workingCase.monthIndex(), 2);
    EXPECT_TRUE(s.prompter.messages().empty());
    for (int m = 1; m <= 12; ++m)
        EXPECT_TRUE(sameInputsAsDefaults(unpackedMonth(s, m))) << m;
    EXPECT_EQ(s.g.files.readYear(1).name(), "Neuer Personalfall");
}

TEST(CaseLoad, AnOutOfRangeKeyResetsAllTwelveMonthsWithTheErrorNumber) {
    TestSession s(2020);
    Case c = defaultCase();
    c.setKey(KeySlot::ServiceRelationship, 10);
    c.enterAmount(AmountSlot::Allowance1, 5000);
    c.setKey(KeySlot::CostCentre, 122); // line 28, highest 121
    storeCase(s, c);
    s.g.selectMonth(5);
    LoadCaseMonth(s.g);
    ASSERT_EQ(s.messageTexts().size(), 1u);
    EXPECT_EQ(s.messageTexts()[0], "Achtung: Achtung (77)\nDer Personalfall wurde auf die Grundstellung "
                                   "zurückgesetzt,\num einen Programmabsturz zu vermeiden.");
    EXPECT_EQ(s.g.workingCase.serviceRelationship(), 25);
    EXPECT_EQ(s.g.workingCase.name, "Maria Muster");
    for (int m = 1; m <= 12; ++m)
        EXPECT_TRUE(sameInputsAsDefaults(unpackedMonth(s, m))) << m;
}

TEST(CaseLoad, TheLastFailingSlotGivesTheErrorNumber) {
    TestSession s(2020);
    Case c = defaultCase();
    c.setKey(KeySlot::Region, 18);     // 52
    c.setKey(KeySlot::HealthFund, 36); // 96
    storeCase(s, c);
    LoadCaseMonth(s.g);
    ASSERT_EQ(s.prompter.messages().size(), 1u);
    EXPECT_EQ(s.prompter.messages()[0].lines[0], "Achtung (96)");
}

TEST(CaseLoad, NegativeStoredKeysCountByTheirAbsoluteValue) {
    TestSession s(2020);
    Case c = defaultCase();
    storeCase(s, c);
    RecordBuffer r = s.g.files.readMonth(1, 1);
    r.setI16(2 * (4 - 1), -12); // service relationship stored as -12
    s.g.files.writeMonth(1, 1, r);
    LoadCaseMonth(s.g);
    EXPECT_EQ(s.g.workingCase.serviceRelationship(), 12);
    EXPECT_TRUE(s.prompter.messages().empty());
}

TEST(CaseLoad, OldAgeReliefLimitFollowsTheYear) {
    for (auto [year, key, error] : {std::tuple{2020, 16, 0}, {2020, 17, 81}, {2017, 13, 0}, {2017, 14, 81}}) {
        TestSession s(year);
        Case c = defaultCase();
        c.setKey(KeySlot::OldAgeRelief, static_cast<int16_t>(key));
        storeCase(s, c);
        LoadCaseMonth(s.g);
        if (error == 0) {
            EXPECT_TRUE(s.prompter.messages().empty()) << year << " " << key;
            EXPECT_EQ(s.g.workingCase.key(KeySlot::OldAgeRelief), key);
        } else {
            ASSERT_EQ(s.prompter.messages().size(), 1u) << year << " " << key;
            EXPECT_EQ(s.prompter.messages()[0].lines[0], "Achtung (81)");
        }
    }
}

TEST(CaseLoad, MonthCounterAboveTwelveIsError55) {
    TestSession s(2020);
    storeCase(s, defaultCase());
    s.g.monthCounter = 13;
    LoadCaseMonth(s.g);
    ASSERT_EQ(s.prompter.messages().size(), 1u);
    EXPECT_EQ(s.prompter.messages()[0].lines[0], "Achtung (55)");
    EXPECT_EQ(s.g.monthCounter, 0);
}

TEST(CaseLoad, QuietCorrectionsOfKeysAmountsAndDate) {
    TestSession s(2020);
    Case c = defaultCase();
    c.setKey(KeySlot::DateLabel, 5);  // allowed by the range check ...
    c.setKey(KeySlot::LineSeven, 22); // ... but above 10: becomes 0
    c.setKey(KeySlot::FlatTaxLimitChoice, 9);
    c.enterAmount(AmountSlot::Reserved46, 12000);
    c.enterAmount(AmountSlot::TariffFactor, 999);
    c.enterAmount(AmountSlot::StepReserve, 1000001);
    c.enterAmount(AmountSlot::StepMovement, 1001);
    c.enterAmount(AmountSlot::SupplementaryFund, -1);
    c.dateText = "01/04/2015";
    storeCase(s, c);
    LoadCaseMonth(s.g);
    const Case& w = s.g.workingCase;
    EXPECT_TRUE(s.prompter.messages().empty());
    EXPECT_EQ(w.key(KeySlot::DateLabel), 5);
    EXPECT_EQ(w.key(KeySlot::LineSeven), 0);
    EXPECT_EQ(w.key(KeySlot::FlatTaxLimitChoice), 0);
    EXPECT_EQ(w.amount(AmountSlot::Reserved46), 10000);
    EXPECT_EQ(w.amount(AmountSlot::TariffFactor), 10000);
    EXPECT_FLOAT_EQ(s.g.tariffFactor, 1.0f);
    EXPECT_EQ(w.amount(AmountSlot::StepReserve), 0);
    EXPECT_EQ(w.amount(AmountSlot::StepMovement), 0);
    EXPECT_EQ(w.amount(AmountSlot::SupplementaryFund), 0);
    EXPECT_EQ(w.dateText, "01.04.2015");

    // The step subtracts the stored step movement from the service months: a damaged record's smallest
    // 32-bit value would overflow there, so the load bounds it below as well as above. A date with an
    // underscore is cleared.
    c.enterAmount(AmountSlot::StepMovement, std::numeric_limits<int32_t>::min());
    c.dateText = "__.__.____";
    storeCase(s, c);
    LoadCaseMonth(s.g);
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::StepMovement), 0);
    EXPECT_EQ(s.g.workingCase.dateText, "");
    c.enterAmount(AmountSlot::StepMovement, -24); // two years' shortening stays
    storeCase(s, c);
    LoadCaseMonth(s.g);
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::StepMovement), -24);
}

TEST(CaseLoad, TariffFactorAndPartialRetirementPercentComeFromTheAmounts) {
    TestSession s(2020);
    Case c = defaultCase();
    c.enterAmount(AmountSlot::TariffFactor, 8500);
    c.setKey(KeySlot::PartialMonth, 2);
    c.enterAmount(AmountSlot::PaidDays, 5049999);
    storeCase(s, c);
    LoadCaseMonth(s.g);
    EXPECT_FLOAT_EQ(s.g.tariffFactor, 0.85f);
    EXPECT_EQ(s.g.partialRetirementPercent, 50);
}

TEST(CaseLoad, ANameBeginningWithABlankBecomesNewCase) {
    for (std::string bad :
         {std::string(" Maria"), std::string("M Maria"), std::string("!Maria"), std::string("\x01xy")}) {
        TestSession s(2020);
        Case c = defaultCase();
        c.enterAmount(AmountSlot::Allowance2, 12345);
        storeCase(s, c, bad);
        LoadCaseMonth(s.g);
        EXPECT_EQ(s.g.workingCase.name, "Neuer Personalfall") << bad;
        EXPECT_EQ(s.g.files.readYear(1).name(), "Neuer Personalfall");
        EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Allowance2), 0)
            << "the default record replaces the months";
        EXPECT_TRUE(s.prompter.messages().empty());
    }
    TestSession ok(2020);
    storeCase(ok, defaultCase(), "\"Max\"");
    LoadCaseMonth(ok.g);
    EXPECT_EQ(ok.g.workingCase.name, "\"Max\"");
}

TEST(CaseLoad, EastFlagFollowsTheRegion) {
    for (int region = 0; region <= 17; ++region) {
        TestSession s(2020);
        Case c = defaultCase();
        c.setKey(KeySlot::Region, static_cast<int16_t>(region));
        storeCase(s, c);
        s.g.east = !isEastRegion(region);
        LoadCaseMonth(s.g);
        bool east =
            region == 4 || region == 8 || region == 13 || region == 14 || region == 16 || region == 17;
        EXPECT_EQ(s.g.east, east) << region;
    }
}
