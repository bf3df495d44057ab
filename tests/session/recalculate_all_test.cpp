// The recalculation of all cases: confirmation, case count, the health-insurance rate position and
// the rewritten month records.

#include "calc/calculation_run.h"
#include "persistence/month_record.h"
#include "session/case_load.h"
#include "session/recalculate_all.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

namespace {

class RecordingStatus : public StatusLine {
  public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

std::vector<std::string> caseFiles(const TestSession& s) {
    std::vector<std::string> out;
    for (int m = 1; m <= 13; ++m)
        out.push_back(varemo::test::fileBytes(s.g.userFolder / caseFileName(2020, DataSet::Real, m)));
    return out;
}

Case stored(TestSession& s, int caseNumber, int month) {
    Case c;
    unpackMonthRecord(s.g.files.readMonth(month, caseNumber), c);
    return c;
}

// Case 1 with 3.000,00 on line 13 in every month, then month 3's stored gross made stale.
void staleCase(TestSession& s) {
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::ServiceRelationship, 26);
    c.enterAmount(AmountSlot::Allowance1, 300000);
    for (int m = 0; m < 12; ++m) {
        c.setKey(KeySlot::Month, static_cast<int16_t>(m));
        ASSERT_TRUE(RunCalculation(s.g));
    }
    Case month3 = stored(s, 1, 3);
    month3.setAmount(AmountSlot::Gross, 1);
    s.g.files.writeMonth(3, 1, packMonthRecord(month3));
}

} // namespace

TEST(RecalculateAll, TheQuestionNamesFolderYearAndDataSet) {
    TestSession s(2020, DataSet::Plan);
    const PromptMessage q = recalculationQuestion(s.g);
    EXPECT_EQ(q.title, "Möchten Sie neu durchrechnen lassen?");
    EXPECT_EQ(q.buttons, PromptButtons::OkCancel);
    EXPECT_TRUE(q.refusalIsDefault);
    const std::vector<std::string> lines = {"Das Neuberechnen   a l l e r   Personalfälle bezieht sich",
                                            "nach den derzeitigen Einstellungen auf",
                                            "- User001",
                                            "- das Jahr 2020",
                                            "- die Arbeitsebene PLAN.",
                                            "Der Vorgang kann nicht rückgängig gemacht werden!",
                                            "Der Fortschritt wird in der Fußzeile angezeigt."};
    EXPECT_EQ(q.lines, lines);
    EXPECT_EQ(recalculationProgress(3, 5), "Personalfall 3, 5. Monat");
    EXPECT_EQ(recalculationProgress(1, 12), "Personalfall 1, 12. Monat");
    EXPECT_EQ(recalculationProgress(11, 1), "Personalfall 11, 1. Monat"); // not to be read as case 111
}

TEST(RecalculateAll, CancelChangesNothing) {
    TestSession s;
    staleCase(s);
    s.g.files.close();
    const auto before = caseFiles(s);
    s.g.files.open(s.g.userFolder, 2020, DataSet::Real);
    const RecalculationSummary r = RecalculateAllCases(s.g); // the script answers No
    EXPECT_FALSE(r.done);
    s.g.files.close();
    EXPECT_EQ(caseFiles(s), before);
    ASSERT_EQ(s.prompter.messages().size(), 1u);
    EXPECT_EQ(s.prompter.messages()[0].title, kRecalculationTitle);
}

TEST(RecalculateAll, ACountOfOneStillProcessesCaseOne) {
    TestSession s;
    staleCase(s);
    ASSERT_EQ(stored(s, 1, 3).amount(AmountSlot::Gross), 1);
    s.g.storage.window.setCaseCount(2020, 1);
    RecordingStatus status;
    s.g.storage.status = &status;
    s.prompter.queue(PromptAnswer::Ok);
    const RecalculationSummary r = RecalculateAllCases(s.g);
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.cases, 1);
    EXPECT_EQ(r.monthsRun, 12);
    EXPECT_EQ(stored(s, 1, 3).amount(AmountSlot::Gross), 300000);
    ASSERT_EQ(status.shown.size(), 12u);
    EXPECT_EQ(status.shown.front(), "Personalfall 1, 1. Monat");
    EXPECT_EQ(status.shown.back(), "Personalfall 1, 12. Monat");
    // It ends on case 1, month 1.
    EXPECT_EQ(s.g.caseNumber, 1);
    EXPECT_EQ(s.g.month(), 1);
    EXPECT_EQ(s.g.workingCase.monthIndex(), 0);
}

