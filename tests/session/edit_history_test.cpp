// Undo of the edits of the shown case-month: the inputs as before each edit, recalculated and carried
// into the following months as the edit was.
#include "persistence/month_record.h"
#include "session/case_load.h"
#include "session/edit_history.h"
#include "session/line_input.h"
#include "session/sheet_edits.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

namespace {

Case stored(Session& g, int month) {
    Case c;
    unpackMonthRecord(g.files.readMonth(month, g.caseNumber), c);
    return c;
}
void showMonth(Session& g, int month) {
    g.selectMonth(month);
    SelectCaseMonth(g);
}
int32_t gross(const Session& g) {
    return g.sheet.line(23).amountCents.value_or(-1);
}

} // namespace

TEST(EditHistory, UndoesStepByStepAndRecalculatesTheFollowingMonths) {
    TestSession s(2020, DataSet::Real, 1, 3);
    SelectCaseMonth(s.g);
    EditHistory h;
    const int32_t grossBefore = gross(s.g);
    EXPECT_FALSE(h.undo(s.g));

    EXPECT_TRUE(h.edit(s.g, [&] { return EnterAmount(s.g, AmountSlot::Allowance1, "100"); }));
    const int32_t grossAt100 = gross(s.g);
    EXPECT_EQ(grossAt100, grossBefore + 10000);
    EXPECT_TRUE(h.edit(s.g, [&] { return EnterAmount(s.g, AmountSlot::Allowance1, "250"); }));
    const bool taxed = s.g.workingCase.grossLine(13).flag(LineFlag::WageTax);
    EXPECT_TRUE(h.edit(s.g, [&] { return ToggleFlag(s.g, 13, FlagColumn::WageTax); }));
    // a refused edit changes nothing and is no step
    EXPECT_FALSE(h.edit(s.g, [&] { return EnterAmount(s.g, AmountSlot::Allowance1, "abc"); }));
    EXPECT_EQ(h.steps(s.g), 3u);
    EXPECT_EQ(stored(s.g, 12).grossLine(13).flag(LineFlag::WageTax), !taxed);

    ASSERT_TRUE(h.undo(s.g));
    EXPECT_EQ(s.g.workingCase.grossLine(13).flag(LineFlag::WageTax), taxed);
    EXPECT_EQ(stored(s.g, 12).grossLine(13).flag(LineFlag::WageTax), taxed);
    ASSERT_TRUE(h.undo(s.g));
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Allowance1), 10000);
    EXPECT_EQ(gross(s.g), grossAt100); // recalculated
    EXPECT_EQ(stored(s.g, 3).amount(AmountSlot::Allowance1), 10000);
    EXPECT_EQ(stored(s.g, 12).amount(AmountSlot::Allowance1), 10000); // and carried on to December
    ASSERT_TRUE(h.undo(s.g));
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Allowance1), 0);
    EXPECT_EQ(gross(s.g), grossBefore);
    EXPECT_EQ(stored(s.g, 12).amount(AmountSlot::Allowance1), 0);
    EXPECT_FALSE(h.undo(s.g));
    EXPECT_EQ(stored(s.g, 1).amount(AmountSlot::Allowance1), 0); // the months before are not touched
}

TEST(EditHistory, BelongsToTheCaseMonthAsTheLastEditLeftIt) {
    TestSession s(2020, DataSet::Real, 1, 3);
    SelectCaseMonth(s.g);
    EditHistory h;
    h.edit(s.g, [&] { return EnterAmount(s.g, AmountSlot::Allowance1, "100"); });
    // Another month shown: nothing to undo there, and back in March the edit can be undone still.
    showMonth(s.g, 4);
    EXPECT_EQ(h.steps(s.g), 0u);
    EXPECT_FALSE(h.undo(s.g));
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Allowance1), 10000);
    showMonth(s.g, 3);
    EXPECT_EQ(h.steps(s.g), 1u);

    // A change the history did not see (another edit path): undoing would take it back too, so no.
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance2, "40"));
    EXPECT_EQ(h.steps(s.g), 0u);
    EXPECT_FALSE(h.undo(s.g));
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Allowance1), 10000);
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Allowance2), 4000);

    // An edit of another month starts anew.
    showMonth(s.g, 5);
    h.edit(s.g, [&] { return EnterAmount(s.g, AmountSlot::Allowance1, "300"); });
    ASSERT_TRUE(h.undo(s.g));
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Allowance1), 10000);
    showMonth(s.g, 3);
    EXPECT_FALSE(h.undo(s.g));
}
