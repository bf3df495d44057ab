// Basic pay of line 8 from the shipped tariff files, the record addressing as the lookup uses it, the
// multipliers and the tariff factor. Expected amounts are cells of data/paytables/*.csv, quoted.

#include "calc/calculation_run.h"
#include "pay/basic_pay.h"
#include "pay/steps.h"
#include "support/shipped_tables.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::OwnTablesSession;
using varemo::test::ShippedSession;

namespace {

// Group positions of the catalogue (data/catalogue/service-relationships.tsv).
constexpr int kA9 = 8, kA13 = 12;            // Besoldungsordnung A
constexpr int kE9a = 8, kE10 = 11, kAT = 17; // TVöD Bund and VKA
constexpr int kTvlE11 = 10, kTvlE13 = 12;    // TV-L

struct Published {
    const char* what;
    int region, relationship, group, step; // step: position (published step - 1)
    int year, month;
    int32_t cents;
};

} // namespace

TEST(BasicPay, EveryTableShowsThePublishedAmountOfTheMonthFromTheFirstMonthOfARaise) {
    const Published cases[] = {
        // tvoed_bund.csv "2019-04,E9a,3,3222.84" and "2020-03,E9a,3,3254.35"
        {"TVöD Bund E9a/3 Feb 2020", 0, 10, kE9a, 2, 2020, 2, 322284},
        {"TVöD Bund E9a/3 Mar 2020", 0, 10, kE9a, 2, 2020, 3, 325435},
        // tvoed_vka.csv "2019-04,E10,4,4238.32" and "2020-03,E10,4,4299.65" (Niedersachsen)
        {"TVöD VKA E10/4 Feb 2020", 9, 12, kE10, 3, 2020, 2, 423832},
        {"TVöD VKA E10/4 Mar 2020", 9, 12, kE10, 3, 2020, 3, 429965},
        {"TVöD VKA E10/4 Mar 2020 east", 13, 12, kE10, 3, 2020, 3, 429965},
        // tvl.csv "2019-01,E13,3,4422.39", "2020-01,E13,3,4560.37"
        {"TV-L E13/3 Dec 2019", 9, 11, kTvlE13, 2, 2019, 12, 442239},
        {"TV-L E13/3 Jan 2020", 9, 11, kTvlE13, 2, 2020, 1, 456037},
        // tvl.csv "2018-01,E11,6,4792.59", "2018-10,E11,6,4863.42"
        {"TV-L E11/6 Sep 2018", 1, 11, kTvlE11, 5, 2018, 9, 479259},
        {"TV-L E11/6 Oct 2018", 1, 11, kTvlE11, 5, 2018, 10, 486342},
        // bbesg_bund_a.csv "2020-03,A13,8,5731.19", "2021-04,A13,8,5799.96"
        {"Bund A13/8 Mar 2021", 0, 0, kA13, 7, 2021, 3, 573119},
        {"Bund A13/8 Apr 2021", 0, 0, kA13, 7, 2021, 4, 579996},
        // the same records under service relationship 7: "2020-03,A13,1,4457.62", "2021-04,A13,1,4511.11"
        {"Bund A13/1 (7) Mar 2021", 0, 7, kA13, 0, 2021, 3, 445762},
        {"Bund A13/1 (7) Apr 2021", 0, 7, kA13, 0, 2021, 4, 451111},
    };
    for (const auto& p : cases) {
        ShippedSession s(p.year, p.month);
        s.setCase(p.region, p.relationship, p.group, p.step);
        EXPECT_EQ(s.basicPay(), p.cents) << p.what;
    }
}

TEST(BasicPay, TheStepFollowsTheReferenceDateOfLineSix) {
    ShippedSession s(2020, 1);
    s.setCase(0, 0, kA13, 6);
    s.c().dateText = "01.01.2015";
    // 60 service months, table A counts 61: the third step. bbesg_bund_a.csv "2019-04,A13,3,4848.57"
    EXPECT_EQ(s.basicPay(), 484857);
    EXPECT_EQ(s.c().key(KeySlot::Step), 2);

    s.c().dateText = "01.02.2020"; // after the calculation month: the first step, "2019-04,A13,1,..."
    s.basicPay();
    EXPECT_EQ(s.c().key(KeySlot::Step), 0);

    // TVöD Bund E9a from the same date: steps of one, two and three years, the third in 2020.
    ShippedSession t(2020, 3);
    t.setCase(0, 10, kE9a, 0);
    t.c().dateText = "01.01.2015";
    EXPECT_EQ(t.basicPay(), 325435); // tvoed_bund.csv "2020-03,E9a,3,3254.35"
}

