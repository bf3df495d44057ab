// The line dispatcher's consequences of the pay lines 4, 7 and 8.

#include "pay/steps.h"
#include "session/line_input.h"
#include "support/shipped_tables.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::OwnTablesSession;
using varemo::test::ShippedSession;

TEST(PayLineInput, ChangingAComputedStepAsksAndClearsTheDateOnYes) {
    ShippedSession s(2020, 3);
    s.setCase(0, 10, 8, 0);
    ASSERT_TRUE(EnterDate(s.g, "01.01.2015"));
    EXPECT_EQ(s.c().key(KeySlot::Step), 2);
    s.c().enterAmount(AmountSlot::StepMovement, 6);
    s.c().enterAmount(AmountSlot::StepReserve, 99);
    const size_t before = s.prompter.messages().size();

    s.prompter.queue(PromptAnswer::No);
    EXPECT_FALSE(ChooseOption(s.g, 8, 4));
    ASSERT_EQ(s.prompter.messages().size(), before + 1);
    const PromptMessage question = s.prompter.messages().back();
    EXPECT_EQ(question.title, "Berechnung der Grundgehaltsstufen ausschalten?");
    EXPECT_EQ(question.lines,
              (std::vector<std::string>{
                  "Das Programm berechnet die Grundgehaltsstufe in Zeile 8 nach dem Datum in Zeile 6.",
                  "Wenn Sie die Grundgehaltsstufe in Zeile 8 ändern,",
                  "wird die automatische Berechnung der Grundgehaltsstufe ausgeschaltet",
                  "und das Datum in Zeile 6 wird gelöscht.", "Wollen Sie das?"}));
    EXPECT_EQ(question.buttons, PromptButtons::YesNo);
    EXPECT_EQ(s.c().key(KeySlot::Step), 2);
    EXPECT_EQ(s.c().dateText, "01.01.2015");

    s.prompter.queue(PromptAnswer::Yes);
    EXPECT_TRUE(ChooseOption(s.g, 8, 4));
    EXPECT_EQ(s.c().key(KeySlot::Step), 4);
    EXPECT_EQ(s.c().dateText, "");
    EXPECT_EQ(s.c().previousAmount(AmountSlot::StepMovement), 0);
    EXPECT_EQ(s.c().previousAmount(AmountSlot::StepReserve), 0);
    EXPECT_EQ(s.c().amount(AmountSlot::BasicPay), 378750); // tvoed_bund.csv "2020-03,E9a,5,3787.50"

    // Without a date the step is simply chosen.
    const size_t asked = s.prompter.messages().size();
    EXPECT_TRUE(ChooseOption(s.g, 8, 1));
    EXPECT_EQ(s.prompter.messages().size(), asked);
}

TEST(PayLineInput, ServiceRelationshipWithoutTablesShowsTheNotice) {
    ShippedSession s(2020, 3);
    s.setCase(0, 0, 8, 0);
    EXPECT_TRUE(ChooseOption(s.g, 4, 21)); // no TV-Ärzte tables are shipped
    ASSERT_EQ(s.prompter.messages().size(), 2u);
    EXPECT_EQ(s.prompter.messages()[0].title, "Sorry ... ");
    EXPECT_EQ(s.prompter.messages()[0].text(),
              "Derzeit sind für dieses Dienstverhältnis noch keine Tariftabellen verfügbar.");
    // The recalculated month then names the cell line 8 has no amount for.
    EXPECT_EQ(s.prompter.messages()[1].title, "Zeile 8");
    EXPECT_EQ(s.c().serviceRelationship(), 21);
    EXPECT_TRUE(ChooseOption(s.g, 4, 10));
    EXPECT_TRUE(ChooseOption(s.g, 4, 26)); // typed pay needs no table
    EXPECT_EQ(s.prompter.messages().size(), 2u);
}

TEST(PayLineInput, LineSevenMovesTheStepsOfTheEmployees) {
    ShippedSession s(2020, 3);
    s.setCase(0, 10, 8, 0);
    ASSERT_TRUE(EnterDate(s.g, "01.01.2015")); // 62 months: step 3
    EXPECT_EQ(s.c().key(KeySlot::Step), 2);
    ASSERT_TRUE(ChooseOption(s.g, 7, 15)); // 36 months earlier
    EXPECT_EQ(s.c().previousAmount(AmountSlot::StepMovement), -36);
    EXPECT_EQ(s.c().key(KeySlot::Step), 3);
    EXPECT_EQ(s.g.sheet.line(7).text, "Monate bei Stufenber.= +36");
}
