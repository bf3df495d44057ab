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

// A date that computes no step is taken as a note; one that would compute the step while line 8 holds
// a typed basic pay is refused, and the typed pay stays.
TEST(PayLineInput, DateOfLineSixNamesWhatItDoes) {
    ShippedSession s(2020, 3);
    s.setCase(0, 10, 8, 0);              // TVöD Bund E9a
    s.c().setKey(KeySlot::DateLabel, 2); // "Nächster Stufenaufstieg (nur Info)"
    ASSERT_TRUE(EnterDate(s.g, "01.07.2020"));
    EXPECT_EQ(s.c().dateText, "01.07.2020");
    EXPECT_EQ(s.c().key(KeySlot::Step), 0);
    EXPECT_EQ(s.prompter.messages().back().title,
              "Das eingegebene Datum in Zeile 6 hat im Programm keine Funktion");
    EXPECT_EQ(s.prompter.messages().back().text(),
              "Das Datum ist nur ein Merkposten für Sie.\n"
              "Bitte rufen Sie den angegebenen Monat auf und \n"
              "geben Sie dann in Zeile 8 die nächste Stufe manuell ein.");
    s.c().setKey(KeySlot::DateLabel, 4); // "Befristet bis"
    ASSERT_TRUE(EnterDate(s.g, "31.12.2020"));
    EXPECT_EQ(s.prompter.messages().back().text(), "Das Datum ist nur ein Merkposten für Sie.\n"
                                                   "Bitte stellen Sie die Stufe in Zeile 8 selbst ein.");

    // Line 6 "Beginn der Stufenlaufzeit" computes the step; not while line 8 is typed.
    s.c().setKey(KeySlot::DateLabel, 0);
    ASSERT_TRUE(EnterDate(s.g, ""));
    const int hand = handEntryStep(s.c(), 2020, 3);
    ASSERT_TRUE(ChooseOption(s.g, 8, hand));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::BasicPay, "3500"));
    const size_t before = s.prompter.messages().size();
    EXPECT_FALSE(EnterDate(s.g, "01.01.2015"));
    ASSERT_EQ(s.prompter.messages().size(), before + 1);
    EXPECT_EQ(s.prompter.messages().back().title, "Kein Datum möglich.");
    EXPECT_EQ(s.prompter.messages().back().text(),
              "Die Eingabe eines Datums in Programmzeile 6 ist nur möglich, wenn in Zeile 6 die Option\n"
              "\"Nächster Stufenaufstieg\" eingestellt wurde oder in Zeile 8 eine normale Stufe ausgewählt "
              "wurde. ");
    EXPECT_EQ(s.c().dateText, "");
    EXPECT_EQ(s.c().key(KeySlot::Step), hand);
    EXPECT_EQ(s.c().amount(AmountSlot::BasicPay), 350000);
    // With a step of the table the same date computes it: 62 months, step 3.
    ASSERT_TRUE(ChooseOption(s.g, 8, 0));
    ASSERT_TRUE(EnterDate(s.g, "01.01.2015"));
    EXPECT_EQ(s.c().key(KeySlot::Step), 2);
    EXPECT_EQ(s.prompter.messages().size(), before + 1);
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
