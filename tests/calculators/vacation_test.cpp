#include "calculators/vacation.h"

#include "base/error.h"
#include "calculators/working_time.h"

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

// A pattern that changes in the year counts the working days of its periods (§ 26 (1) TVöD, § 3 (1)
// BUrlG): five days a week to June (26 weeks × 5 = 130), three from July (26 × 3 = 78) → D = 208;
// 30 × 208 / 260 = 24,000 → 24; the statutory minimum 24 × 208 / 312 = 16. With 4 correction days D =
// 212: 30 × 212 / 260 = 24,462 → 24.
TEST(Vacation, WorkingDaysByPeriodsOfTheYear) {
    const CalendarDate jan1{1, 1, 2020}, jun30{30, 6, 2020}, jul1{1, 7, 2020}, dec31{31, 12, 2020};
    VacationInput in = input(30, 9);
    in.periods[0] = {jul1, dec31, 78}; // in any order
    in.periods[3] = {jan1, jun30, 130};
    VacationResult r = computeVacation(in);
    EXPECT_EQ(r.workingDays, 208);
    EXPECT_EQ(r.converted, 24);
    EXPECT_EQ(r.statutoryMinimum, 16);
    in.correctionIndex = 29;
    r = computeVacation(in);
    EXPECT_EQ(r.workingDays, 212);
    EXPECT_EQ(r.convertedExact, 24462);
    EXPECT_EQ(r.converted, 24);

    // The side file's line, a part not yet entered blank; and back.
    const WorkingDaysPeriod partial{jan1, std::nullopt, 130};
    EXPECT_EQ(periodLineText(partial), "von 01.01.2020 bis            = 130");
    EXPECT_EQ(periodLineOf(periodLineText(partial)), partial);
    EXPECT_TRUE(periodLineOf("").empty());

    const std::pair<WorkingDaysPeriod, const char*> refused[] = {
        {partial, "Der 4. Zeitraum ist unvollständig: von, bis und Arbeitstage gehören dazu."},
        {WorkingDaysPeriod{jan1, CalendarDate{29, 6, 2020}, 130},
         "Die Zeiträume müssen das Urlaubsjahr vom 01.01.2020 bis 31.12.2020 "
         "lückenlos und ohne Überschneidung umfassen."},
        {WorkingDaysPeriod{jan1, CalendarDate{1, 7, 2020}, 130},
         "Die Zeiträume müssen das Urlaubsjahr vom 01.01.2020 bis 31.12.2020 "
         "lückenlos und ohne Überschneidung umfassen."},
        {WorkingDaysPeriod{jan1, CalendarDate{5, 1, 2020}, 6},
         "Der 4. Zeitraum hat 5 Kalendertage, nicht 6 Arbeitstage."},
        {WorkingDaysPeriod{CalendarDate{1, 1, 2019}, jun30, 130},
         "Der 4. Zeitraum liegt nicht im Urlaubsjahr 2020."},
    };
    for (const auto& [period, message] : refused) {
        in.periods[3] = period;
        try {
            computeVacation(in);
            ADD_FAILURE() << message;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
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

TEST(WorkingTime, LeaveAndLeavePayFromTheMonthsRecorded) {
    // At 15,00 € an hour: January two days of 6:00 (Mon 06.01. and Tue 07.01.) and a block still being
    // typed (no end) that does not count; April 20 days of 5:00.
    std::vector<WorkingTimeRecord> year(12);
    for (WorkingTimeRecord& r : year) {
        r.hourlyRateCents = 1500;
        r.fullLeaveMilli = 24000;
    }
    year[0].blocks[5][0] = {8 * 60, 14 * 60};
    year[0].blocks[6][0] = {8 * 60, 14 * 60};
    year[0].blocks[7][0] = {8 * 60, 0};
    for (int day = 1; day <= 20; ++day)
        year[3].blocks[static_cast<size_t>(day - 1)][0] = {7 * 60, 12 * 60};
    const LeaveStatement s = leaveStatementOf(year, 2020, 4);
    EXPECT_EQ(s.months[0].daysWorked, 2);
    EXPECT_EQ(s.months[0].days[5].weekday, "Montag");
    EXPECT_EQ(s.months[0].pay, Money::parse("180"));
    // Rows 2 to 8 (§ 5 (1), (2) BUrlG): January to April, 22 days of 312 = 7,051 %; 24 × 22 / 312 =
    // 1,692 days, a fraction of at least one half raises it to 2.
    EXPECT_EQ(s.firstFull, 1);
    EXPECT_EQ(s.lastFull, 4);
    EXPECT_EQ(s.fullMonths, 4);
    EXPECT_EQ(s.daysWorked, 22);
    EXPECT_EQ(s.shareMilliPercent, 7051);
    EXPECT_EQ(s.earned, 1692);
    EXPECT_EQ(s.rounded, 2);
    // Rows 9 to 15 (§ 11 BUrlG, the last three months February to April): 20 days, 100 hours,
    // 1.500,00 €; 15,00 € an hour, 5 hours a day: leave pay 2 × 5 × 15,00 = 150,00 €.
    EXPECT_EQ(s.recentDays, 20);
    EXPECT_EQ(s.recentMinutes, 6000);
    EXPECT_EQ(s.recentPay, Money::parse("1500"));
    EXPECT_EQ(s.hourlyPay, Money::parse("15"));
    EXPECT_EQ(s.leavePay, Money::parse("150"));
}

} // namespace
} // namespace varemo
