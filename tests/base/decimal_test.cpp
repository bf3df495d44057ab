// The exact decimal type of the wage-tax flow chart: parsing, exact arithmetic, the three rounding
// modes at their edges (ties, negatives, exact values, scale changes) and the refusal to lose data.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "base/decimal.h"

namespace {

using varemo::Decimal;
using R = Decimal::Rounding;

Decimal d(const char* text) {
    return Decimal::parse(text);
}

TEST(LohnstrDecimalTest, ParsesPlainNotationAndKeepsTheScale) {
    EXPECT_EQ(d("0.050").toString(), "0.050");
    EXPECT_EQ(d("0.050").scale(), 3);
    EXPECT_EQ(d("-1.5").toString(), "-1.5");
    EXPECT_EQ(d("+12").toString(), "12");
    EXPECT_EQ(d("-0.01").toString(), "-0.01");
    EXPECT_EQ(Decimal::fromScaled(-5, 3).toString(), "-0.005");
    for (const char* bad : {"", "-", ".", "1.", "1.2.3", "1,5", " 1", "1 ", "1e5", "--1", "0x10"})
        EXPECT_THROW(Decimal::parse(bad), varemo::DecimalSyntaxError) << '"' << bad << '"';
    EXPECT_THROW(Decimal::parse("1234567890123456789012345678901234567890"), varemo::DecimalOverflow);
}

TEST(LohnstrDecimalTest, ComparesByValueAcrossScales) {
    EXPECT_EQ(d("1.5"), d("1.500"));
    EXPECT_EQ(d("0"), d("-0.00"));
    EXPECT_LT(d("0.1"), d("0.10001"));
    EXPECT_LT(d("-2.5"), d("-2.49"));
    EXPECT_GT(d("100000000000000000000000000000000000000"), d("0.5"));
    EXPECT_LT(d("-100000000000000000000000000000000000000"), d("-0.5"));
    EXPECT_GT(d("0.5"), d("-100000000000000000000000000000000000000"));
}

TEST(LohnstrDecimalTest, ArithmeticIsExact) {
    EXPECT_EQ(d("0.1") + d("0.2"), d("0.3"));
    EXPECT_EQ((d("0.1") + d("0.25")).scale(), 2);
    EXPECT_EQ(d("1") - d("0.001"), d("0.999"));
    EXPECT_EQ((d("1.25") * d("0.75")).toString(), "0.9375");
    EXPECT_EQ(-d("-3.10"), d("3.1"));
    // The largest product of the tariff: (Y * A3 + 2397) * Y with Y at 6 decimals.
    const Decimal y = d("4.321987");
    EXPECT_EQ(((y * d("223.76") + 2397) * y).toString(), "14539.54378651909544");
}

struct RoundCase {
    const char* value;
    int scale;
    R mode;
    const char* expected;
};

TEST(LohnstrDecimalTest, SetScaleRoundsTowardOrAwayFromZero) {
    const RoundCase cases[] = {
        {"4.567", 2, R::Down, "4.56"},
        {"-4.567", 2, R::Down, "-4.56"},
        {"4.561", 2, R::Up, "4.57"},
        {"4.560", 2, R::Up, "4.56"},
        {"-4.561", 2, R::Up, "-4.57"},
        {"-4.560", 2, R::Up, "-4.56"},
        {"0.001", 0, R::Up, "1"},
        {"-0.001", 0, R::Up, "-1"},
        {"0.999", 0, R::Down, "0"},
        {"-0.999", 0, R::Down, "0"},
        {"2.5", 0, R::HalfUp, "3"},
        {"-2.5", 0, R::HalfUp, "-3"},
        {"2.49", 0, R::HalfUp, "2"},
        {"-2.49", 0, R::HalfUp, "-2"},
        {"0.005", 2, R::HalfUp, "0.01"},
        {"0.0049", 2, R::HalfUp, "0.00"},
        {"7", 0, R::Up, "7"},
        {"1.5", 3, R::Down, "1.500"},
        {"-1.5", 4, R::Up, "-1.5000"},
    };
    for (const RoundCase& c : cases) {
        const Decimal result = d(c.value).setScale(c.scale, c.mode);
        EXPECT_EQ(result.toString(), c.expected) << c.value << " to " << c.scale;
    }
    EXPECT_THROW(d("1").setScale(-1, R::Down), std::invalid_argument);
    EXPECT_THROW(d("1").setScale(Decimal::kMaxScale + 1, R::Down), std::invalid_argument);
    EXPECT_THROW(d("100000000000").setScale(30, R::Down), varemo::DecimalOverflow);
}

struct DivideCase {
    const char* dividend;
    const char* divisor;
    int scale;
    R mode;
    const char* expected;
};

TEST(LohnstrDecimalTest, DivideRoundsTheExactQuotient) {
    const DivideCase cases[] = {
        {"10", "3", 2, R::Down, "3.33"},        {"10", "3", 2, R::Up, "3.34"},
        {"-10", "3", 2, R::Down, "-3.33"},      {"-10", "3", 2, R::Up, "-3.34"},
        {"10", "-4", 0, R::HalfUp, "-3"},       {"10", "-4", 0, R::Down, "-2"},
        {"1", "7", 6, R::Down, "0.142857"},     {"1", "7", 6, R::HalfUp, "0.142857"},
        {"6", "7", 6, R::HalfUp, "0.857143"},   {"4.00", "0.5", 0, R::Up, "8"},
        {"1159000", "12", 0, R::Down, "96583"}, {"80000", "700", 2, R::Down, "114.28"},
        {"123.456", "1", 1, R::Down, "123.4"},  {"0.07", "100", 2, R::Up, "0.01"},
    };
    for (const DivideCase& c : cases) {
        const Decimal result = d(c.dividend).divide(d(c.divisor), c.scale, c.mode);
        EXPECT_EQ(result.toString(), c.expected) << c.dividend << " / " << c.divisor;
    }
    EXPECT_THROW(d("1").divide(d("0.00"), 2, R::Down), varemo::DecimalUndefined);
}

TEST(LohnstrDecimalTest, DivideExactRefusesNonTerminatingQuotients) {
    EXPECT_EQ(d("1").divideExact(d("8")).toString(), "0.125");
    EXPECT_EQ(d("1.30").divideExact(d("2")), d("0.65"));
    EXPECT_EQ(d("0.65").divideExact(d("100")), d("0.0065"));
    EXPECT_EQ(d("342").divideExact(d("12")), d("28.5"));
    EXPECT_EQ(d("-3").divideExact(d("-0.04")), d("75"));
    EXPECT_EQ(d("0").divideExact(d("7")), d("0"));
    EXPECT_THROW(d("1").divideExact(d("3")), varemo::DecimalUndefined);
    EXPECT_THROW(d("1000").divideExact(d("12.3")), varemo::DecimalUndefined);
    EXPECT_THROW(d("1").divideExact(d("0")), varemo::DecimalUndefined);
}

TEST(LohnstrDecimalTest, ConversionToIntegerNeverRoundsSilently) {
    EXPECT_EQ(d("-96583.00").toInt64(), -96583);
    EXPECT_EQ(d("9223372036854775807").toInt64(), INT64_MAX);
    EXPECT_THROW(d("0.5").toInt64(), varemo::DecimalUndefined);
    EXPECT_THROW(d("9223372036854775808").toInt64(), varemo::DecimalOverflow);
}

TEST(LohnstrDecimalTest, OverflowIsReportedNotWrapped) {
    const Decimal big = d("10000000000000000000000000000000000000"); // 1e37
    EXPECT_THROW(big * d("100"), varemo::DecimalOverflow);
    EXPECT_THROW(big * d("20") + big * d("0"), varemo::DecimalOverflow);
    EXPECT_THROW((big * d("10")) + d("0.1"), varemo::DecimalOverflow)
        << "widening to the common scale overflows";
    EXPECT_THROW((big * d("10")) + (big * d("10")), varemo::DecimalOverflow);
    // Trailing zeros may be given up beyond the scale limit, other digits not.
    EXPECT_EQ(Decimal::fromScaled(10, 30) * Decimal::fromScaled(10, 10), Decimal::fromScaled(1, 38));
    EXPECT_THROW(Decimal::fromScaled(11, 30) * Decimal::fromScaled(11, 10), varemo::DecimalOverflow);
}

} // namespace
