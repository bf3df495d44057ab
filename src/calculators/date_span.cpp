#include "calculators/date_span.h"

#include <cstdio>

namespace varemo {
namespace {

bool divisibleByFour(int year) {
    return year % 4 == 0;
}

bool realLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int monthOfThirtyOne(int month) {
    return month == 1 || month == 3 || month == 5 || month == 7 || month == 8 || month == 10 || month == 12;
}

} // namespace

int daysInMonth(int month, int year) {
    if (month == 2) return realLeapYear(year) ? 29 : 28;
    return monthOfThirtyOne(month) ? 31 : 30;
}

std::optional<CalendarDate> parseCalendarDate(const std::string& text) {
    if (text.size() != 10 || text[2] != '.' || text[5] != '.') return std::nullopt;
    int parts[3] = {0, 0, 0};
    const size_t starts[3] = {0, 3, 6};
    const size_t lengths[3] = {2, 2, 4};
    for (int p = 0; p < 3; ++p)
        for (size_t i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            parts[p] = parts[p] * 10 + (text[i] - '0');
        }
    CalendarDate d{parts[0], parts[1], parts[2]};
    if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > daysInMonth(d.month, d.year))
        return std::nullopt;
    return d;
}

std::string formatCalendarDate(const CalendarDate& d) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", d.day, d.month, d.year);
    return buffer;
}

int dayNumber(const CalendarDate& d) {
    // Days before the year, then before the month, in the proleptic Gregorian calendar.
    const int y = d.year - 1;
    int n = y * 365 + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < d.month; ++m)
        n += daysInMonth(m, d.year);
    return n + d.day - 1;
}

CalendarDate fromDayNumber(int n) {
    int year = n / 366 + 1; // never beyond the year sought
    while (dayNumber({1, 1, year + 1}) <= n)
        ++year;
    n -= dayNumber({1, 1, year});
    int month = 1;
    while (n >= daysInMonth(month, year))
        n -= daysInMonth(month++, year);
    return {n + 1, month, year};
}

CalendarDate addDays(const CalendarDate& d, int days) {
    return fromDayNumber(dayNumber(d) + days);
}

CalendarDate addMonths(const CalendarDate& d, int months) {
    int index = d.year * 12 + (d.month - 1) + months;
    CalendarDate r{d.day, index % 12 + 1, index / 12};
    if (r.day > daysInMonth(r.month, r.year)) r.day = daysInMonth(r.month, r.year);
    return r;
}

DateSpan spanOfDays(int days) {
    return {days / 360, days % 360 / 30, days % 30};
}

DateSpan normalised(DateSpan s) {
    if (s.days > 29) {
        s.months += s.days / 30;
        s.days %= 30;
    }
    if (s.months > 11) {
        s.years += s.months / 12;
        s.months %= 12;
    }
    return s;
}

DateSpan operator+(const DateSpan& a, const DateSpan& b) {
    return normalised({a.years + b.years, a.months + b.months, a.days + b.days});
}

DateSpan datumsdifferenz(const CalendarDate& start, const CalendarDate& end) {
    int months = end.month - start.month;
    int years = end.year - start.year;
    if (months < 0) {
        months += 12;
        --years;
    }
    int d1 = start.day;
    int startMonth = start.month;
    int extra = 0;
    if (monthOfThirtyOne(startMonth) && d1 == 31) {
        d1 = 1;
        startMonth = startMonth % 12 + 1;
        --months;
        // A start on 31 January of a later year than the end month: the borrowed month comes from the
        // years, or the span would show a negative month.
        if (months < 0) {
            months += 12;
            --years;
        }
    }
    if (startMonth == 2) {
        if (divisibleByFour(start.year) && d1 == 29) {
            d1 = 30;
            extra = 1;
        } else if (!divisibleByFour(start.year) && d1 == 28) {
            d1 = 30;
            extra = 2;
        }
    }
    int d2 = end.day;
    if (monthOfThirtyOne(end.month) && d2 == 31) d2 = 30;
    if (end.month == 2 &&
        ((divisibleByFour(end.year) && d2 == 29) || (!divisibleByFour(end.year) && d2 == 28)))
        d2 = 30;
    int days = 0;
    if (d2 > d1) {
        days = d2 - d1 + 1 + extra;
    } else if (d2 == d1) {
        days = 1 + extra;
    } else {
        days = d2 + 30 - d1 + 1 + extra;
        if (months == 0) {
            months = 11;
            --years;
        } else {
            --months;
        }
    }
    if (days == 30) {
        days = 0;
        if (++months == 12) {
            months = 0;
            ++years;
        }
    }
    return {years, months, days};
}

int datumdiffneu(const std::optional<CalendarDate>& birthday, const std::optional<CalendarDate>& date) {
    if (!birthday || !date) return 0;
    return dayNumber(*date) - dayNumber(*birthday);
}

} // namespace varemo
