#include "presentation/key_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace varemo;

namespace {

// Feeds a typed text: letters, digits, '^' for Ctrl, '\x1b' for Escape, '#' for any other key.
std::vector<KeyResult> type(KeyCodeMachine& m, const std::string& keys) {
    std::vector<KeyResult> out;
    for (char c : keys) {
        KeyPress k = c == '^'                 ? KeyPress::control()
                     : c == '\x1b'            ? KeyPress::escape()
                     : c == '#'               ? KeyPress::other()
                     : (c >= '0' && c <= '9') ? KeyPress::digit(c - '0')
                                              : KeyPress::letter(c);
        out.push_back(m.press(k));
    }
    return out;
}

struct Recorder : SheetActions {
    std::vector<std::string> calls;
    void add(const std::string& s, int n) { calls.push_back(s + std::to_string(n)); }
    void openOptionList(int l) override { add("list", l); }
    void advanceCategory(int l) override { add("category", l); }
    void focusAmount(int l) override { add("amount", l); }
    void functionButton(int n) override { add("f", n); }
    void lineHelp(int l) override { add("help", l); }
    void infoButton(int n) override { add("info", n); }
    void yearButton(int y) override { add("year", y); }
    void toggleFlag(int l, FlagColumn c) override { add(std::string("flag") + flagColumnHeading(c), l); }
    void monthButton(int m) override { add("month", m); }
    void renameEntry(int l) override { add("rename", l); }
    void regulation(int l) override { add("par", l); }
    void menuItem(int n) override { add("Y", n); }
    void openPayGroupList() override { add("group", 4); }
    void chooseDataSet(int n) override { add("set", n); }
    void copyButton(int n) override { add("copy", n); }
};

} // namespace

TEST(KeyCodeMachine, LetterAndTwoDigitsExecuteAndShowWhatWasTyped) {
    KeyCodeMachine m;
    auto r = type(m, "M1");
    EXPECT_EQ(r[0].outcome, KeyOutcome::Consumed);
    EXPECT_EQ(m.state(), 2);
    EXPECT_EQ(m.pending(), "m1");
    r = type(m, "3");
    EXPECT_EQ(r[0].outcome, KeyOutcome::Execute);
    EXPECT_EQ(r[0].code, (KeyCode{'M', 13}));
    EXPECT_EQ(m.state(), 0);
    EXPECT_EQ(m.pending(), "");
    // lower case is the same code
    EXPECT_EQ(type(m, "f21")[2].code, (KeyCode{'F', 21}));
}

TEST(KeyCodeMachine, YAndAGroupLetterOpenTheGroupAtOnceThenDigitsChooseItsItem) {
    KeyCodeMachine m;
    auto r = type(m, "ya");
    EXPECT_EQ(r[1].outcome, KeyOutcome::OpenMenuGroup);
    EXPECT_EQ(r[1].group, 'a');
    EXPECT_EQ(m.state(), 103);
    r = type(m, "41");
    EXPECT_EQ(r[1].outcome, KeyOutcome::Execute);
    EXPECT_EQ(r[1].code, (KeyCode{'Y', 41}));

    const std::pair<char, int> groups[] = {{'s', 101}, {'b', 102}, {'a', 103}, {'n', 104},
                                           {'p', 105}, {'v', 106}, {'i', 107}};
    for (auto [letter, state] : groups) {
        KeyCodeMachine g;
        type(g, std::string("y") + letter);
        EXPECT_EQ(g.state(), state) << letter;
    }
    // Ctrl starts a menu code like Y
    KeyCodeMachine c;
    EXPECT_EQ(type(c, "^05")[2].code, (KeyCode{'Y', 5}));
}

TEST(KeyCodeMachine, EscapeAndForeignKeysLeaveNothingPending) {
    KeyCodeMachine m;
    type(m, "f0");
    EXPECT_EQ(m.press(KeyPress::escape()).outcome, KeyOutcome::Escape);
    EXPECT_EQ(m.state(), 0);
    EXPECT_EQ(m.pending(), "");
    EXPECT_EQ(type(m, "f21")[2].code, (KeyCode{'F', 21}));

    type(m, "m1");
    EXPECT_EQ(m.press(KeyPress::other()).outcome, KeyOutcome::Cancelled);
    EXPECT_EQ(m.state(), 0);
    EXPECT_EQ(type(m, "3")[0].outcome, KeyOutcome::Ignored); // the digit alone is no code
    EXPECT_EQ(type(m, "mx")[1].outcome, KeyOutcome::Cancelled);
    // letters that start no code pass through
    for (char c : std::string("COQRUX"))
        EXPECT_EQ(type(m, std::string(1, c))[0].outcome, KeyOutcome::Ignored);
}

