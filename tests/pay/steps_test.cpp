// The automatic step from the reference date: the step tables, the special service relationships, the
// step movements of line 7 and the step texts of line 8.

#include "pay/steps.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

namespace {

struct StepCase : TestSession {
    StepCase(int year, int month, int region, int relationship, int group, const std::string& date)
        : TestSession(year, DataSet::Real, 1, month) {
        c().setKey(KeySlot::Month, static_cast<int16_t>(month - 1));
        c().setKey(KeySlot::Region, static_cast<int16_t>(region));
        c().setKey(KeySlot::ServiceRelationship, static_cast<int16_t>(relationship));
        c().setKey(KeySlot::PayGroup, static_cast<int16_t>(group));
        c().dateText = date;
    }
    Case& c() { return g.workingCase; }
    int step() {
        ComputeStep(g);
        return c().key(KeySlot::Step);
    }
};

} // namespace

TEST(StepTables, ThresholdsOfTheTablesAsPublished) {
    // months -> position; tables counting "months + 1" take the published thresholds.
    StepCase a(2020, 1, 0, 0, 8, ""); // Bund: table A
    const auto tableA = *stepTableFor(a.c(), 2020, 1);
    EXPECT_EQ(tableA.positionFor(23), 0); // counted 24
    EXPECT_EQ(tableA.positionFor(24), 1); // counted 25
    EXPECT_EQ(tableA.positionFor(60), 2); // counted 61: the example of 1 January 2015 in January 2020
    EXPECT_EQ(tableA.positionFor(275), 6);
    EXPECT_EQ(tableA.positionFor(276), 7);
    EXPECT_EQ(tableA.positionFor(900), 7);

    StepCase f(2020, 1, 9, 0, 8, ""); // Niedersachsen: table F
    const auto tableF = *stepTableFor(f.c(), 2020, 1);
    EXPECT_EQ(tableF.positionFor(60), 2);
    EXPECT_EQ(tableF.positionFor(384), 11); // counted 385
    EXPECT_EQ(tableF.positionFor(383), 10);

    StepCase rlp(2020, 1, 11, 0, 8, ""); // Rheinland-Pfalz: the long-service part of A
    EXPECT_EQ(stepTableFor(rlp.c(), 2020, 1)->positionFor(384), 10);
    EXPECT_EQ(stepTableFor(rlp.c(), 2020, 1)->positionFor(396), 11);

    StepCase berlin(2020, 1, 3, 0, 3, "");                             // Berlin, a group below 5
    EXPECT_EQ(stepTableFor(berlin.c(), 2020, 1)->positionFor(168), 5); // counted 169

    StepCase bw(2020, 1, 1, 0, 8, ""); // Baden-Württemberg: G
    EXPECT_EQ(stepTableFor(bw.c(), 2020, 1)->positionFor(108), 4);
    EXPECT_EQ(stepTableFor(bw.c(), 2020, 1)->positionFor(264), 8);

    StepCase sue(2020, 1, 9, 14, 0, "");
    const auto tableC = *stepTableFor(sue.c(), 2020, 1);
    EXPECT_EQ(tableC.positionFor(60), 2);
    EXPECT_EQ(tableC.positionFor(11), 0);
    EXPECT_EQ(tableC.positionFor(203), 4);
    EXPECT_EQ(tableC.positionFor(204), 5);

    StepCase aok(2020, 1, 9, 15, 2, "");
    EXPECT_EQ(stepTableFor(aok.c(), 2020, 1)->positionFor(71), 1);
    EXPECT_EQ(stepTableFor(aok.c(), 2020, 1)->positionFor(72), 2);

    StepCase judge(2020, 1, 0, 4, 0, "");
    EXPECT_EQ(stepTableFor(judge.c(), 2020, 1)->positionFor(71), 2); // two-year steps

    StepCase trainee(2020, 1, 0, 20, 0, "");
    EXPECT_EQ(stepTableFor(trainee.c(), 2020, 1)->positionFor(25), 2);
}

TEST(ComputeStep, ReferenceDateDrivesTheStepAndALaterDateGivesTheFirst) {
    EXPECT_EQ(StepCase(2020, 1, 0, 0, 8, "01.01.2015").step(), 2);
    EXPECT_EQ(StepCase(2020, 1, 0, 10, 8, "15.01.2015").step(), 2); // § 16 TVöD: 60 months in step 3
    EXPECT_EQ(StepCase(2020, 1, 0, 0, 8, "01.03.2020").step(), 0);
    EXPECT_EQ(StepCase(2020, 1, 0, 0, 8, "01.03.2021").step(), 0); // a later year: the date stays
    StepCase later(2020, 1, 0, 0, 8, "01.03.2021");
    later.step();
    EXPECT_EQ(later.c().dateText, "01.03.2021");
}

