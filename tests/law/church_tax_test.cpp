// The church-tax values shipped per Land and year, and the mapping of line 36 to a rate.

#include "law/church_tax.h"

#include <gtest/gtest.h>

using namespace varemo;

namespace {

const LandChurchTax& land(const ChurchTaxTable& t, int region) {
    return t[static_cast<size_t>(region)];
}

} // namespace

TEST(ChurchTax, ShippedValuesKeepTwoDecimals) {
    // Baden-Württemberg: flat rate 6 % in 2017, 5.5 % in 2018 to 2020, 5 % in 2021; its cap of
    // 2.75 % is applied only in the assessment.
    const int32_t bwFlat[] = {600, 550, 550, 550, 500};
    for (int year = 2017; year <= 2021; ++year) {
        const ChurchTaxTable t = shippedChurchTax(year);
        EXPECT_EQ(land(t, 1), (LandChurchTax{800, bwFlat[year - 2017], 275, false})) << year;
        EXPECT_EQ(land(t, 2), (LandChurchTax{800, 700, 0, false})) << year;
        EXPECT_EQ(land(t, 6), (LandChurchTax{900, 400, 300, true})) << year;
        EXPECT_EQ(land(t, 0), LandChurchTax{}) << "Bund " << year;
        EXPECT_EQ(land(t, 17), LandChurchTax{}) << year;
        for (int region = 3; region <= 16; ++region)
            EXPECT_EQ(land(t, region).rateHundredths, 900);
    }
    // Brandenburg's employers cap until 2019.
    EXPECT_TRUE(land(shippedChurchTax(2019), 4).capInPayroll);
    EXPECT_FALSE(land(shippedChurchTax(2020), 4).capInPayroll);
    EXPECT_EQ(shippedChurchTax(2016), ChurchTaxTable{});
    EXPECT_EQ(shippedChurchTaxRows().size(), 80u);
}

TEST(ChurchTax, RateOfLine36AndTheDenomination) {
    const int32_t expected[] = {800, 900, 0, 0, 700, 600, 500, 400, 0};
    for (int option = 0; option <= 8; ++option)
        EXPECT_EQ(ChurchTaxRate(option, 0), expected[option]) << option;
    for (int option = 0; option <= 7; ++option)
        EXPECT_EQ(ChurchTaxRate(option, 6), 0) << option;
    EXPECT_EQ(ChurchTaxRate(1, 5), 900);
    EXPECT_EQ(defaultChurchOption(2, 2020), 0); // Bayern 8 %
    EXPECT_EQ(defaultChurchOption(3, 2020), 1); // Berlin 9 %
}

TEST(ChurchTax, RatesAreShownWithTheirDecimals) {
    EXPECT_EQ(formatRate(550, 1), "5,5");
    EXPECT_EQ(formatRate(700, 1), "7,0");
    EXPECT_EQ(formatRate(275, 1), "2,75");
    EXPECT_EQ(formatRate(900, 0), "9");
    EXPECT_EQ(formatRate(350, 0), "3,5");
    EXPECT_EQ(formatRate(0, 1), "0,0");
}