TEST(KeyCodeMachine, ACodeOpensTheListAndTwoMoreDigitsChooseAnEntry) {
    KeyCodeMachine m;
    auto r = type(m, "a04");
    EXPECT_TRUE(r[0].prepareOptionBox);
    EXPECT_EQ(r[2].outcome, KeyOutcome::Execute);
    EXPECT_EQ(r[2].code, (KeyCode{'A', 4}));
    EXPECT_EQ(m.state(), 3);
    EXPECT_EQ(m.pending(), "a04");
    r = type(m, "11");
    EXPECT_EQ(m.state(), 0);
    EXPECT_EQ(r[1].outcome, KeyOutcome::ChooseEntry);
    EXPECT_EQ(r[1].entry, 11);
    // the pay group list of line 4 takes its entry the same way, and so does a list opened by mouse
    EXPECT_EQ(type(m, "g04")[2].code, (KeyCode{'G', 4}));
    EXPECT_EQ(m.state(), 3);
    EXPECT_EQ(type(m, "07")[1].entry, 7);
    m.awaitEntry();
    EXPECT_EQ(type(m, "12")[1].outcome, KeyOutcome::ChooseEntry);
    // a new code may start instead
    type(m, "a13");
    EXPECT_EQ(type(m, "m02")[2].code, (KeyCode{'M', 2}));
}

TEST(Tastenauswertung, EachLetterReachesItsElementAndNumbersOutsideDoNothing) {
    Recorder r;
    const std::pair<KeyCode, const char*> cases[] = {
        {{'A', 4}, "list4"},    {{'B', 9}, "category9"}, {{'E', 13}, "amount13"}, {{'F', 21}, "f21"},
        {{'H', 47}, "help47"},  {{'I', 6}, "info6"},     {{'J', 19}, "year2019"}, {{'L', 8}, "flagL8"},
        {{'M', 13}, "month13"}, {{'N', 5}, "rename5"},   {{'N', 6}, "rename6"},   {{'S', 20}, "flagS20"},
        {{'T', 10}, "flagT10"}, {{'V', 43}, "par43"},    {{'Y', 41}, "Y41"},      {{'Z', 12}, "flagZ12"},
        {{'W', 19}, "flagW19"}, {{'P', 12}, "flagP12"},  {{'G', 4}, "group4"},    {{'D', 3}, "set3"},
        {{'K', 6}, "copy6"},
    };
    for (auto [code, expected] : cases) {
        r.calls.clear();
        EXPECT_TRUE(tastenauswertung(code, r)) << expected;
        ASSERT_EQ(r.calls.size(), 1u);
        EXPECT_EQ(r.calls[0], expected);
    }
    r.calls.clear();
    for (KeyCode code :
         {KeyCode{'A', 48}, KeyCode{'A', 0}, KeyCode{'M', 14}, KeyCode{'L', 21}, KeyCode{'L', 7},
          KeyCode{'J', 22}, KeyCode{'F', 25}, KeyCode{'N', 8}, KeyCode{'I', 35}, KeyCode{'G', 5},
          KeyCode{'D', 4}, KeyCode{'K', 7}, KeyCode{'K', 0}})
        EXPECT_FALSE(tastenauswertung(code, r)) << code.letter << code.number;
    EXPECT_TRUE(r.calls.empty());
}

TEST(Tastencode, GrossSideHoldsLinesOneToTwentyThreeAroundTheFlagHeading) {
    EXPECT_EQ(tastencode(1).column, 0);
    EXPECT_EQ(tastencode(1).row, 0);
    EXPECT_EQ(tastencode(7).row, 6);
    EXPECT_EQ(tastencode(8).row, kFlagHeadingRow + 1);
    EXPECT_EQ(tastencode(23).row, kSheetRows - 1);
    EXPECT_EQ(tastencode(24).column, 1);
    EXPECT_EQ(tastencode(24).row, 0);
    EXPECT_EQ(tastencode(47).row, kSheetRows - 1);
    // no two lines share a place
    for (int a = 1; a <= 47; ++a)
        for (int b = a + 1; b <= 47; ++b)
            EXPECT_FALSE(tastencode(a).column == tastencode(b).column &&
                         tastencode(a).row == tastencode(b).row);
    EXPECT_THROW(tastencode(48), std::out_of_range);
}
