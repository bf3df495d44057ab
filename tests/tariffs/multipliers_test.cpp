#include "tariffs/multipliers.h"

#include "base/money.h"

#include <gtest/gtest.h>

namespace varemo {
namespace {

Multipliers employeeFromMarch(int32_t factor) {
    Multipliers m;
    m.tariffEmployee = Multiplier{factor, 3};
    return m;
}

TEST(Multipliers, EmployeeMultiplierStartsInItsMonth) {
    auto m = employeeFromMarch(10200); // 102,00 % from March
    const int32_t e9a = 325435;        // a TVöD amount of line 8

    auto february = applicableMultiplier(m, 10, 8, 0, 2);
    EXPECT_FALSE(february.has_value());
    auto january = applicableMultiplier(m, 10, 8, 0, 1);
    EXPECT_FALSE(january.has_value());

    auto march = applicableMultiplier(m, 10, 8, 0, 3);
    ASSERT_TRUE(march.has_value());
    EXPECT_EQ(scaleByMultiplier(e9a, *march), 331944); // 3254,35 * 1,02 = 3319,437
    EXPECT_TRUE(applicableMultiplier(m, 10, 8, 0, 12).has_value());

    // The civil-servant multiplier is neutral here; civil servants are not scaled by the employee one.
    EXPECT_FALSE(applicableMultiplier(m, 0, 5, 0, 6).has_value());
    EXPECT_FALSE(applicableMultiplier(m, 28, 1, 0, 6).has_value());
}

TEST(Multipliers, OutOfTariffGroupsAreNeverScaled) {
    auto m = employeeFromMarch(10200);
    struct Case {
        int sr, group, region;
        bool scaled;
    };
    const Case cases[] = {
        {10, 17, 0, false}, {10, 16, 0, true},  {11, 15, 1, false}, {14, 21, 1, false}, {15, 17, 0, true},
        {15, 26, 0, false}, {19, 10, 6, false}, {19, 5, 6, true},   {19, 5, 0, false},  {19, 10, 0, true},
        {21, 20, 0, false}, {25, 0, 0, false},  {27, 9, 0, false},  {8, 15, 0, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(applicableMultiplier(m, c.sr, c.group, c.region, 4).has_value(), c.scaled)
            << c.sr << "/" << c.group << " region " << c.region;
    // Out-of-tariff groups concern only the employee multiplier.
    Multipliers civil;
    civil.civilServant = Multiplier{10150, 1};
    EXPECT_TRUE(applicableMultiplier(civil, 7, 17, 0, 1).has_value());
    EXPECT_FALSE(applicableMultiplier(civil, 8, 3, 0, 1).has_value());
}

TEST(Multipliers, ExactlyOneDoesNothing) {
    Multipliers m;
    m.civilServant = Multiplier{Multiplier::kOne, 1};
    m.tariffEmployee = Multiplier{Multiplier::kOne, 1};
    EXPECT_FALSE(applicableMultiplier(m, 0, 3, 0, 7).has_value());
    EXPECT_FALSE(applicableMultiplier(m, 12, 3, 0, 7).has_value());
    EXPECT_EQ(scaleByMultiplier(-123457, Multiplier{}), -123457);
}

TEST(Multipliers, ProductIsRoundedOnceToTheEvenCent) {
    EXPECT_EQ(scaleByMultiplier(50, Multiplier{10100, 1}), 50);   // 50,5 -> 50
    EXPECT_EQ(scaleByMultiplier(150, Multiplier{10100, 1}), 152); // 151,5 -> 152
    EXPECT_EQ(scaleByMultiplier(-150, Multiplier{10100, 1}), -152);
    // 1 cent * 1,4950 = 1,495 cents: rounded once gives 1 (a detour over four euro decimals would give 2).
    EXPECT_EQ(scaleByMultiplier(1, Multiplier{14950, 1}), 1);
    EXPECT_EQ(scaleByMultiplier(499901, Multiplier{10106, 1}), 505200); // 5051,999506 -> 5052,00
    EXPECT_THROW(scaleByMultiplier(2000000000, Multiplier{20000, 1}), MoneyOverflow);
}

TEST(Multipliers, LinesScaledByEachKind) {
    const int hand = 22; // position of "lt. Eingabe" in the step list of line 8
    using K = MultiplierKind;
    EXPECT_TRUE(multiplierScalesLine(K::CivilServant, 0, 8, 3, hand));
    EXPECT_FALSE(multiplierScalesLine(K::TariffEmployee, 12, 8, hand, hand));
    EXPECT_FALSE(multiplierScalesLine(K::CivilServant, 0, 9, 2, hand));
    EXPECT_TRUE(multiplierScalesLine(K::CivilServant, 0, 16, 1, hand));
    EXPECT_FALSE(multiplierScalesLine(K::CivilServant, 0, 13, 0, hand));
    EXPECT_TRUE(multiplierScalesLine(K::TariffEmployee, 12, 9, 5, hand));
    EXPECT_TRUE(multiplierScalesLine(K::TariffEmployee, 20, 10, 0, hand));
    EXPECT_FALSE(multiplierScalesLine(K::TariffEmployee, 24, 10, 0, hand));
    EXPECT_FALSE(multiplierScalesLine(K::TariffEmployee, 25, 10, 1, hand));
}

TEST(TariffFactor, ProductOfTheFloatRoundedToTheEvenCent) {
    EXPECT_EQ(applyTariffFactor(300000, 1.0f), 300000);
    EXPECT_EQ(applyTariffFactor(300000, 0.9f), 270000); // 0.9f is 0.899999976...: 269999,99 -> 270000
    EXPECT_EQ(applyTariffFactor(15, 0.9f), 13);         // 13,4999996 cents
    EXPECT_EQ(applyTariffFactor(5, 0.5f), 2);           // 2,5 -> 2
    EXPECT_EQ(applyTariffFactor(7, 0.5f), 4);           // 3,5 -> 4
    EXPECT_EQ(applyTariffFactor(-7, 0.5f), -4);
    EXPECT_EQ(applyTariffFactor(412345, 0.75f), 309259); // 309258,75
}

} // namespace
} // namespace varemo
