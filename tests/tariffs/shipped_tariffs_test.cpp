// The tariff files the build generates into the program folder, checked cell by cell against amounts
// quoted from the published pay tables (data/paytables/*.csv).

#include "tariffs/tariff_address.h"
#include "tariffs/tariff_file.h"

#include <gtest/gtest.h>

#include <map>

namespace varemo {
namespace {

const std::filesystem::path kProgramDir = VAREMO_BUILD_DIR;

// Service relationships of the catalogue and the list positions of the groups used here.
constexpr int kBesoldungA = 0, kAnwaerter = 5, kTvoedBund = 10, kTvl = 11, kTvoedVka = 12, kSueVka = 14;
constexpr int kA5 = 4, kA9 = 8;
constexpr int kE5 = 4, kE9 = 8, kE9a = 8, kE13 = 12, kTvoedE15U = 18, kTvlE9a = 16;
constexpr int kS7 = 3, kS8b = 5;
constexpr int kGehobenerDienst = 2;
constexpr int kBund = 0, kBadenWuerttemberg = 1, kBayern = 2, kHessen = 7, kNrw = 10, kFurtherRegion = 17;

class ShippedTariffs : public ::testing::Test {
  protected:
    TariffRow row(int year, int month, int region, int sr, int group) {
        auto it = years_.find(year);
        if (it == years_.end()) it = years_.emplace(year, TariffYear(kProgramDir, year)).first;
        auto record = tariffRecordNumber(region, sr, group, year, month, 0);
        EXPECT_TRUE(record.has_value());
        return it->second.read(month, record.value_or(0));
    }

