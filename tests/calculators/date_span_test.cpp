#include "calculators/date_span.h"

#include <gtest/gtest.h>

namespace varemo {
namespace {

CalendarDate d(const char* text) {
    auto parsed = parseCalendarDate(text);
    EXPECT_TRUE(parsed) << text;
    return parsed.value_or(CalendarDate{});
}

// Spans of the 30-day counting, worked by hand with the five steps of the rule (months and years of
// the two dates; start day; end day; days with the borrowed month; 30 days carried into a month).
TEST(Datumsdifferenz, CountsMonthsOfThirtyDaysWithBothEndsIncluded) {
    struct Case {
        const char* from;
        const char* to;
        DateSpan expected;
    };
    const Case cases[] = {
        // 31st start → 1st of February, one month less (0); end 28.02.2001 → 30; 30 − 1 + 1 = 30 days →
        // one month.
        {"31.01.2000", "28.02.2001", {1, 1, 0}},
        // 11 months; end 31 → 30; 30 days → 12 months → one year.
        {"01.01.2000", "31.12.2000", {1, 0, 0}},
        // Start 28.02. of 2001 (not divisible by 4) counts as the 30th with 2 extra days; end 31 → 30;
        // equal days: 1 + 2 = 3.
        {"28.02.2001", "31.03.2001", {0, 1, 3}},
        // Start 29.02.2000 counts as the 30th with one extra day: 1 + 1 = 2.
        {"29.02.2000", "31.03.2000", {0, 1, 2}},
        // 28.02. of a leap year stays the 28th: 30 − 28 + 1 = 3.
        {"28.02.2000", "31.03.2000", {0, 1, 3}},
        // 1900 counts as a leap year: its 28 February is no month end (28 days), 1901's is (30 = a month).
        {"01.02.1900", "28.02.1900", {0, 0, 28}},
        {"01.02.1901", "28.02.1901", {0, 1, 0}},
        // End day before the start day: 14 + 30 − 15 + 1 = 30 with a borrowed month (11), then carried:
        // exactly one year.
        {"15.03.2010", "14.03.2011", {1, 0, 0}},
        // The four years of the half phase from a 31st birthday on 15.05.2011.
        {"15.05.2011", "14.05.2015", {4, 0, 0}},
        // From there to the day before an appointment on 01.10.2016: 1 year, 4 months, 30 − 15 + 1 = 16.
        {"15.05.2015", "30.09.2016", {1, 4, 16}},
        // A 31st start whose following month lies in the next year of the end: 11 months, not −1.
        {"31.01.2000", "15.01.2001", {0, 11, 15}},
        // One day.
        {"05.06.2020", "05.06.2020", {0, 0, 1}},
        // A period across the turn of the year ending on the 30th of a 30-day month.
        {"01.10.2019", "30.04.2020", {0, 7, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(datumsdifferenz(d(c.from), d(c.to)), c.expected) << c.from << " – " << c.to;
}

TEST(Datumsdifferenz, SumsCarryAndOffsetsUseTheRealCalendar) {
    // 20 + 15 days = 35 → 1 month 5 days; 7 + 6 + 1 months = 14 → 1 year 2 months; 1 + 1 years.
    EXPECT_EQ((DateSpan{1, 7, 20} + DateSpan{0, 6, 15}), (DateSpan{2, 2, 5}));
    // A quarter of 1436 days is 359 days: 0 years, 11 months, 29 days.
    EXPECT_EQ(spanOfDays(1436 / 4), (DateSpan{0, 11, 29}));
    // 1900 was no leap year in the calendar: 28.02.1900 to 01.03.1900 is one day.
    EXPECT_EQ(datumdiffneu(d("28.02.1900"), d("01.03.1900")), 1);
    EXPECT_EQ(datumdiffneu(d("28.02.2000"), d("01.03.2000")), 2);
    EXPECT_EQ(datumdiffneu(d("01.05.1980"), std::nullopt), 0);
    EXPECT_EQ(fromDayNumber(dayNumber(d("31.12.2020"))), d("31.12.2020"));
    EXPECT_FALSE(parseCalendarDate("29.02.1900"));
    EXPECT_FALSE(parseCalendarDate("__.__.____"));
    EXPECT_EQ(addMonths(d("31.01.2021"), 1), d("28.02.2021"));
}

} // namespace
} // namespace varemo