TEST(ComputeStep, NoComputationWithoutDateForInformationLabelsAndForContractsWithoutSteps) {
    StepCase info(2020, 1, 0, 0, 8, "01.01.2000");
    info.c().setKey(KeySlot::Step, 4);
    info.c().setKey(KeySlot::DateLabel, 2);
    EXPECT_EQ(info.step(), 4);

    StepCase judge(2020, 1, 0, 4, 0, "01.01.2000");
    judge.c().setKey(KeySlot::Step, 1);
    judge.c().setKey(KeySlot::DateLabel, 1); // service relationship 4: already label 1 is information
    EXPECT_EQ(judge.step(), 1);

    StepCase own(2020, 1, 0, 24, 3, "01.01.2000");
    own.c().setKey(KeySlot::Step, 2);
    EXPECT_EQ(own.step(), 2);

    StepCase empty(2020, 1, 0, 0, 8, "  ");
    empty.c().setKey(KeySlot::Step, 3);
    EXPECT_EQ(empty.step(), 3);
}

TEST(ComputeStep, SpecialServiceRelationships) {
    StepCase b(2020, 1, 0, 1, 3, "01.01.2000");
    b.c().setKey(KeySlot::Step, 3);
    EXPECT_EQ(b.step(), 0); // fixed salary: a step of 2 or more goes back to 0
    b.c().setKey(KeySlot::Step, 1);
    EXPECT_EQ(b.step(), 1);

    StepCase r(2020, 1, 0, 4, 2, "01.01.2000");
    r.c().setKey(KeySlot::Step, 5);
    EXPECT_EQ(r.step(), 0); // R3 and above: fixed

    StepCase bavaria(2020, 1, 2, 0, 8, "01.01.1990");
    bavaria.c().setKey(KeySlot::Step, 9);
    EXPECT_EQ(bavaria.step(), 9); // above 7 stays as chosen

    StepCase sue(2020, 1, 9, 14, 3, "01.06.2020");
    sue.c().setKey(KeySlot::Step, 4);
    EXPECT_EQ(sue.step(), 4); // negative service months: nothing for 14
}

TEST(ComputeStep, RegularStepAndMovementsOfTheEmployees) {
    // Service relationship 15, group 0, table D: 40 months -> 3; shortened by 12 months -> 4.
    StepCase aok(2020, 1, 9, 15, 0, "01.09.2016");
    aok.c().enterAmount(AmountSlot::StepMovement, -12);
    EXPECT_EQ(aok.step(), 4);
    EXPECT_EQ(aok.c().key(KeySlot::RegularStep), 3);

    // SuE: 60 months -> 2 regularly, lengthened by 24 months -> 1.
    StepCase sue(2020, 1, 9, 14, 3, "01.01.2015");
    sue.c().enterAmount(AmountSlot::StepMovement, 24);
    EXPECT_EQ(sue.step(), 1);
    EXPECT_EQ(sue.c().key(KeySlot::RegularStep), 2);

    // AVR: line 7 positions 16 to 22 reduce the service months by whole years.
    EXPECT_EQ(stepMovementMonths(16), 12);
    EXPECT_EQ(stepMovementMonths(22), 84);
    EXPECT_EQ(stepMovementMonths(6), -6);
    EXPECT_EQ(stepMovementMonths(0), 0);
    StepCase avr(2020, 1, 9, 23, 5, "01.01.2015");
    avr.c().enterAmount(AmountSlot::StepMovement, stepMovementMonths(17)); // 60 - 24 = 36 months -> step 3
    EXPECT_EQ(avr.step(), 2);
}

TEST(ComputeStep, AgreementSchemesOfSingleGroups) {
    // E1 begins with step 2 and rises every four years.
    EXPECT_EQ(StepCase(2020, 1, 0, 10, 0, "01.01.2019").step(), 1);
    EXPECT_EQ(StepCase(2020, 1, 0, 10, 0, "01.01.2015").step(), 2);
    // TV-L E9 to E15 had no step 6 before 2018; from 2018 on they have.
    EXPECT_EQ(StepCase(2017, 6, 9, 11, 12, "01.01.1990").step(), 4);
    EXPECT_EQ(StepCase(2018, 6, 9, 11, 12, "01.01.1990").step(), 5);
    // Out-of-tariff groups keep their step.
    StepCase at(2020, 1, 0, 10, 17, "01.01.1990");
    at.c().setKey(KeySlot::Step, 1);
    EXPECT_EQ(at.step(), 1);
    // Open tables stop at the last step of the list.
    EXPECT_EQ(StepCase(2020, 1, 0, 20, 0, "01.01.1990").step(), 3);
}

