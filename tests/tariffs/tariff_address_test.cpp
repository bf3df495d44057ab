#include "tariffs/tariff_address.h"

#include "base/money.h"

#include <gtest/gtest.h>

#include <limits>

namespace varemo {
namespace {

std::optional<int32_t> record(int region, int sr, int group, int year = 2020, int month = 1,
                              int32_t previous = 0) {
    return tariffRecordNumber(region, sr, group, year, month, previous);
}

TEST(TariffAddress, RegionBlockPlusBasePlusGroup) {
    EXPECT_EQ(record(3, 9, 5), 3 * 440 + 140 + 5); // 1465
    EXPECT_EQ(record(0, 0, 0), 1);
    EXPECT_EQ(record(0, 7, 4), 5); // 7 shares the records of 0
    EXPECT_EQ(record(17, 24, 14), 17 * 440 + 420 + 14);
    EXPECT_EQ(record(1, 4, 2), 440 + 39 + 2);
}

TEST(TariffAddress, ServiceRelationshipsWithoutTableAndKeepers) {
    for (int sr = 25; sr <= 27; ++sr)
        EXPECT_EQ(record(0, sr, 1), std::nullopt) << sr;
    for (int sr = 28; sr <= 38; ++sr)
        EXPECT_EQ(record(5, sr, 1, 2020, 1, 1234), 1234) << sr;
    EXPECT_EQ(record(5, 30, 1, 2020, 1, 0), 0); // no previous lookup: record 0, which reads as zeros
    EXPECT_EQ(record(0, 39, 0), std::nullopt);
    EXPECT_EQ(record(0, -1, 0), std::nullopt);
}

TEST(TariffAddress, ServiceRelationship3InRegion7FromGroup3) {
    EXPECT_EQ(record(7, 3, 2), 7 * 440 + 49 + 2);
    EXPECT_EQ(record(7, 3, 3), 7 * 440 + 49);
    EXPECT_EQ(record(7, 3, 5), 7 * 440 + 49 + 2);
    EXPECT_EQ(record(6, 3, 5), 6 * 440 + 49 + 5); // other regions unchanged
}

TEST(TariffAddress, ServiceRelationship21AboveGroup9IsTenLess) {
    EXPECT_EQ(record(2, 21, 9), 2 * 440 + 370 + 9);
    EXPECT_EQ(record(2, 21, 10), 2 * 440 + 370);
    EXPECT_EQ(record(2, 21, 12), 2 * 440 + 370 + 2);
}

TEST(TariffAddress, ServiceRelationship14DateRulesLaterRuleWins) {
    // March 2017, group 24: first fixed at 239, then moved to base + group + 175.
    EXPECT_EQ(record(0, 14, 24, 2017, 3), 240 + 24 + 175);
    EXPECT_EQ(record(4, 14, 24, 2017, 3), 4 * 440 + 439);
    for (int group = 20; group <= 24; ++group)
        EXPECT_EQ(record(0, 14, group, 2021, 12), 240 + group + 175);
    EXPECT_EQ(record(0, 14, 19, 2017, 3), 240 + 19);
    EXPECT_EQ(record(0, 14, 25, 2017, 3), 240 + 25);

    // Before June 2015 only the fixed record applies, and only to group 20.
    EXPECT_EQ(record(1, 14, 20, 2015, 5), 440 + 239);
    EXPECT_EQ(record(1, 14, 23, 2015, 5), 440 + 240 + 23);
    EXPECT_EQ(record(1, 14, 24, 2015, 5), 440 + 240 + 24);
    // From June 2015 the move by 175 overrides the fixed record of group 23 and later 24.
    EXPECT_EQ(record(0, 14, 20, 2015, 6), 240 + 20 + 175);
    EXPECT_EQ(record(0, 14, 23, 2016, 1), 240 + 23 + 175);
}

TEST(TariffAddress, TitleOption4LowersStepsByEntry23) {
    TariffRow row{};
    for (size_t k = 0; k < row.size(); ++k)
        row[k] = 300000 + static_cast<int32_t>(k);
    row[23] = 6402;

    TariffRow sr8 = row;
    adjustTariffRow(sr8, 8, 4);
    for (size_t k = 0; k <= 12; ++k)
        EXPECT_EQ(sr8[k], row[k] - 6402) << k;
    for (size_t k = 13; k < row.size(); ++k)
        EXPECT_EQ(sr8[k], row[k]) << k;

    for (int sr : {11, 12}) {
        TariffRow adjusted = row;
        adjustTariffRow(adjusted, sr, 4);
        for (size_t k = 0; k <= 5; ++k)
            EXPECT_EQ(adjusted[k], row[k] - 6402) << sr << " " << k;
        for (size_t k = 6; k < row.size(); ++k)
            EXPECT_EQ(adjusted[k], row[k]) << sr << " " << k;
    }

    TariffRow untouched = row;
    adjustTariffRow(untouched, 8, 3);
    adjustTariffRow(untouched, 10, 4);
    EXPECT_EQ(untouched, row);

    TariffRow extreme{};
    extreme[0] = std::numeric_limits<int32_t>::min();
    extreme[23] = 1;
    EXPECT_THROW(adjustTariffRow(extreme, 11, 4), MoneyOverflow);
}

} // namespace
} // namespace varemo
