// The shipped fund list per year, mid-year changes, the free positions, the "Korrektor" bounds and the
// rate position of line 37.

#include "law/fund_table.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

using namespace varemo;

namespace {
constexpr int kJan = 0, kMar = 2, kApr = 3, kSep = 8, kOct = 9, kDec = 11;
}

TEST(FundTable, ShippedFundsWithTheirPublishedRates) {
    FundTable t2020 = FundTable::defaultsFor(2020);
    FundTable t2021 = FundTable::defaultsFor(2021);
    EXPECT_EQ(t2020.name(0), "Techniker Krankenkasse");
    for (int f = 0; f < kFirstFreeFund; ++f)
        EXPECT_EQ(t2021.name(f), t2020.name(f)) << f;
    // 2021 has its own table: the Techniker Krankenkasse went from 0.70 to 1.20, BARMER from 1.10 to 1.50.
    EXPECT_EQ(t2020.rates(0, kJan).additional, 70);
    EXPECT_EQ(t2021.rates(0, kJan).additional, 120);
    EXPECT_EQ(t2020.rates(1, kJan).additional, 110);
    EXPECT_EQ(t2021.rates(1, kJan).additional, 150);
    EXPECT_EQ(t2021.status(0, kJan).additional, FundValueStatus::Verified);
    for (int f = 0; f < kHealthFunds; ++f)
        for (int m = 0; m < 12; ++m) {
            EXPECT_EQ(t2021.rates(f, m).general, 1460);
            EXPECT_EQ(t2021.rates(f, m).reduced, 1400);
        }
    // Values without a published source are marked as such.
    EXPECT_EQ(FundTable::defaultsFor(2019).status(2, kJan).additional, FundValueStatus::Inferred);
    EXPECT_EQ(t2020.status(13, kJan).additional, FundValueStatus::Average);
    EXPECT_EQ(t2020.status(1, kJan).u1, FundValueStatus::Unknown);
    EXPECT_EQ(t2020.insolvencyRate(), 60);
    EXPECT_EQ(t2021.insolvencyRate(), 120);
    EXPECT_EQ(FundTable::defaultsFor(2017).insolvencyRate(), 90);
}

TEST(FundTable, MidYearChangesApplyFromTheirMonth) {
    FundTable t2017 = FundTable::defaultsFor(2017);
    EXPECT_EQ(t2017.rates(3, kMar).additional, 120); // KKH
    EXPECT_EQ(t2017.rates(3, kApr).additional, 150);
    FundTable t2021 = FundTable::defaultsFor(2021);
    EXPECT_EQ(t2021.rates(0, kSep).u1, 220); // TK U1 until September 2021
    EXPECT_EQ(t2021.rates(0, kSep).u2, 55);
    EXPECT_EQ(t2021.rates(0, kOct).u1, 160);
    EXPECT_EQ(t2021.rates(0, kDec).u2, 65);
    FundTable t2020 = FundTable::defaultsFor(2020);
    EXPECT_EQ(t2020.rates(kMiniJobFund, kSep).u1, 90); // Minijob-Zentrale
    EXPECT_EQ(t2020.rates(kMiniJobFund, kOct).u1, 100);
    EXPECT_EQ(t2020.rates(kMiniJobFund, kOct).u2, 39);
    EXPECT_EQ(t2020.name(kMiniJobFund), "Minijob-Zentrale");
}

TEST(FundTable, FreePositionsCarryTheLegalRatesAndTheAverage) {
    FundTable t = FundTable::defaultsFor(2021);
    for (int f = kFirstFreeFund; f < kHealthFunds; ++f) {
        EXPECT_EQ(t.rates(f, kJan), (FundRates{1460, 1400, 130, 0, 0})) << f;
        EXPECT_EQ(t.status(f, kJan).additional, FundValueStatus::User);
        EXPECT_EQ(t.status(f, kJan).u1, FundValueStatus::Unknown) << "0 is no rate until entered";
        EXPECT_EQ(t.status(f, kJan).u2, FundValueStatus::Unknown);
    }
    EXPECT_EQ(t.name(kEnteredRateFund), "Beitragssatz lt. Eingabe");
    EXPECT_EQ(FundTable::defaultsFor(2019).rates(30, kJan).additional, 90);
}