TEST(StepTexts, ListsPerFamilyEndWithTheHandEntry) {
    StepCase sue(2020, 1, 9, 14, 3, "");
    auto list = stepList(sue.c(), 2020, 1);
    ASSERT_EQ(list.texts.size(), 7u);
    EXPECT_EQ(list.texts[0], "Entgeltstufe 1 (1. Jahr)");
    EXPECT_EQ(list.texts[1], "Entgeltstufe 2 (2. bis 4. Jahr)");
    EXPECT_EQ(list.texts[2], "Entgeltstufe 3 (5. bis 8. Jahr)");
    EXPECT_EQ(list.texts[3], "Entgeltstufe 4 (9. bis 12. Jahr)");
    EXPECT_EQ(list.texts[4], "Entgeltstufe 5 (13. bis 17. Jahr)");
    EXPECT_EQ(list.texts[5], "Entgeltstufe 6 (ab 18. Jahr)");
    EXPECT_EQ(list.texts[6], "Entgelt lt. Eingabe");
    EXPECT_EQ(list.handEntry, 6);

    StepCase e1(2020, 1, 0, 10, 0, "");
    list = stepList(e1.c(), 2020, 1);
    EXPECT_EQ(list.texts[0], "Stufe 1 unbenutzt");
    EXPECT_EQ(list.texts[1], "Entgeltstufe 2 (dauert idR 48 Mon.)");
    EXPECT_EQ(list.texts[5], "Grundentgelt in Stufe 6 (Endstufe)");

    // TV-L E13: step 6 only from 2018, the hand entry stays at position 6.
    StepCase tvl(2017, 1, 9, 11, 12, "");
    EXPECT_EQ(stepList(tvl.c(), 2017, 1).texts[5], "Stufe 6 unbenutzt");
    EXPECT_EQ(stepList(tvl.c(), 2017, 1).handEntry, stepList(tvl.c(), 2018, 1).handEntry);

    StepCase bund(2020, 1, 0, 0, 8, "");
    list = stepList(bund.c(), 2020, 1);
    EXPECT_EQ(list.texts[7], "Grundgehalt Erfahrungsstufe 8");
    EXPECT_EQ(list.texts[8], "Grundgehalt lt. Eingabe");

    StepCase fixed(2020, 1, 0, 1, 2, "");
    list = stepList(fixed.c(), 2020, 1);
    EXPECT_EQ(list.texts, (std::vector<std::string>{"Festes Grundgehalt", "Grundgehalt lt. Eingabe"}));

    StepCase w(2020, 1, 3, 3, 1, "");
    list = stepList(w.c(), 2020, 1);
    EXPECT_EQ(list.texts[1], "Grundgehalt Stufe 2 (6. - 12. Jahr)");

    StepCase lsa(2020, 1, 14, 0, 8, "");
    list = stepList(lsa.c(), 2020, 1);
    EXPECT_EQ(list.texts[16], "Überleitungsstufe 1 zu Stufe 1");
    EXPECT_EQ(list.handEntry, 20);

    for (int sr = 0; sr <= 38; ++sr) {
        StepCase any(2020, 1, 0, sr, 0, "");
        for (const auto& text : stepList(any.c(), 2020, 1).texts)
            EXPECT_LE(text.size(), 40u) << text;
    }
}

TEST(StepTexts, HandEntryPositionIsTheLengthOfTheList) {
    // The run counts the step texts without making them; the count must be the list's everywhere: every
    // service relationship in every region, the groups whose tables differ, the months of the
    // Saxony-Anhalt transition and the years of TV-L step 6.
    for (int year = kFirstYear; year <= kLastYear; ++year)
        for (int month : {1, 6, 12})
            for (int region = 0; region <= 17; ++region)
                for (int sr = 0; sr <= 38; ++sr)
                    for (int group : {0, 3, 8, 9, 11, 12, 15, 17, 20}) {
                        Case c = defaultCase();
                        c.setKey(KeySlot::Month, static_cast<int16_t>(month - 1));
                        c.setKey(KeySlot::Region, static_cast<int16_t>(region));
                        c.setKey(KeySlot::ServiceRelationship, static_cast<int16_t>(sr));
                        c.setKey(KeySlot::PayGroup, static_cast<int16_t>(group));
                        ASSERT_EQ(handEntryStep(c, year, month), stepList(c, year, month).handEntry)
                            << year << "/" << month << " region " << region << " relationship " << sr
                            << " group " << group;
                    }
}

TEST(StepTexts, DateLabelsAndLineSeven) {
    StepCase tvoed(2020, 1, 0, 10, 8, "");
    EXPECT_EQ(dateLabelOptions(tvoed.c())[0], "Beginn der Stufenlaufzeit");
    EXPECT_EQ(dateLabelOptions(tvoed.c())[1], "Einstellungsdatum");
    auto seven = lineSevenOptions(tvoed.c(), OptionTextFile());
    ASSERT_EQ(seven.size(), 23u);
    EXPECT_EQ(seven[0], "Monate bei Stufenber.= 0");
    EXPECT_EQ(seven[6], "Monate bei Stufenber.= +6");
    EXPECT_EQ(seven[16], "Monate bei Stufenber.= -12");

    StepCase bund(2020, 1, 0, 0, 8, "");
    EXPECT_EQ(dateLabelOptions(bund.c())[0], "Beginn der Stufe 1 (Rechengröße)");
    EXPECT_EQ(lineSevenOptions(bund.c(), OptionTextFile())[3], "50% Verh.Zuschlag  mit TZ-Kürzung");
}
