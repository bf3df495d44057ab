#include "calc/calculation_run.h"
#include "persistence/month_record.h"
#include "session/case_load.h"
#include "session/line_input.h"
#include "session/recalculate.h"
#include "support/scripted_prompter.h"
#include "support/session.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace varemo;
using varemo::test::TestSession;

namespace {

Case storedMonth(TestSession& s, int month) {
    Case c;
    unpackMonthRecord(s.g.files.readMonth(month, s.g.caseNumber), c);
    return c;
}

void loadNew(TestSession& s) {
    LoadCaseMonth(s.g);
}

// Stored months for a run without files: reading a month does what `read` says, writes are counted, and
// so is every access made while the case was not held.
struct ScriptedStore : CaseStore {
    std::function<void()> read = [] {};
    int writes = 0;
    int heldCase = 0;
    int holds = 0;
    int unheldAccesses = 0;
    bool isOpen() const override { return true; }
    int year() const override { return 2020; }
    DataSet dataSet() const override { return DataSet::Real; }
    void access(int caseNumber) {
        if (holds == 0 || heldCase != caseNumber) ++unheldAccesses;
    }
    void loadMonth(int, int caseNumber, Case&) override {
        access(caseNumber);
        read();
    }
    bool loadMonthOfYearBefore(int, int caseNumber, Case&) override {
        access(caseNumber);
        return false;
    }
    void storeMonth(int caseNumber, const Case&) override {
        access(caseNumber);
        ++writes;
    }
    void storeYearResults(int caseNumber, DataSet, const Case&) override {
        access(caseNumber);
        ++writes;
    }
    void holdCase(int caseNumber) override {
        heldCase = caseNumber;
        ++holds;
    }
    void releaseCase() override { --holds; }
};

} // namespace

TEST(CalculationRun, GrossIsTheSumOfTheGrossLinesAndNetAddsDeductionsAndPayments) {
    TestSession s;
    loadNew(s);
    Case& c = s.g.workingCase;
    c.enterAmount(AmountSlot::Allowance1, 100000); // line 13: 1.000,00
    c.enterAmount(AmountSlot::Allowance2, 25050);  // line 14
    c.enterAmount(AmountSlot::Allowance3, 1);      // line 15
    c.setKey(KeySlot::CapitalForming, 3);          // line 11: 13,29
    // line 44: a deduction of 50,00 (restored from the typed amount)
    c.enterAmount(AmountSlot::Deduction1, -5000);
    c.setAmount(AmountSlot::ChildBenefit, 20400);
    ASSERT_TRUE(RunCalculation(s.g));
    int32_t gross = 100000 + 25050 + 1 + 1329;
    EXPECT_EQ(c.amount(AmountSlot::FullTimeGross), gross);
    EXPECT_EQ(c.amount(AmountSlot::PartTimeGross), gross);
    EXPECT_EQ(c.amount(AmountSlot::Gross), gross);
    int32_t deductions = 0; // lines 34 to 42: wage tax and the contributions
    for (AmountSlot k : slotsFrom(AmountSlot::WageTax, AmountSlot::EmployeeShare))
        deductions += c.amount(k);
    EXPECT_EQ(c.amount(AmountSlot::NetPay), gross + deductions - 5000 + 20400);
    EXPECT_EQ(c.grossLine(13).amount, Money::fromCents(100000));
    EXPECT_EQ(c.grossLine(11).amount, Money::fromCents(1329));
}

TEST(CalculationRun, CapitalFormingPaymentsFollowTheOption) {
    TestSession s;
    loadNew(s);
    Case& c = s.g.workingCase;
    const int32_t expected[] = {0, 333, 665, 1329, 1994, 2659, 3988};
    for (int option = 0; option <= 6; ++option) {
        c.setKey(KeySlot::CapitalForming, static_cast<int16_t>(option));
        ASSERT_TRUE(RunCalculation(s.g));
        EXPECT_EQ(c.amount(AmountSlot::CapitalForming), expected[option]) << option;
    }
    c.setKey(KeySlot::CapitalForming, 7);
    c.enterAmount(AmountSlot::CapitalForming, 4000);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.amount(AmountSlot::CapitalForming), 4000);
}

TEST(CalculationRun, RunStartsFromTheEnteredAmountsAndDefaultsTheWorkingTime) {
    TestSession s;
    loadNew(s);
    Case& c = s.g.workingCase;
    c.enterAmount(AmountSlot::RegularHours, 0);
    c.enterAmount(AmountSlot::MonthDays, 0);
    c.enterAmount(AmountSlot::AgreedHours, 1925000);
    c.setAmount(AmountSlot::Deduction1, 999); // a computed value that the run must replace by the typed one
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.amount(AmountSlot::RegularHours), 3850000);
    EXPECT_EQ(c.amount(AmountSlot::MonthDays), 3000000);
    EXPECT_EQ(c.amount(AmountSlot::Deduction1), 0);
    EXPECT_FLOAT_EQ(s.g.partTimeFactor, 0.5f);
}

