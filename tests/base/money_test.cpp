#include "base/money.h"

#include <gtest/gtest.h>

#include <limits>

using varemo::Money;
using varemo::MoneyOverflow;
using varemo::mulDiv;
using varemo::Rounding;

namespace {
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
} // namespace

TEST(MulDiv, EachRoundingOnTiesAndNonTiesOfBothSigns) {
    struct Case {
        int64_t value, numerator, denominator;
        int64_t halfEven, halfUp, towardZero;
    };
    const Case cases[] = {
        {5, 1, 2, 2, 3, 2},             // 2.5
        {7, 1, 2, 4, 4, 3},             // 3.5
        {-5, 1, 2, -2, -3, -2},         // -2.5
        {7, -1, 2, -4, -4, -3},         // -3.5, the sign from the numerator
        {7, 1, 3, 2, 2, 2},             // 2.33
        {8, 1, 3, 3, 3, 2},             // 2.67
        {-8, 1, 3, -3, -3, -2},         // -2.67
        {-7, 1, 3, -2, -2, -2},         // -2.33
        {1, 1, 2, 0, 1, 0},             // 0.5
        {-1, 1, 2, 0, -1, 0},           // -0.5
        {-250, 3, 1, -750, -750, -750}, // whole results stay as they are
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.value << " * " << c.numerator << " / " << c.denominator);
        EXPECT_EQ(mulDiv(c.value, c.numerator, c.denominator, Rounding::HalfEven), c.halfEven);
        EXPECT_EQ(mulDiv(c.value, c.numerator, c.denominator, Rounding::HalfUp), c.halfUp);
        EXPECT_EQ(mulDiv(c.value, c.numerator, c.denominator, Rounding::TowardZero), c.towardZero);
    }
}

TEST(MulDiv, ProductsBeyondSixtyFourBitsAndTheCheckedNarrowing) {
    // The products leave int64_t, the quotients do not.
    EXPECT_EQ(mulDiv(kMax, kMax, kMax, Rounding::HalfEven), kMax);
    EXPECT_EQ(mulDiv(kMin, 3, 6, Rounding::HalfUp), kMin / 2);
    // (2^63 - 1) / 2 is a tie beyond 64 bits: 2^62 is even.
    EXPECT_EQ(mulDiv(kMax, 2, 4, Rounding::HalfEven), int64_t{1} << 62);
    EXPECT_EQ(mulDiv(kMax, 2, 4, Rounding::TowardZero), (int64_t{1} << 62) - 1);
    EXPECT_EQ(varemo::divideRounded(varemo::Int128(3) << 100, varemo::Int128(1) << 40, Rounding::HalfEven),
              int64_t{3} << 60);

    EXPECT_THROW(mulDiv(kMax, 3, 2, Rounding::TowardZero), MoneyOverflow);
    EXPECT_THROW(mulDiv(kMin, -1, 1, Rounding::HalfEven), MoneyOverflow);
    // (2^64 - 1) / 2 = 2^63 - 0.5: only truncation stays in range, rounding up must be checked too.
    const int64_t a = (int64_t{1} << 32) + 1, b = (int64_t{1} << 32) - 1;
    EXPECT_EQ(mulDiv(a, b, 2, Rounding::TowardZero), kMax);
    EXPECT_THROW(mulDiv(a, b, 2, Rounding::HalfUp), MoneyOverflow);
    EXPECT_THROW(mulDiv(a, b, 2, Rounding::HalfEven), MoneyOverflow);
    EXPECT_EQ(mulDiv(-a, b, 2, Rounding::HalfUp), kMin);

    EXPECT_THROW(mulDiv(1, 1, 0, Rounding::HalfEven), std::invalid_argument);
    EXPECT_THROW(mulDiv(1, 1, -2, Rounding::HalfEven), std::invalid_argument);
}

TEST(Money, NamedRoundingsOfRatiosAndSteps) {
    // A negative denominator negates the ratio; the tie still goes away from zero.
    EXPECT_EQ(Money::fromUnits(5).timesRatio(1, -2, Rounding::HalfUp).units(), -3);
    EXPECT_EQ(Money::fromUnits(5).timesRatio(kMin, kMin, Rounding::HalfUp).units(), 5);
    EXPECT_THROW(Money::fromUnits(5).timesRatio(1, 0, Rounding::HalfUp), MoneyOverflow);
    EXPECT_EQ(Money::parse("-2,50").rounded(Money::kUnitsPerEuro, Rounding::HalfUp), Money::fromEuros(-3));
    EXPECT_EQ(Money::parse("-2,50").rounded(Money::kUnitsPerEuro, Rounding::HalfEven), Money::fromEuros(-2));
    EXPECT_THROW(Money::fromUnits(kMax).rounded(Money::kUnitsPerEuro, Rounding::HalfUp), MoneyOverflow);
}

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
    EXPECT_EQ(Money::parse("0,00005").units(), 0); // half a unit, tie to even
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