TEST(FundTable, OutOfRangeEntriesAreCorrectedWithTheKorrektorMessage) {
    test::ScriptedPrompter p;
    FundTable t = FundTable::defaultsFor(2020);
    EXPECT_EQ(t.enter(p, 20, kMar, FundField::Additional, 250), 250);
    EXPECT_TRUE(p.messages().empty());
    EXPECT_EQ(t.rates(20, kMar).additional, 250);
    EXPECT_EQ(t.rates(20, kDec).additional, 250); // and the following months
    EXPECT_EQ(t.rates(20, kJan).additional, 110);
    EXPECT_EQ(t.status(20, kMar).additional, FundValueStatus::User);

    EXPECT_EQ(t.enter(p, 20, kJan, FundField::Additional, 501, false), 500);
    ASSERT_EQ(p.messages().size(), 1u);
    EXPECT_EQ(p.messages()[0].title, "Korrektor");
    EXPECT_EQ(p.messages()[0].text(), "Ihre Eingabe lag außerhalb des Bereichs und mußte korrigiert werden.");
    EXPECT_EQ(t.rates(20, kJan).additional, 500);
    EXPECT_EQ(t.rates(20, kMar).additional, 250); // only that month

    EXPECT_EQ(t.enter(p, 0, kJan, FundField::General, 999), 1000);
    EXPECT_EQ(t.enter(p, 0, kJan, FundField::General, 1606), 1605);
    EXPECT_EQ(t.enter(p, 0, kJan, FundField::U1, 1001), 1000);
    EXPECT_EQ(t.enter(p, 0, kJan, FundField::U2, -1), 0);
    EXPECT_EQ(t.enterInsolvencyRate(p, 1200), 1000);
    EXPECT_EQ(t.insolvencyRate(), 1000);
    EXPECT_EQ(p.messages().size(), 6u);
}

TEST(FundTable, RatePositionOfLine37) {
    FundTable t = FundTable::defaultsFor(2020);
    // (1460 − 1000) / 5 = 92; reduced (1400 − 1000) / 5 = 80
    EXPECT_EQ(healthRatePosition(t, 0, 0, kJan, 0), 92);
    EXPECT_EQ(healthRatePosition(t, 0, 10, kJan, 0), 80);
    EXPECT_EQ(healthRatePosition(t, 0, 11, kJan, 0), 80);
    EXPECT_EQ(healthRatePosition(t, 0, 12, kJan, 0), 92);
    EXPECT_EQ(healthRatePosition(t, 0, 1, kJan, 0), 93);
    const int fixed[][2] = {{2, 128}, {3, 123}, {4, 122}, {5, 126}, {6, 127}, {7, 124}, {8, 125}, {9, 129}};
    for (const auto& [kind, position] : fixed)
        EXPECT_EQ(healthRatePosition(t, 5, kind, kJan, 0), position) << kind;
    // Funds 33 and 35 keep the position of the case; 34 follows the table. 14.63 % → 92.6 → 93.
    test::ScriptedPrompter p;
    t.enter(p, 34, kJan, FundField::General, 1463);
    t.enter(p, 33, kJan, FundField::General, 1463);
    EXPECT_EQ(healthRatePosition(t, 34, 0, kJan, 40), 93);
    EXPECT_EQ(healthRatePosition(t, 33, 0, kJan, 40), 40);
    EXPECT_EQ(healthRatePosition(t, 35, 0, kJan, 41), 41);
    EXPECT_EQ(healthRatePosition(t, 33, 1, kJan, 41), 41); // repeated runs do not move it
    EXPECT_EQ(rateOfPosition(92), 1460);
}
