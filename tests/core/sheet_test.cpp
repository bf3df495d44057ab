#include "model/sheet.h"

#include <gtest/gtest.h>

#include <set>

using namespace varemo;

TEST(Sheet, LineTableFollowsTheSlotConventions) {
    for (int line : {8, 11, 12, 20, 22, 25, 28, 32}) EXPECT_EQ(lineInfo(line).keySlot, line - 1) << line;
    EXPECT_EQ(lineInfo(9).amountSlot, 9);
    EXPECT_EQ(lineInfo(10).amountSlot, 8);
    EXPECT_EQ(lineInfo(26).keySlot, 47);
    EXPECT_EQ(lineInfo(27).keySlot, 25);
    EXPECT_EQ(lineInfo(33).keySlot, 46);
    EXPECT_EQ(lineInfo(37).keySlot, 52);
    EXPECT_EQ(lineInfo(37).extraKeySlot, 37);
    EXPECT_EQ(lineInfo(42).keySlot, 41);
    EXPECT_EQ(lineInfo(43).amount, AmountSlot::ChildBenefit);
    EXPECT_EQ(lineInfo(44).amountSlot, 42);
    EXPECT_EQ(lineInfo(47).amount, AmountSlot::NetPay);
    EXPECT_THROW(lineInfo(0), std::out_of_range);
    EXPECT_THROW(lineInfo(48), std::out_of_range);
}

TEST(Sheet, NoTwoLinesShareAKeyOrAmountSlot) {
    std::set<int> keys;
    std::set<int> amounts;
    for (int line = 1; line <= kSheetLines; ++line) {
        const LineInfo& info = lineInfo(line);
        EXPECT_EQ(info.line, line);
        for (int s : {info.keySlot, info.extraKeySlot})
            if (s >= 0) {
                EXPECT_TRUE(keys.insert(s).second) << "key slot " << s << " line " << line;
            }
        if (info.amountSlot >= 0) {
            EXPECT_TRUE(amounts.insert(info.amountSlot).second) << "amount " << line;
        }
    }
}

TEST(Sheet, LabelsAreTheChosenOptionOrTheUsersText) {
    Case c = defaultCase();
    c.name = "Maria Muster";
    c.setText(CaseText::Allowance2, "Schichtzulage");
    c.setKey(KeySlot::PartialMonth, 1);
    c.enterAmount(13, 4711);
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
    for (int n = 1; n <= kSheetLines; ++n) EXPECT_EQ(sheet.line(n).number, n);
}
