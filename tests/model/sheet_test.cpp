#include "model/sheet.h"

#include <gtest/gtest.h>

#include <set>

using namespace varemo;

TEST(Sheet, NoTwoLinesShareAKeyOrAmountSlot) {
    std::set<KeySlot> keys;
    std::set<AmountSlot> amounts;
    for (int line = 1; line <= kSheetLines; ++line) {
        const LineInfo& info = lineInfo(line);
        EXPECT_EQ(info.line, line);
        for (std::optional<KeySlot> s : {info.key, info.extraKey})
            if (s) {
                EXPECT_TRUE(keys.insert(*s).second) << "key slot " << slotNumber(*s) << " line " << line;
            }
        if (info.amount) {
            EXPECT_TRUE(amounts.insert(*info.amount).second) << "amount " << line;
        }
    }
    EXPECT_THROW(lineInfo(0), std::out_of_range);
    EXPECT_THROW(lineInfo(kSheetLines + 1), std::out_of_range);
}

TEST(Sheet, LabelsAreTheChosenOptionOrTheUsersText) {
    Case c = defaultCase();
    c.name = "Maria Muster";
    c.setText(CaseText::Allowance2, "Schichtzulage");
    c.setKey(KeySlot::PartialMonth, 1);
    c.enterAmount(AmountSlot::Allowance2, 4711);
    Sheet sheet;
    buildSheet(c, sheet);
    EXPECT_EQ(sheet.line(1).text, "Maria Muster");
    EXPECT_EQ(sheet.line(14).text, "Schichtzulage");
    EXPECT_EQ(sheet.line(14).amountCents, 4711);
    EXPECT_EQ(sheet.line(23).text, "% Kürzung");
    EXPECT_EQ(sheet.line(27).key, 40);
    EXPECT_EQ(sheet.line(31).text, "Ohne LSt.J.Ausgl.d.AG i.Dez.");
    EXPECT_EQ(sheet.line(43).text, "ATZ-Aufstockung lt. Eingabe");
    EXPECT_EQ(sheet.line(47).text, "A U S Z A H L U N G");
    EXPECT_FALSE(sheet.line(28).amountCents);
    for (int n = 1; n <= kSheetLines; ++n)
        EXPECT_EQ(sheet.line(n).number, n);
}
