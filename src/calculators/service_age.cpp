#include "calculators/service_age.h"

#include "base/error.h"

#include <algorithm>

namespace varemo {
namespace {

// The anniversary of a birthday in a later year; 29 February becomes 28 February in other years.
CalendarDate anniversary(const CalendarDate& birthday, int years) {
    return addMonths(birthday, 12 * years);
}

std::string phaseMessage(const std::string& date, const char* where, const CalendarDate& from,
                         const CalendarDate& to) {
    return "Das Datum " + date + " liegt   " + where + "   der hier zu prüfenden Zeitspanne vom " +
           formatCalendarDate(from) + " bis " + formatCalendarDate(to) + ".";
}

std::string directionMessage(const DatePeriod& p) {
    return "Das Datum " + formatCalendarDate(p.to) + " liegt   v o r   dem Datum " +
           formatCalendarDate(p.from) + " und damit nicht in der richtigen Zeitrichtung.";
}

DateSpan spanWithoutNegative(int days) {
    return spanOfDays(std::max(0, days));
}

PostponementPhase measurePhase(const CalendarDate& from, const CalendarDate& to,
                               const std::vector<DatePeriod>& periods, int divisor, bool half,
                               std::vector<RefusedPeriod>& refused) {
    PostponementPhase p;
    p.applies = true;
    p.from = from;
    p.to = to;
    p.span = datumsdifferenz(from, to);
    std::vector<DatePeriod> accepted;
    for (size_t i = 0; i < periods.size(); ++i) {
        std::string why = periodRefusal(periods[i], from, to, accepted);
        if (!why.empty()) {
            refused.push_back({half, i, why});
            continue;
        }
        accepted.push_back(periods[i]);
        const DateSpan s = datumsdifferenz(periods[i].from, periods[i].to);
        p.periodSpans.push_back(s);
        p.credited = p.credited + s;
    }
    p.withoutPay = spanWithoutNegative(p.span.totalDays() - p.credited.totalDays());
    p.share = spanOfDays(p.withoutPay.totalDays() / divisor); // Fix: truncated
    return p;
}

} // namespace

std::optional<EntryOffice> entryOffice(int option) {
    switch (option) {
    case 0:
        return EntryOffice{31, 28};
    case 1:
        return EntryOffice{35, 28};
    case 2:
        return EntryOffice{35, 36};
    case 3:
        return EntryOffice{40, 36};
    default:
        return std::nullopt;
    }
}

std::string periodRefusal(const DatePeriod& p, const CalendarDate& phaseFrom, const CalendarDate& phaseTo,
                          const std::vector<DatePeriod>& accepted) {
    if (p.to < p.from) return directionMessage(p);
    for (const CalendarDate& d : {p.from, p.to}) {
        const std::string text = formatCalendarDate(d);
        if (phaseTo < d) return phaseMessage(text, "n a c h", phaseFrom, phaseTo);
        if (d < phaseFrom) return phaseMessage(text, "v o r", phaseFrom, phaseTo);
    }
    for (const DatePeriod& a : accepted)
        for (const CalendarDate& d : {p.from, p.to})
            if (!(d < a.from) && !(a.to < d))
                return " Das Datum " + formatCalendarDate(d) +
                       " liegt in der bereits verwendeten Zeitspanne vom " + formatCalendarDate(a.from) +
                       " bis " + formatCalendarDate(a.to);
    return {};
}

ServiceAgeResult computeServiceAge(const ServiceAgeInput& in) {
    const auto office = entryOffice(in.entryOfficeOption);
    if (!office) throw Error("in Vorbereitung");
    if (!in.birthday) throw Error("Für die Berechnung des Besoldungsdienstalters fehlt der Geburtstag.");
    if (!in.appointment)
        throw Error("Für die Berechnung des Besoldungsdienstalters fehlt der Tag der Ernennung.");
    const CalendarDate birthday = *in.birthday;
    const CalendarDate appointment = *in.appointment;

    ServiceAgeResult r;
    r.office = *office;
    r.thresholdBirthday = anniversary(birthday, office->thresholdAge);
    r.completionOf21 = addDays(anniversary(birthday, 21), -1);
    r.regularBda = {1, r.completionOf21.month, r.completionOf21.year};

    // Both ends of a phase count; the day of the appointment is the first day with pay.
    const CalendarDate lastWithoutPay = addDays(appointment, -1);
    const CalendarDate fourYearsLater = anniversary(r.thresholdBirthday, 4);
    if (r.thresholdBirthday < appointment) {
        const CalendarDate halfEnd = std::min(addDays(fourYearsLater, -1), lastWithoutPay);
        r.half = measurePhase(r.thresholdBirthday, halfEnd, in.halfPhasePeriods, 2, true, r.refused);
    }
    if (fourYearsLater < appointment)
        r.quarter = measurePhase(fourYearsLater, lastWithoutPay, in.quarterPhasePeriods, 4, false, r.refused);

    r.postponement = r.half.share + r.quarter.share;
    int month = r.regularBda.month + r.postponement.months;
    int year = r.regularBda.year + r.postponement.years;
    if (month > 12) {
        year += month / 12;
        month %= 12;
    }
    r.bda = {1, month, year};
    return r;
}

int regularAgeLimitMonths(int birthYear) {
    if (birthYear < 1947) return 65 * 12;
    if (birthYear <= 1958) return 65 * 12 + (birthYear - 1946);
    if (birthYear <= 1963) return 66 * 12 + 2 * (birthYear - 1958);
    return 67 * 12;
}

CalendarDate shiftedBySpan(const CalendarDate& d, const DateSpan& s, int sign) {
    // Position in the 30-day counting: the 31st counts as the 30th.
    const int n = d.year * 360 + (d.month - 1) * 30 + std::min(d.day, 30) - 1 + sign * s.totalDays();
    CalendarDate r{n % 360 % 30 + 1, n % 360 / 30 + 1, n / 360};
    r.day = std::min(r.day, daysInMonth(r.month, r.year));
    return r;
}

JubileeResult computeJubilee(const JubileeInput& in) {
    if (!in.birthday) throw Error("Für die Berechnung des Jubiläumsdienstalters fehlt der Geburtstag.");
    if (!in.payStart)
        throw Error("Für die Berechnung des Jubiläumsdienstalters fehlt der Beginn der Dienstbezüge.");
    const CalendarDate birthday = *in.birthday;
    const CalendarDate start = *in.payStart;
    if (dayNumber(start) - dayNumber(birthday) > 23725)
        throw Error("Zwischen Geburtstag und Ernennung liegen mehr als " + std::to_string(23725 / 365) +
                    " Jahre.");
    JubileeResult r;
    auto check = [&](const DatePeriod& p, bool earlier) -> std::string {
        if (p.to < p.from) return directionMessage(p);
        for (const CalendarDate& d : {p.from, p.to}) {
            const std::string text = formatCalendarDate(d);
            if (d < birthday)
                return "Das Datum " + text + " liegt   v o r   dem Geburtstag am " +
                       formatCalendarDate(birthday) + ".";
            if (earlier ? !(d < start) : d < start)
                return "Das Datum " + text + " liegt   " + (earlier ? "n a c h" : "V O R") +
                       "   dem Beginn der Dienstbezüge am " + formatCalendarDate(start) +
                       " und damit außerhalb des hier zu prüfenden Zeitraums.";
        }
        return {};
    };
    auto add = [&](const std::vector<DatePeriod>& periods, bool earlier, DateSpan& sum) {
        for (size_t i = 0; i < periods.size(); ++i) {
            std::string why = check(periods[i], earlier);
            if (!why.empty())
                r.refused.push_back({earlier, i, why});
            else
                sum = sum + datumsdifferenz(periods[i].from, periods[i].to);
        }
    };
    add(in.earlierEmployers, true, r.credited);
    add(in.notCounting, false, r.notCounted);
    r.jdaBegin = shiftedBySpan(shiftedBySpan(start, r.credited, -1), r.notCounted, 1);

    if (in.retirement) {
        r.retirement = *in.retirement;
        const int months = (r.retirement.year - birthday.year) * 12 + (r.retirement.month - birthday.month) -
                           (r.retirement.day < birthday.day ? 1 : 0);
        r.retirementAgeYears = months / 12;
        r.retirementAgeMonths = months % 12;
    } else {
        // § 51 (1) BBG: retirement at the end of the month in which the age limit is reached; the age is
        // reached with the end of the day before the birthday (§ 187 (2) BGB).
        const int limit = regularAgeLimitMonths(birthday.year);
        const CalendarDate reached = addDays(addMonths(birthday, limit), -1);
        r.retirement = addMonths({1, reached.month, reached.year}, 1);
        r.retirementAgeYears = limit / 12;
        r.retirementAgeMonths = limit % 12;
    }
    for (int years : {25, 40, 50}) {
        const CalendarDate date = addMonths(r.jdaBegin, 12 * years);
        r.jubilees.push_back({years, date, date < r.retirement});
    }
    return r;
}

} // namespace varemo