// The cases are those the files hold: a count in the window record far beyond them (damaged) makes no
// cases out of nothing, and a number without any record between them is skipped. A case held only by
// another data set's file, its name spelt in small letters, is one.
TEST(RecalculateAll, CasesAreTheStoredOnesWhateverTheWindowRecordCounts) {
    TestSession s;
    staleCase(s);
    s.g.files.writeMonth(1, 2, s.g.files.readMonth(1, 1));
    s.g.files.writeMonth(1, 4, s.g.files.readMonth(1, 1));
    RecordFile(s.g.userFolder / "v2020p.7", kMonthRecordLength).write(6, s.g.files.readMonth(1, 1));
    s.g.storage.window.setCaseCount(2020, 32767);
    EXPECT_EQ(recalculationCaseCount(s.g), 7); // cases 1 to 6 and the empty entry
    s.prompter.queue(PromptAnswer::Ok);
    const RecalculationSummary r = RecalculateAllCases(s.g);
    EXPECT_EQ(r.cases, 4); // 1, 2, 4 and 6; numbers 3 and 5 have no record
    EXPECT_EQ(r.monthsRun, 48);
    EXPECT_TRUE(s.g.files.readMonth(1, 3).allZero());
    EXPECT_TRUE(s.g.files.readMonth(1, 5).allZero());
    EXPECT_FALSE(s.g.files.readMonth(1, 6).allZero());
    EXPECT_EQ(varemo::test::fileBytes(s.g.userFolder / caseFileName(2020, DataSet::Real, 13)).size(),
              6u * 1920u);
}

TEST(RecalculateAll, Fund33KeepsItsRatePositionAndFund34FollowsTheTable) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::HealthFund, 33);
    c.setKey(KeySlot::HealthRate, 50); // 12,50 %
    for (int m = 0; m < 12; ++m) {
        c.setKey(KeySlot::Month, static_cast<int16_t>(m));
        ASSERT_TRUE(RunCalculation(s.g));
    }
    s.prompter.queue(PromptAnswer::Ok);
    RecalculateAllCases(s.g);
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(stored(s, 1, m).key(KeySlot::HealthRate), 50) << m;

    // Fund 34: its general rate of 14,60 % is position (1460 - 1000) / 5 = 92.
    c.setKey(KeySlot::HealthFund, 34);
    c.setKey(KeySlot::HealthRate, 10);
    ResetHealthRatePosition(s.g);
    EXPECT_EQ(c.key(KeySlot::HealthRate), 92);
    c.setKey(KeySlot::ContributionKind, 1); // "KV-AG-Zuschuß": one above
    ResetHealthRatePosition(s.g);
    EXPECT_EQ(c.key(KeySlot::HealthRate), 93);
    c.setKey(KeySlot::ContributionKind, 2);
    ResetHealthRatePosition(s.g);
    EXPECT_EQ(c.key(KeySlot::HealthRate), 128);
    c.setKey(KeySlot::ContributionKind, 9);
    ResetHealthRatePosition(s.g);
    EXPECT_EQ(c.key(KeySlot::HealthRate), 129);
    c.setKey(KeySlot::HealthFund, 35);
    c.setKey(KeySlot::ContributionKind, 0);
    c.setKey(KeySlot::HealthRate, 40);
    ResetHealthRatePosition(s.g);
    EXPECT_EQ(c.key(KeySlot::HealthRate), 40);
}