TEST(CalculationRun, EmployeeAdditionalRateIsHalvedFrom2019) {
    // Fund position 20 is a free entry carrying the year's average additional rate (1.0 %, 0.9 %).
    TestSession s2018(2018);
    loadNew(s2018);
    s2018.g.workingCase.setKey(KeySlot::HealthFund, 20);
    ASSERT_TRUE(RunCalculation(s2018.g));
    EXPECT_FLOAT_EQ(s2018.g.employeeAdditionalRate, 0.010f);
    TestSession s2019(2019);
    loadNew(s2019);
    s2019.g.workingCase.setKey(KeySlot::HealthFund, 20);
    ASSERT_TRUE(RunCalculation(s2019.g));
    EXPECT_FLOAT_EQ(s2019.g.employeeAdditionalRate, 0.0045f);
}

TEST(CalculationRun, MissingJanuaryTariffFileClearsLinesEightToTen) {
    TestSession s;
    loadNew(s);
    Case& c = s.g.workingCase;
    c.setAmount(AmountSlot::BasicPay, 300000);
    c.setAmount(AmountSlot::FamilyAllowance, 10000);
    c.setAmount(AmountSlot::StructuralAllowance, 5000);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.amount(AmountSlot::BasicPay), 0);
    EXPECT_EQ(c.amount(AmountSlot::FamilyAllowance), 0);
    EXPECT_EQ(c.amount(AmountSlot::StructuralAllowance), 0);
}

TEST(CalculationRun, ServiceRelationshipWithoutPayClearsAllAmounts) {
    TestSession s;
    loadNew(s);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::ServiceRelationship, kServiceRelationshipNoPay);
    c.enterAmount(AmountSlot::Allowance1, 100000);
    c.setKey(KeySlot::CapitalForming, 3);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.key(KeySlot::CapitalForming), 0);
    for (AmountSlot s : slotsFrom(slots::kFirstMoney, slots::kLastMoney)) {
        EXPECT_EQ(c.amount(s), 0) << slotNumber(s);
        EXPECT_EQ(c.previousAmount(s), 0) << slotNumber(s);
    }
    EXPECT_EQ(c.amount(AmountSlot::RegularHours), 3850000);
}

TEST(CalculationRun, ClosingStepWritesTheMonthAndYearRecords) {
    TestSession s(2020, DataSet::Plan, 2, 4);
    loadNew(s);
    s.g.workingCase.enterAmount(AmountSlot::Allowance1, 123456);
    ASSERT_TRUE(RunCalculation(s.g));
    Case stored = storedMonth(s, 4);
    EXPECT_EQ(stored.amount(AmountSlot::Gross), 123456);
    EXPECT_EQ(stored.grossLine(13).amount, Money::fromCents(123456));
    YearRecord year = s.g.files.readYear(2);
    EXPECT_EQ(year.monthValue(3, static_cast<int>(DataSet::Plan), 0), 123456);
    EXPECT_EQ(year.monthValue(3, static_cast<int>(DataSet::Plan), 1), stored.amount(AmountSlot::NetPay));
    EXPECT_EQ(year.monthValue(3, static_cast<int>(DataSet::Real), 0), 0);
    EXPECT_EQ(year.name(), "Neuer Personalfall");

    s.g.closingStepSuspended = true;
    s.g.workingCase.enterAmount(AmountSlot::Allowance1, 1);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(storedMonth(s, 4).amount(AmountSlot::Gross), 123456);
}

TEST(CalculationRun, OverflowStopsTheRunWithoutWriting) {
    TestSession s;
    loadNew(s);
    Case& c = s.g.workingCase;
    c.enterAmount(AmountSlot::Allowance1, 2000000000);
    c.enterAmount(AmountSlot::Allowance2, 2000000000);
    EXPECT_FALSE(RunCalculation(s.g));
    EXPECT_TRUE(s.g.overflow);
    EXPECT_EQ(storedMonth(s, 1).amount(AmountSlot::Allowance1), 0);
}

TEST(CalculationRun, AnyOtherFailureStopsTheRunWritesNothingAndTellsTheUserInGerman) {
    ScriptedStore store;
    test::ScriptedPrompter prompter;
    Globaldaten g(prompter, store);
    g.year = 2020;
    g.caseNumber = 7;
    g.workingCase = defaultCase();
    g.workingCase.setKey(KeySlot::Month, 2); // March: the steps read the months before it
    ASSERT_TRUE(RunCalculation(g));
    EXPECT_EQ(store.writes, 2);
    EXPECT_TRUE(prompter.messages().empty());

    // A fault inside the program: the technical text only in parentheses.
    store.writes = 0;
    store.read = [] { throw std::out_of_range("vector::_M_range_check"); };
    EXPECT_FALSE(RunCalculation(g));
    EXPECT_FALSE(g.overflow);
    EXPECT_EQ(store.writes, 0);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Berechnung abgebrochen");
    EXPECT_EQ(prompter.messages()[0].icon, PromptIcon::Critical);
    EXPECT_EQ(
        prompter.messages()[0].text(),
        "Die Berechnung von Personalfall 7, Monat 3/2020 wurde abgebrochen; für diesen Monat wurde nichts "
        "gespeichert.\nInterner Fehler des Programms, die Berechnung wurde abgebrochen "
        "(vector::_M_range_check).");

    // An Error is shown with its own message.
    store.read = [] { throw RecordFileError("Die Datei V2020R.1 konnte nicht geöffnet werden."); };
    EXPECT_FALSE(RunCalculation(g));
    EXPECT_EQ(store.writes, 0);
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].lines.back(), "Die Datei V2020R.1 konnte nicht geöffnet werden.");

    // The run held its case for every read and write and gave it back, also when a step threw: a
    // store may keep what it read only for the time of the run.
    EXPECT_EQ(store.unheldAccesses, 0);
    EXPECT_EQ(store.holds, 0);
}

