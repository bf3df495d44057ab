#include "base/money.h"

#include <gtest/gtest.h>

using varemo::Money;
using varemo::MoneyOverflow;

TEST(Money, ConversionToCentsTiesGoToTheEvenCent) {
    EXPECT_EQ(Money::parse("0,125").toCents(), 12);
    EXPECT_EQ(Money::parse("0,135").toCents(), 14);
    EXPECT_EQ(Money::parse("-0,125").toCents(), -12);
    EXPECT_EQ(Money::parse("-0,135").toCents(), -14);
    EXPECT_EQ(Money::parse("0,1251").toCents(), 13);
    EXPECT_EQ(Money::parse("-0,1249").toCents(), -12);
}

TEST(Money, CommercialRoundingAndTruncationAreNamedOperations) {
    EXPECT_EQ(Money::parse("0,125").toCentsCommercial(), 13);
    EXPECT_EQ(Money::parse("-0,125").toCentsCommercial(), -13);
    EXPECT_EQ(Money::parse("0,1249").toCentsCommercial(), 12);
    EXPECT_EQ(Money::parse("0,1299").toCentsTruncated(), 12);
    EXPECT_EQ(Money::parse("-0,1299").toCentsTruncated(), -12);
}

TEST(Money, ParsesGermanAndPointDecimalsAndRefusesGarbage) {
    EXPECT_EQ(Money::parse("1234,56").units(), 12345600);
    EXPECT_EQ(Money::parse("-0.5").units(), -5000);
    EXPECT_EQ(Money::parse("12").units(), 120000);
    EXPECT_EQ(Money::parse("0,00005").units(), 0);  // half a unit, tie to even
    EXPECT_EQ(Money::parse("0,00015").units(), 2);
    EXPECT_THROW(Money::parse("12a"), std::invalid_argument);
    EXPECT_THROW(Money::parse(""), std::invalid_argument);
    EXPECT_THROW(Money::parse("1,2,3"), std::invalid_argument);
}

TEST(Money, FactorsUseTheExactSinglePrecisionValue) {
    // 0.1f is slightly above 0.1: 0.100000001490116...; 1234.55 × that rounds to 123.4550 (4 decimals).
    EXPECT_EQ(Money::parse("1234,55").timesFactor(0.1f).units(), 1234550);
    // Part-time 19.25 / 38.5 = 0.5 exactly.
    EXPECT_EQ(Money::parse("3000,01").timesFactor(19.25f / 38.5f).units(), 15000050);
    EXPECT_EQ(Money::parse("-100").timesFactor(1.5f).units(), -1500000);
    EXPECT_EQ(Money::parse("100").timesFactor(0.0f).units(), 0);
    // 2/3 as a float times 1 unit: below half a unit, rounds to 0.
    EXPECT_EQ(Money::fromUnits(1).timesFactor(1.0f / 3.0f).units(), 0);
    EXPECT_THROW(Money::parse("1").timesFactor(std::numeric_limits<float>::infinity()), MoneyOverflow);
}

TEST(Money, RatiosAndPercentagesRoundHalfToEven) {
    EXPECT_EQ(Money::fromUnits(5).timesRatio(1, 2).units(), 2);
    EXPECT_EQ(Money::fromUnits(15).timesRatio(1, 10).units(), 2);
    EXPECT_EQ(Money::fromUnits(25).timesRatio(1, 10).units(), 2);
    EXPECT_EQ(Money::parse("2500").percentHundredths(1460).units(), 3650000); // 14,60 %
}

TEST(Money, StoredCentsOverflowAtTheThirtyTwoBitLimit) {
    EXPECT_EQ(Money::fromCents(2147483647).toCents(), 2147483647);
    EXPECT_EQ(Money::fromCents(-2147483648LL).toCents(), -2147483648LL);
    EXPECT_THROW(Money::fromCents(2147483648LL).toCents(), MoneyOverflow);
    EXPECT_THROW((Money::fromCents(2147483647) + Money::fromCents(1)).toCents(), MoneyOverflow);
    // 21.474.836,475 rounds up past the limit.
    EXPECT_THROW(Money::parse("21474836,475").toCents(), MoneyOverflow);
    EXPECT_EQ(Money::parse("21474836,4749").toCents(), 2147483647);
    EXPECT_THROW(varemo::addCents(2147483647, 1), MoneyOverflow);
    EXPECT_EQ(varemo::addCents(-2147483647, -1), -2147483648LL);
}

TEST(Money, ArithmeticBeyondSixtyFourBitsThrows) {
    Money big = Money::fromUnits(std::numeric_limits<int64_t>::max());
    EXPECT_THROW(big + Money::fromUnits(1), MoneyOverflow);
    EXPECT_THROW(big * 2, MoneyOverflow);
    EXPECT_THROW(-Money::fromUnits(std::numeric_limits<int64_t>::min()), MoneyOverflow);
    EXPECT_THROW(big.timesFactor(2.0f), MoneyOverflow);
}

TEST(Money, DisplayUsesGermanSeparators) {
    EXPECT_EQ(Money::fromCents(123456789).toDisplay(), "1.234.567,89");
    EXPECT_EQ(Money::fromCents(-5).toDisplay(), "-0,05");
    EXPECT_EQ(Money::fromCents(0).toDisplay(), "0,00");
}
