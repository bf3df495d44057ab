#pragma once
// The date arithmetic the calculators share. Service periods are measured the way pay offices count
// them: months of 30 days, years of 12 months (360 days), both ends of a period counted. Calendar-day
// offsets between two dates use the real calendar.

#include <optional>
#include <string>

namespace varemo {

struct CalendarDate {
    int day = 0;
    int month = 0;
    int year = 0;
    bool operator==(const CalendarDate&) const = default;
    // In time, not field by field.
    auto operator<=>(const CalendarDate& o) const {
        if (auto c = year <=> o.year; c != 0) return c;
        if (auto c = month <=> o.month; c != 0) return c;
        return day <=> o.day;
    }
};

// "TT.MM.JJJJ", ten characters, a real calendar date; nullopt otherwise (an underscore marks a date not
// yet entered, blanks an empty field).
std::optional<CalendarDate> parseCalendarDate(const std::string& text);
std::string formatCalendarDate(const CalendarDate& d);

int daysInMonth(int month, int year);
// Days since 01.01.0001 in the real calendar, and back.
int dayNumber(const CalendarDate& d);
CalendarDate fromDayNumber(int n);
CalendarDate addDays(const CalendarDate& d, int days);
// The same day of month `months` later (earlier when negative), the day cut to the month's end.
CalendarDate addMonths(const CalendarDate& d, int months);

struct DateSpan {
    int years = 0;
    int months = 0;
    int days = 0;
    bool operator==(const DateSpan&) const = default;
    // Years of 360 days, months of 30.
    int totalDays() const { return years * 360 + months * 30 + days; }
};

// A number of days in years of 360 and months of 30 days.
DateSpan spanOfDays(int days);
// Carries days above 29 into months and months above 11 into years.
DateSpan normalised(DateSpan s);
// Adds spans field by field, then normalises.
DateSpan operator+(const DateSpan& a, const DateSpan& b);

// The span of the period from start to end, both days counted ("datumsdifferenz"): the 31st of a month
// and the last day of February count as the 30th; a start on the last day of February adds the days
// February lacks (one in a year divisible by 4, two otherwise). The leap year of this rule is any year
// divisible by 4.
DateSpan datumsdifferenz(const CalendarDate& start, const CalendarDate& end);

// The calendar days from the birthday to a date ("datumdiffneu"); 0 when either is missing.
int datumdiffneu(const std::optional<CalendarDate>& birthday, const std::optional<CalendarDate>& date);

} // namespace varemo
