// The yearly values of partial retirement against the law: the category table, the solidarity surcharge
// of a fictitious net, the pension rate the letter names, the row of the minimum-net tables, the base of
// the additional pension contributions.

#include "law/partial_retirement.h"

#include <gtest/gtest.h>

namespace varemo {
namespace {

TEST(PartialRetirementLaw, CategoriesEnterTheirTopUps) {
    using B = TopUpBase;
    const auto enters = [](char c) {
        std::string s;
        for (B b : {B::AtgTwentyPercent, B::AtgMinimumNet, B::AgreementTwenty, B::AgreementMinimumNet})
            s += categoryEntersTopUp(c, b) ? 'j' : '-';
        return s;
    };
    // "F" (tax-free allowances) enters none, "a" all four, "g" (Protokollerklärung to § 5 (2) TV ATZ)
    // only the raise to 83 %; "C" the two raises, "D" the two 20 % top-ups.
    EXPECT_EQ(enters('F'), "----");
    EXPECT_EQ(enters('f'), "----");
    EXPECT_EQ(enters('a'), "jjjj");
    EXPECT_EQ(enters('A'), "jjjj");
    EXPECT_EQ(enters('B'), "-jjj");
    EXPECT_EQ(enters('C'), "-j-j");
    EXPECT_EQ(enters('D'), "j-j-");
    EXPECT_EQ(enters('e'), "---j");
    EXPECT_EQ(enters('g'), "---j");
}

TEST(PartialRetirementLaw, SolidaritySurchargeOfTheMonth) {
    struct Row {
        int year;
        int64_t taxCents;
        bool classThree;
        int64_t expected;
    };
    // § 3 (4), § 4 SolZG 1995: until 2020 nothing up to 81 euros (162 in class III), then 5.5 % but at
    // most 20 % of the tax above the limit; from 2021 the limits 1,413 and 2,826 (16,956 / 12 and
    // 33,912 / 12) and at most 11.9 %; truncated to the cent.
    for (const Row r : {
             Row{2020, 8100, false, 0},
             Row{2020, 10000, false, 380},  // 20 % × 19.00 = 3.80 < 5.5 % × 100 = 5.50
             Row{2020, 71200, false, 3916}, // 5.5 % × 712.00 = 39.16 < 20 % × 631.00
             Row{2020, 16200, true, 0}, Row{2017, 17000, true, 160}, // 20 % × 8.00 = 1.60
             Row{2021, 70208, false, 0},                             // below 1,413: the payroll takes none
             Row{2021, 141300, false, 0}, Row{2021, 150000, false, 1035}, // 11.9 % × 87.00 = 10.353
             Row{2021, 300000, true, 2070},                               // 11.9 % × 174.00 = 20.706
             Row{2021, 400000, false, 22000},                             // 5.5 % × 4,000.00
         })
        EXPECT_EQ(monthlySolidaritySurcharge(r.year, Money::fromCents(r.taxCents), r.classThree),
                  Money::fromCents(r.expected))
            << r.year << " " << r.taxCents;
}

TEST(PartialRetirementLaw, PensionRateNamedByYear) {
    EXPECT_EQ(pensionRateName(2006), "19,5");
    EXPECT_EQ(pensionRateName(2015), "18,7");
    EXPECT_EQ(pensionRateName(2017), "18,7");
    EXPECT_EQ(pensionRateName(2018), "18,6");
    EXPECT_EQ(pensionRateHundredths(2021), 1860);
}

TEST(PartialRetirementLaw, MinimumNetTableRow) {
    // The gross rounded to the nearest multiple of 5 euros; the tables end at 5,300 euros "und mehr".
    EXPECT_EQ(minimumNetRecord(Money::fromCents(360000)), 720);
    EXPECT_EQ(minimumNetRecord(Money::fromCents(360249)), 720);
    EXPECT_EQ(minimumNetRecord(Money::fromCents(360250)), 721);
    EXPECT_EQ(minimumNetRecord(Money::fromCents(900000)), 1060);
    EXPECT_EQ(minimumNetRecord(Money()), 0);
    EXPECT_TRUE(minimumNetTablesInForce(2019));
    EXPECT_FALSE(minimumNetTablesInForce(2020)); // § 15 AltTZG repealed from 01.01.2020
}

TEST(PartialRetirementLaw, AdditionalPensionBaseWithinNinetyPercentOfTheCeiling) {
    const auto base = [](const char* regular, const char* ceiling) {
        return statutoryPensionTopUp(Money::parse(regular), Money::parse(ceiling), 8000, 9000);
    };
    // § 3 (1) Nr. 1 b AltTZG, 2020 West (ceiling 6,900.00): regular pay 1,800.00: 80 % = 1,440.00 within the
    // room 6,210.00 − 1,800.00 = 4,410.00.
    EXPECT_EQ(base("1800", "6900").base, Money::parse("1440"));
    // Regular pay 3,500.00: 80 % = 2,800.00 exceeds the room 6,210.00 − 3,500.00 = 2,710.00, the room is
    // used; East (6,450.00): 5,805.00 − 3,500.00 = 2,305.00.
    const StatutoryPensionTopUp west = base("3500", "6900");
    EXPECT_EQ(west.limit, Money::parse("6210"));
    EXPECT_EQ(west.room, Money::parse("2710"));
    EXPECT_EQ(west.target, Money::parse("2800"));
    EXPECT_EQ(west.base, Money::parse("2710"));
    EXPECT_EQ(base("3500", "6450").base, Money::parse("2305"));
    // § 6 (1) AltTZG: the regular pay counts up to the ceiling; above 90 % of it there is no room.
    EXPECT_EQ(base("7500", "6900").regular, Money::parse("6900"));
    EXPECT_EQ(base("7500", "6900").base, Money());
}

} // namespace
} // namespace varemo