TEST(Recalculate, AnEditInMarchIsCarriedIntoAprilToDecember) {
    TestSession s(2020, DataSet::Real, 1, 3);
    loadNew(s);
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "1.500,25"));
    EXPECT_EQ(s.g.workingCase.monthIndex(), 2);
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Gross), 150025);
    for (int m = 1; m <= 12; ++m) {
        Case stored = storedMonth(s, m);
        EXPECT_EQ(stored.amount(AmountSlot::Allowance1), m >= 3 ? 150025 : 0) << m;
        EXPECT_EQ(s.g.files.readMonth(m, 1).i16(month_record::keyOffset(KeySlot::Month)), m - 1) << m;
        int32_t deductions = 0; // lines 34 to 46
        for (AmountSlot k : slotsFrom(AmountSlot::WageTax, AmountSlot::Deduction3))
            deductions += stored.amount(k);
        EXPECT_EQ(stored.amount(AmountSlot::NetPay), (m >= 3 ? 150025 : 0) + deductions) << m;
    }
    YearRecord year = s.g.files.readYear(1);
    EXPECT_EQ(year.yearValue(static_cast<int>(DataSet::Real), 0), 10 * 150025);
    EXPECT_EQ(year.yearValue(static_cast<int>(DataSet::Real), 2), 10);
    EXPECT_EQ(s.g.sheet.line(23).amountCents, 150025);
}

// December writes itself and its line of the year record only; so does a month whose following months are
// switched off.
TEST(Recalculate, DecemberAndSwitchedOffFollowingMonthsOnlyWriteTheirMonth) {
    TestSession s(2020, DataSet::Real, 1, 12);
    loadNew(s);
    const YearRecord before = s.g.files.readYear(1);
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "10"));
    EXPECT_EQ(storedMonth(s, 12).amount(AmountSlot::Allowance1), 1000);
    EXPECT_EQ(storedMonth(s, 11).amount(AmountSlot::Allowance1), 0);
    EXPECT_EQ(s.g.files.readYear(1).monthValue(11, 2, 0), 1000);
    EXPECT_EQ(s.g.files.readYear(1).monthValue(10, 2, 0), before.monthValue(10, 2, 0));

    TestSession t(2020, DataSet::Real, 1, 6);
    loadNew(t);
    t.g.followingMonthsOn = false;
    ASSERT_TRUE(EnterAmount(t.g, AmountSlot::Allowance1, "10"));
    EXPECT_EQ(storedMonth(t, 6).amount(AmountSlot::Allowance1), 1000);
    EXPECT_EQ(storedMonth(t, 7).amount(AmountSlot::Allowance1), 0);
}

TEST(Recalculate, DaysOfTheMonthAreNotCarriedForward) {
    TestSession s(2020, DataSet::Real, 1, 2);
    loadNew(s);
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::PaidDays, "20"));
    EXPECT_EQ(storedMonth(s, 2).amount(AmountSlot::PaidDays), 2000000);
    EXPECT_EQ(storedMonth(s, 3).amount(AmountSlot::PaidDays), 3100000);
}

TEST(Recalculate, OverflowShowsTheInputErrorOnceAndKeepsTheFiles) {
    TestSession s(2020, DataSet::Real, 1, 3);
    loadNew(s);
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "20000000"));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance2, "1000000"));
    EXPECT_FALSE(EnterAmount(s.g, AmountSlot::Allowance3, "20000000"));
    ASSERT_EQ(s.messageTexts().size(), 1u);
    EXPECT_EQ(s.messageTexts()[0], std::string("Eingabefehler: ") + kOverflowText);
    EXPECT_EQ(storedMonth(s, 3).amount(AmountSlot::Allowance3), 0);
    EXPECT_EQ(storedMonth(s, 3).amount(AmountSlot::Allowance2), 100000000);
    EXPECT_EQ(storedMonth(s, 7).amount(AmountSlot::Allowance2), 100000000);
}

TEST(Recalculate, LookingAtAnEarlierMonthLeavesTheLaterMonthsAlone) {
    TestSession s(2020, DataSet::Real, 1, 3);
    loadNew(s);
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "100"));
    s.g.selectMonth(2);
    SelectCaseMonth(s.g);
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Allowance1), 0);
    EXPECT_EQ(storedMonth(s, 3).amount(AmountSlot::Allowance1), 10000);
    EXPECT_EQ(storedMonth(s, 12).amount(AmountSlot::Allowance1), 10000);
}