    std::map<int, TariffYear> years_;
};

TEST_F(ShippedTariffs, EveryMonthOf2017To2021IsThere) {
    for (int year = 2017; year <= 2021; ++year) {
        EXPECT_TRUE(TariffYear(kProgramDir, year).hasTables()) << year;
        for (int month = 1; month <= 12; ++month)
            EXPECT_TRUE(std::filesystem::is_regular_file(tariffFilePath(kProgramDir, year, month)))
                << year << "-" << month;
    }
    EXPECT_FALSE(TariffYear(kProgramDir, 2022).hasTables());
}

TEST_F(ShippedTariffs, TvoedBundStepsFollowTheBlockOfTheMonth) {
    // E9a step 3: 3254,35 from 2020-03; the month before still has the 2019-04 block (3222,84).
    EXPECT_EQ(row(2020, 3, kBund, kTvoedBund, kE9a)[2], 325435);
    EXPECT_EQ(row(2020, 2, kBund, kTvoedBund, kE9a)[2], 322284);
    // E15Ü steps 1 to 5 at entries 0 to 4 (2020-03: 5931,38 and 6582,83).
    auto e15u = row(2020, 3, kBund, kTvoedBund, kTvoedE15U);
    EXPECT_EQ(e15u[0], 593138);
    EXPECT_EQ(e15u[1], 658283);
    EXPECT_EQ(e15u[5], 0);
    // The federal table is written for region 0 only.
    EXPECT_EQ(row(2020, 3, kBadenWuerttemberg, kTvoedBund, kE9a)[2], 0);
}

TEST_F(ShippedTariffs, TvoedVkaGroupsAndGaps) {
    // E15Ü counts steps 2 to 6: step 2 (5587,43 in 2017-02) at entry 1, entry 0 empty.
    auto e15u = row(2017, 2, kBadenWuerttemberg, kTvoedVka, kTvoedE15U);
    EXPECT_EQ(e15u[0], 0);
    EXPECT_EQ(e15u[1], 558743);
    EXPECT_EQ(row(2020, 3, kHessen, kTvoedVka, kTvoedE15U)[5], 778282); // step 6, 7782,82
    // January 2017: the common groups equal the federal block of 2016-03 (E5 step 3, 2538,73).
    EXPECT_EQ(row(2017, 1, kNrw, kTvoedVka, kE5)[2], 253873);
    // E9a is missing from the VKA blocks before 2020-03: no amount, and no older block either.
    EXPECT_EQ(row(2019, 12, kNrw, kTvoedVka, kE9a), TariffRow{});
    EXPECT_NE(row(2020, 3, kNrw, kTvoedVka, kE9a)[0], 0);
    EXPECT_EQ(row(2020, 3, kBund, kTvoedVka, kE5), TariffRow{});
}

TEST_F(ShippedTariffs, SocialServicesTableFollowsItsIncompleteBlocks) {
    EXPECT_EQ(row(2017, 1, kBadenWuerttemberg, kSueVka, kS8b)[0], 253952); // "2016-03,S8b,1,2539.52"
    EXPECT_EQ(row(2018, 2, kBadenWuerttemberg, kSueVka, kS8b)[0], 259920); // "2017-02,S8b,1,2599.20"
    EXPECT_EQ(row(2019, 3, kBadenWuerttemberg, kSueVka, kS8b)[0], 272392);
    EXPECT_EQ(row(2019, 4, kBadenWuerttemberg, kSueVka, kS8b)[0], 284864); // "2019-04,S8b,1,2848.64"
    EXPECT_EQ(row(2020, 3, kBadenWuerttemberg, kSueVka, kS8b)[0], 289266);
    // S7 step 1 is missing from the 2019-04 block: no amount there, not the 2018-03 one.
    auto s7 = row(2019, 4, kBadenWuerttemberg, kSueVka, kS7);
    EXPECT_EQ(s7[0], 0);
    EXPECT_EQ(s7[1], 292647); // "2019-04,S7,2,2926.47"
}

TEST_F(ShippedTariffs, TvlForTheLaenderExceptHessen) {
    // E13 step 6 exists from 2018-01 (5378,92); E9 to E15 have no step 6 before.
    EXPECT_EQ(row(2018, 1, kBadenWuerttemberg, kTvl, kE13)[5], 537892);
    EXPECT_EQ(row(2017, 12, kBadenWuerttemberg, kTvl, kE13)[5], 0);
    EXPECT_NE(row(2017, 12, kBadenWuerttemberg, kTvl, kE13)[4], 0);
    // From 2019 E9 is split into E9a and E9b; the old E9 has no amounts any more.
    EXPECT_EQ(row(2019, 1, kNrw, kTvl, kTvlE9a)[0], 287364);
    EXPECT_EQ(row(2019, 1, kNrw, kTvl, kE9), TariffRow{});
    EXPECT_NE(row(2018, 12, kNrw, kTvl, kE9)[0], 0);
    EXPECT_EQ(row(2019, 1, kHessen, kTvl, kTvlE9a), TariffRow{});
    EXPECT_EQ(row(2019, 1, kFurtherRegion, kTvl, kTvlE9a), TariffRow{});
    EXPECT_EQ(row(2019, 1, kBund, kTvl, kTvlE9a), TariffRow{});
    // The steps a group does not have are cells without an amount, not amounts of 0.
    TariffYear y2017(kProgramDir, 2017);
    auto e13 = y2017.readRecord(12, *tariffRecordNumber(kBadenWuerttemberg, kTvl, kE13, 2017, 12, 0));
    EXPECT_TRUE(e13.amount(4).has_value());
    EXPECT_EQ(e13.amount(5), std::nullopt);
    TariffYear y2019(kProgramDir, 2019);
    EXPECT_FALSE(y2019.readRecord(1, *tariffRecordNumber(kNrw, kTvl, kE9, 2019, 1, 0)).hasAnyAmount());
}

TEST_F(ShippedTariffs, FederalCivilServantsWithFamilyAllowance) {
    // A5 step 1: 2367,07 from 2020-03, 2342,24 in 2020-02.
    auto a5 = row(2020, 3, kBund, kBesoldungA, kA5);
    EXPECT_EQ(a5[0], 236707);
    EXPECT_EQ(row(2020, 2, kBund, kBesoldungA, kA5)[0], 234224);
    // Family allowance 2020-03: married 149,36; children 127,66 / 127,66 / 397,74 each further, plus the
    // A5 increases 5,37 for the first and 16,10 for each further child.
    EXPECT_EQ(a5[15], 0);
    EXPECT_EQ(a5[16], 14936);
    EXPECT_EQ(a5[17], 12766 + 537);
    EXPECT_EQ(a5[18], 12766 + 537 + 12766 + 1610);
    EXPECT_EQ(a5[19], a5[18] + 39774 + 1610);
    EXPECT_EQ(a5[22], a5[18] + 4 * (39774 + 1610));
    // A9 has no increases.
    auto a9 = row(2020, 3, kBund, kBesoldungA, kA9);
    EXPECT_EQ(a9[17], 12766);
    EXPECT_EQ(a9[20], 12766 + 12766 + 2 * 39774);
    // January 2017 has pay (2016-03 block) but no family allowance block.
    auto january2017 = row(2017, 1, kBund, kBesoldungA, kA5);
    EXPECT_NE(january2017[0], 0);
    for (size_t k = 15; k <= 22; ++k)
        EXPECT_EQ(january2017[k], 0) << k;
    // Nothing for A1.
    EXPECT_EQ(row(2020, 3, kBund, kBesoldungA, 0)[0], 0);
}

TEST_F(ShippedTariffs, CandidatesFrom2020August) {
    EXPECT_EQ(row(2021, 4, kBund, kAnwaerter, kGehobenerDienst)[0], 153000);
    EXPECT_EQ(row(2021, 3, kBund, kAnwaerter, kGehobenerDienst)[0], 151186); // "2020-08,...,1511.86"
    EXPECT_EQ(row(2020, 7, kBund, kAnwaerter, kGehobenerDienst)[0], 0);
    EXPECT_EQ(row(2020, 7, kBund, kAnwaerter, kGehobenerDienst)[16], 14936); // family allowance still there
}

TEST_F(ShippedTariffs, LaenderCivilServantTables) {
    // Bayern 2020: the first step of each group is gone; A9 starts at step 2 (2804,33).
    auto a9 = row(2020, 1, kBayern, kBesoldungA, kA9);
    EXPECT_EQ(a9[0], 0);
    EXPECT_EQ(a9[1], 280433);
    EXPECT_EQ(a9[16], 0); // no family allowance for the Länder
    // NRW raised pay in April 2017: A5 step 3 2231,87 until March, 2306,87 from April; steps 1 and 2 missing.
    EXPECT_EQ(row(2017, 3, kNrw, kBesoldungA, kA5)[2], 223187);
    auto nrw = row(2017, 4, kNrw, kBesoldungA, kA5);
    EXPECT_EQ(nrw[2], 230687);
    EXPECT_EQ(nrw[0], 0);
    EXPECT_EQ(nrw[1], 0);
    EXPECT_EQ(row(2017, 4, kBadenWuerttemberg, kBesoldungA, kA5), TariffRow{});
}

} // namespace
} // namespace varemo