TEST(BasicPay, BavarianStepsStartAtTheFirstStepWithAnAmount) {
    // From 2020 Bayern struck the first step of each group: A3 starts at step 2.
    ShippedSession s(2020, 1);
    s.setCase(2, 0, 2, 0); // A3
    s.c().dateText = "01.06.2019";
    EXPECT_EQ(s.basicPay(), 233967); // besoldung_a_bayern.csv "2020-01,A3,2,2339.67"
    ShippedSession before(2019, 12);
    before.setCase(2, 0, 2, 0);
    before.c().dateText = "01.06.2019";
    EXPECT_EQ(before.basicPay(), 221918); // "2019-01,A3,1,2219.18"
}

TEST(BasicPay, HandEntryKeepsTheTypedAmountAndTheTariffFactorReducesLineEight) {
    ShippedSession s(2021, 2);
    s.setCase(9, 12, kE10, 3);
    const int hand = handEntryStep(s.c(), 2021, 2);
    s.c().setKey(KeySlot::Step, static_cast<int16_t>(hand));
    s.c().enterAmount(AmountSlot::BasicPay, 512345);
    EXPECT_EQ(s.basicPay(), 512345);

    s.c().setKey(KeySlot::Step, 3);
    s.g.tariffFactor = 0.8f;
    // tvoed_vka.csv "2020-03,E10,4,4299.65" x 0,8 = 3439,72
    EXPECT_EQ(s.basicPay(), 343972);
}

TEST(BasicPay, TariffEmployeeMultiplierFromItsStartMonthAndNeverForOutOfTariffGroups) {
    ShippedSession s(2021, 2);
    s.setCase(9, 12, kE10, 3);
    s.g.pay.multipliers.tariffEmployee = Multiplier{10200, 3};
    EXPECT_EQ(s.basicPay(), 429965); // February: "2020-03,E10,4,4299.65" unchanged
    s.setMonth(3);
    EXPECT_EQ(s.basicPay(), 438564); // March: 4299,65 x 1,02 = 4385,643
    s.g.pay.multipliers.civilServant = Multiplier{10500, 1};
    EXPECT_EQ(s.basicPay(), 438564); // the civil servants' multiplier does not touch employees

    // The out-of-tariff group AT has no published table; a row written for it is never scaled.
    OwnTablesSession own(2021, 3);
    TariffRow at{};
    at[0] = 800000;
    own.write(3, 9 * 440 + 200 + kAT, at);
    own.c().setKey(KeySlot::Region, 9);
    own.c().setKey(KeySlot::ServiceRelationship, 12);
    own.c().setKey(KeySlot::PayGroup, kAT);
    own.c().setKey(KeySlot::Step, 0);
    own.g.pay.multipliers.tariffEmployee = Multiplier{10200, 1};
    TariffLookup(own.g);
    EXPECT_EQ(own.c().amount(AmountSlot::BasicPay), 800000);
}

TEST(BasicPay, CivilServantMultiplierScalesLineEight) {
    ShippedSession s(2020, 1);
    s.setCase(0, 0, kA9, 4);
    s.g.pay.multipliers.civilServant = Multiplier{10100, 1};
    // bbesg_bund_a.csv "2019-04,A9,5,3407.74" x 1,01 = 3441,8174
    EXPECT_EQ(s.basicPay(), 344182);
}

TEST(BasicPay, TheLookupReadsTheRecordOfRegionRelationshipAndGroup) {
    OwnTablesSession s(2020, 1);
    TariffRow row{};
    row[0] = 123456;
    s.write(1, 1465, row); // 3 x 440 + 140 + 5
    s.c().setKey(KeySlot::Region, 3);
    s.c().setKey(KeySlot::ServiceRelationship, 9);
    s.c().setKey(KeySlot::PayGroup, 5);
    s.c().setKey(KeySlot::Step, 0);
    TariffLookup(s.g);
    EXPECT_EQ(s.c().amount(AmountSlot::BasicPay), 123456);
    EXPECT_EQ(s.g.pay.lastRecord, 1465);
}

TEST(BasicPay, WithoutTheJanuaryFileLinesEightToTenAreZeroAndTheRunGoesOn) {
    OwnTablesSession s(2020, 1);
    s.c().setKey(KeySlot::ServiceRelationship, 10);
    s.c().setAmount(AmountSlot::BasicPay, 300000);
    s.c().setAmount(AmountSlot::FamilyAllowance, 10000);
    s.c().setAmount(AmountSlot::StructuralAllowance, 5000);
    s.c().enterAmount(AmountSlot::Allowance1, 7000); // line 13 typed
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(s.c().amount(AmountSlot::BasicPay), 0);
    EXPECT_EQ(s.c().amount(AmountSlot::FamilyAllowance), 0);
    EXPECT_EQ(s.c().amount(AmountSlot::StructuralAllowance), 0);
    EXPECT_EQ(s.c().amount(AmountSlot::Allowance1), 7000);
    auto notice = missingBasicPayNotice(s.g);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->text(), "Für das Jahr 2020 gibt es keine Tariftabellen (Tarife/20201.ttt fehlt).\n"
                              "Die Zeilen 8 bis 10 zeigen deshalb 0,00.");
}

