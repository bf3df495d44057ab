#include "calculators/vacation.h"

#include "base/error.h"

#include <gtest/gtest.h>

namespace varemo {
namespace {

VacationInput input(int entitlement, int daysPerWeekIndex) {
    VacationInput in;
    in.year = 2020;
    in.entitlement = entitlement;
    in.daysPerWeekIndex = daysPerWeekIndex;
    return in;
}

TEST(Vacation, ConversionToOtherWorkingWeeksRoundsByThousandths) {
    struct Case {
        int entitlement;
        int index; // days per week = index / 2 + 0.5
        int workingDays;
        LeaveMilli exact;
        int64_t rounded;
    };
    const Case cases[] = {
        {30, 9, 260, 30000, 30}, // five days: unchanged
        {30, 5, 156, 18000, 18}, // 3 days: 156 × 30 / 260 = 18
        {30, 8, 234, 27000, 27}, // 4.5 days: 234 × 30 / 260 = 27
        {29, 8, 234, 26100, 26}, // 234 × 29 / 260 = 26.1
        {29, 4, 130, 14500, 15}, // 2.5 days: 130 × 29 / 260 = 14.5, 500 thousandths round up
    };
    for (const Case& c : cases) {
        const VacationResult r = computeVacation(input(c.entitlement, c.index));
        EXPECT_EQ(r.workingDays, c.workingDays);
        EXPECT_EQ(r.convertedExact, c.exact);
        EXPECT_EQ(r.converted, c.rounded) << c.entitlement << " at index " << c.index;
    }
    EXPECT_EQ(roundLeave(14499), 14);
    EXPECT_EQ(roundLeave(14500), 15);
}

TEST(Vacation, PartYearEntitlementRoundedByBUrlG) {
    // 29 days at four days a week: D = 4 × 52 = 208, 208 × 29 / 260 = 23.2 → 23 (row 6).
    // Seven full months (row 9): 23 × 7 / 12 = 13.41666 → 13.417 → 13 (417 thousandths are dropped).
    VacationInput in = input(29, 7);
    in.fullMonths = 7;
    VacationResult r = computeVacation(in);
    EXPECT_EQ(r.converted, 23);
    EXPECT_EQ(r.proRata, 13417);
    EXPECT_EQ(r.total, 13);
    // Five months: 23 × 5 / 12 = 9.58333 → 9.583 → 10 (§ 5 (2) BUrlG: half a day or more is raised).
    // Statutory minimum (§ 3 BUrlG) for the same five months: 24 × 208 / 312 = 16 days a year, 16 × 5 / 12
    // = 6.667 → 7; row 16 takes row 12.
    in.fullMonths = 5;
    in.previousYearRest = 2500;
    in.taken = 4000;
    r = computeVacation(in);
    EXPECT_EQ(r.total, 10);
    EXPECT_EQ(r.statutoryMinimum, 7);
    EXPECT_EQ(r.entitled, 10);
    EXPECT_EQ(entitledRowNote(r.entitledRow), "(lt. Zeile 12)");
    EXPECT_EQ(r.rest, 8500); // 10 + 2.5 − 4
    EXPECT_EQ(leaveText(r.rest), "8,500");
}

TEST(Vacation, EntitlementByAgeNeedsTheBirthday) {
    VacationInput in;
    in.year = 2020;
    try {
        computeVacation(in);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Für die Urlaubsberechnung ist der Geburtstag erforderlich.");
    }
    in.birthday = CalendarDate{1, 7, 1966}; // 54 in 2020: 29 days
    EXPECT_EQ(computeVacation(in).entitlement, 29);
    in.birthday = CalendarDate{31, 12, 1965}; // completes 55 in the year: 30 days
    EXPECT_EQ(computeVacation(in).entitlement, 30);
    // 16 on 1 January 2020 (§ 19 (2) JArbSchG: 27 Werktage) → 27 × 260 / 312 = 22.5 → 23 days.
    in.birthday = CalendarDate{2, 1, 2003};
    in.entitlement = 20;
    const VacationResult r = computeVacation(in);
    EXPECT_EQ(r.youthMinimum, 23);
    EXPECT_EQ(r.entitledRow, 14);
}

TEST(Vacation, CompensationAndLeaveEarnedByDaysWorked) {
    // 2357,45 × 12 × 3 / (52 × 5) = 84868,20 / 260 = 326,416… → 326,42.
    VacationInput in = input(30, 9);
    in.monthlyPay = Money::parse("2357,45");
    in.daysToPayOff = 3000;
    EXPECT_EQ(computeVacation(in).compensation, Money::parse("326,42"));

    // 156 of 312 working days: 50 %, half of 30 days.
    const EarnedLeave e = leaveEarned(156, 30000);
    EXPECT_EQ(e.shareMilliPercent, 50000);
    EXPECT_EQ(e.days, 15000);

    // 7:30–12:00 and 12:45–16:15 = 4:30 + 3:30 = 8 hours at 13,57 € = 108,56 €.
    const int minutes = minutesWorked({{*parseClockTime("7:30"), *parseClockTime("12:00")},
                                       {*parseClockTime("12:45"), *parseClockTime("16:15")}});
    EXPECT_EQ(minutes, 480);
    EXPECT_EQ(payForMinutes(minutes, Money::parse("13,57")), Money::parse("108,56"));
    EXPECT_FALSE(parseClockTime("24:00"));
    EXPECT_FALSE(parseClockTime("7:60"));
    EXPECT_THROW(minutesWorked({{600, 540}}), Error);
}

} // namespace
} // namespace varemo