TEST(BasicPay, ACellWithoutAnAmountIsNamedWhereARealZeroIsNot) {
    OwnTablesSession s(2019, 1);
    s.write(1, 1, TariffRow{}); // the files of the year
    s.g.pay.texts = OptionTextFile(OptionTextFile::pathFor(VAREMO_BUILD_DIR, 2019));
    // TV-L (11) in Niedersachsen (9), E9 (position 8): record 9 x 440 + 180 + 8 = 4148. Step 1 has an
    // amount, step 2 an amount of 0, step 3 none; entry 23 is what title option 4 subtracts.
    TariffRecord e9;
    e9.row[0] = 300000;
    e9.row[23] = 10000;
    for (size_t k : {0u, 1u, 23u})
        e9.hasAmount.set(k);
    RecordFile(tariffFilePath(s.g.programDir, 2019, 1), kTariffRecordLength)
        .write(4148, encodeTariffRecord(e9));
    s.c().setKey(KeySlot::Region, 9);
    s.c().setKey(KeySlot::ServiceRelationship, 11);
    s.c().setKey(KeySlot::PayGroup, 8);

    auto lineEight = [&s](int step) {
        s.c().setKey(KeySlot::Step, static_cast<int16_t>(step));
        TariffLookup(s.g);
        return s.c().amount(AmountSlot::BasicPay);
    };
    EXPECT_EQ(lineEight(0), 300000);
    EXPECT_FALSE(missingBasicPayNotice(s.g));
    EXPECT_EQ(lineEight(1), 0);
    EXPECT_FALSE(missingBasicPayNotice(s.g)) << "a 0 the table holds is an amount";
    EXPECT_EQ(lineEight(2), 0);
    auto notice = missingBasicPayNotice(s.g);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->title, "Zeile 8");
    EXPECT_EQ(
        notice->text(),
        "Für TV-L / TV-H, Niedersachsen, Monat 01/2019, Entgeltgruppe E9, Stufe 3 enthält die "
        "Entgelttabelle keinen Betrag.\n"
        "Zeile 8 zeigt deshalb 0,00; die Auswahl des Falles bleibt, wie sie ist.\n"
        "Wählen Sie in Zeile 8 eine Stufe, für die die Tabelle einen Betrag enthält, oder \"Entgelt lt. "
        "Eingabe\".");
    EXPECT_EQ(s.c().key(KeySlot::PayGroup), 8);
    EXPECT_EQ(s.c().key(KeySlot::Step), 2);

    // Title option 4 subtracts entry 23 from the steps: 3000,00 - 100,00; the cell without an amount
    // stays 0 instead of becoming -100,00.
    s.c().setKey(KeySlot::Title, 4);
    EXPECT_EQ(lineEight(0), 290000);
    EXPECT_EQ(lineEight(2), 0);

    // The hand-entry position needs no table.
    s.c().setKey(KeySlot::Step, static_cast<int16_t>(handEntryStep(s.c(), 2019, 1)));
    EXPECT_FALSE(missingBasicPayNotice(s.g));
}

TEST(BasicPay, SpecialStepsOfHessenAndSachsenAnhalt) {
    TariffRow row{};
    for (int k = 0; k < kTariffEntries; ++k)
        row[static_cast<size_t>(k)] = 1000 * (k + 1);
    EXPECT_EQ(basicPayEntry(row, 0, 7, 8, 15, 2020, 1), row[23]);
    EXPECT_EQ(basicPayEntry(row, 0, 7, 8, 16, 2020, 1), row[24]);
    EXPECT_EQ(basicPayEntry(row, 0, 7, 8, 14, 2020, 1), row[14]);
    EXPECT_EQ(basicPayEntry(row, 3, 7, 3, 0, 2020, 1), row[10]); // W in Hessen from 2013, group 3 and above
    EXPECT_EQ(basicPayEntry(row, 3, 7, 2, 0, 2020, 1), row[0]);
    EXPECT_EQ(basicPayEntry(row, 0, 14, 8, 16, 2020, 1), row[23]);
    EXPECT_EQ(basicPayEntry(row, 4, 14, 0, 19, 2020, 1), row[26]);
    EXPECT_EQ(basicPayEntry(row, 4, 14, 0, 20, 2020, 1), 0); // beyond the record
    EXPECT_EQ(basicPayEntry(row, 0, 14, 8, 15, 2020, 1), row[15]);
}

TEST(BasicPay, ContractsWithoutTableKeepTheirTypedAmounts) {
    ShippedSession s(2020, 5);
    s.setCase(0, 25, 0, 0);
    s.c().enterAmount(AmountSlot::BasicPay, 400000);
    s.c().setAmount(AmountSlot::BasicPay, 1);
    EXPECT_EQ(s.basicPay(), 400000);
}
