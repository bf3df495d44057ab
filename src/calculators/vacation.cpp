#include "calculators/vacation.h"

#include "base/error.h"
#include "tariffs/service_relationship.h"

#include <algorithm>

namespace varemo {
namespace {

constexpr int kMostHalfDaysPerWeek = 12; // six days
constexpr int kCorrectionChoices = 51;   // −25 to +25 days

// § 19 (2) JArbSchG: Werktage of a six-day week by the age at the beginning of the calendar year.
std::optional<int> youthWorkingDays(const CalendarDate& birthday, int year) {
    const int ageOnFirstOfYear = year - birthday.year - ((birthday.day == 1 && birthday.month == 1) ? 0 : 1);
    if (ageOnFirstOfYear < 16) return 30;
    if (ageOnFirstOfYear < 17) return 27;
    if (ageOnFirstOfYear < 18) return 25;
    return std::nullopt;
}

std::string blankOr(const std::optional<CalendarDate>& d) {
    return d ? formatCalendarDate(*d) : std::string(10, ' ');
}

// The working days of the periods of row 6; nullopt when none is entered.
std::optional<int> workingDaysOfPeriods(const std::array<WorkingDaysPeriod, kVacationPeriods>& lines,
                                        int year) {
    std::vector<WorkingDaysPeriod> periods;
    for (size_t i = 0; i < lines.size(); ++i) {
        const WorkingDaysPeriod& p = lines[i];
        if (p.empty()) continue;
        const std::string which = "Der " + std::to_string(i + 1) + ". Zeitraum";
        if (!p.from || !p.to || !p.days)
            throw Error(which + " ist unvollständig: von, bis und Arbeitstage gehören dazu.");
        if (*p.to < *p.from) throw Error(which + " endet vor seinem Beginn.");
        if (p.from->year != year || p.to->year != year)
            throw Error(which + " liegt nicht im Urlaubsjahr " + std::to_string(year) + ".");
        const int calendarDays = dayNumber(*p.to) - dayNumber(*p.from) + 1;
        if (*p.days < 0 || *p.days > calendarDays)
            throw Error(which + " hat " + std::to_string(calendarDays) + " Kalendertage, nicht " +
                        std::to_string(*p.days) + " Arbeitstage.");
        periods.push_back(p);
    }
    if (periods.empty()) return std::nullopt;
    std::sort(periods.begin(), periods.end(),
              [](const WorkingDaysPeriod& a, const WorkingDaysPeriod& b) { return *a.from < *b.from; });
    CalendarDate next{1, 1, year};
    int days = 0;
    for (const WorkingDaysPeriod& p : periods) {
        if (*p.from != next) break;
        next = addDays(*p.to, 1);
        days += *p.days;
    }
    if (next != CalendarDate{1, 1, year + 1})
        throw Error("Die Zeiträume müssen das Urlaubsjahr vom 01.01." + std::to_string(year) + " bis 31.12." +
                    std::to_string(year) + " lückenlos und ohne Überschneidung umfassen.");
    return days;
}

} // namespace

std::string periodLineText(const WorkingDaysPeriod& p) {
    if (p.empty()) return {};
    return "von " + blankOr(p.from) + " bis " + blankOr(p.to) + " = " +
           (p.days ? std::to_string(*p.days) : std::string());
}

WorkingDaysPeriod periodLineOf(const std::string& text) {
    // Words: "von" [date] "bis" [date] "=" [days], the parts not entered left out.
    std::vector<std::string> words;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    WorkingDaysPeriod p;
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        const std::string& next = words[i + 1];
        if (words[i] == "von") p.from = parseCalendarDate(next);
        if (words[i] == "bis") p.to = parseCalendarDate(next);
        if (words[i] == "=" && !next.empty() && next.size() <= 3 &&
            std::all_of(next.begin(), next.end(), [](char c) { return c >= '0' && c <= '9'; }))
            p.days = std::stoi(next);
    }
    return p;
}

LeaveMilli leaveMilli(int64_t num, int64_t den) {
    return mulDiv(num, 1000, den, Rounding::HalfUp);
}

int64_t roundLeave(LeaveMilli milli) {
    return milli / 1000 + (milli % 1000 >= 500 ? 1 : 0);
}

int agreedEntitlement(const CalendarDate& birthday, int year, int serviceRelationship) {
    if (serviceRelationship == relationship::kTrainees) return year <= 2017 ? 28 : 29;
    return year - birthday.year < 55 ? 29 : 30;
}

int entitlementOf(const VacationInput& in) {
    if (in.entitlement) return *in.entitlement;
    if (!in.birthday) throw Error("Für die Urlaubsberechnung ist der Geburtstag erforderlich.");
    return agreedEntitlement(*in.birthday, in.year, in.serviceRelationship);
}

VacationResult computeVacation(const VacationInput& in) {
    if (in.daysPerWeekIndex < 0 || in.daysPerWeekIndex >= kMostHalfDaysPerWeek)
        throw Error("Die Arbeitstage je Woche liegen zwischen 0,5 und 6.");
    if (in.correctionIndex < 0 || in.correctionIndex >= kCorrectionChoices)
        throw Error("Die Korrekturtage liegen zwischen -25 und 25.");
    if (in.fullMonths < 0 || in.fullMonths > 12 || in.pensionMonths < 0 || in.pensionMonths > 12 ||
        in.specialLeaveMonths < 0 || in.specialLeaveMonths > 12)
        throw Error("Die Zahl der Monate liegt zwischen 0 und 12.");
    VacationResult r;
    if (in.birthday) r.age = in.year - in.birthday->year;
    r.entitlement = entitlementOf(in);
    r.intermediate = int64_t{r.entitlement} * 1000 + in.additional;

    // w = index / 2 + 0.5 days, so D = w × 52 + c = (index + 1) × 26 + c. A pattern that changes in the
    // course of the year counts the working days of its periods instead of w × 52.
    r.halfDaysPerWeek = in.daysPerWeekIndex + 1;
    r.correction = in.correctionIndex - 25;
    r.periodDays = workingDaysOfPeriods(in.periods, in.year);
    r.workingDays = (r.periodDays ? *r.periodDays : r.halfDaysPerWeek * 26) + r.correction;
    if (r.workingDays < 0) throw Error("Die Korrekturtage sind mehr als die Arbeitstage des Jahres.");
    r.convertedExact = leaveMilli(int64_t{r.workingDays} * r.intermediate, int64_t{260} * 1000);
    r.converted = roundLeave(r.convertedExact);

    r.subtotal = r.converted * 1000 + in.furtherAdditional;
    r.proRata = leaveMilli(r.subtotal * in.fullMonths, int64_t{12} * 1000);
    r.pensionCut = leaveMilli(r.subtotal * in.pensionMonths, int64_t{12} * 1000);
    r.specialLeaveCut = leaveMilli(r.subtotal * in.specialLeaveMonths, int64_t{12} * 1000);
    r.total = roundLeave(std::max<LeaveMilli>(0, r.proRata - r.pensionCut - r.specialLeaveCut));

    // § 3 (1) BUrlG: 24 Werktage of a six-day week, converted to the employee's working days. The
    // minimums are part-year leave too (§ 5 (1) BUrlG): they take the twelfths of row 9, or a person
    // employed for five months would be owed the leave of a whole year.
    const int64_t twelfths = in.fullMonths;
    r.statutoryMinimum = roundLeave(leaveMilli(int64_t{24} * r.workingDays * twelfths, int64_t{312} * 12));
    if (in.birthday)
        if (auto days = youthWorkingDays(*in.birthday, in.year))
            r.youthMinimum =
                roundLeave(leaveMilli(int64_t{*days} * r.workingDays * twelfths, int64_t{312} * 12));

    r.entitled = r.total;
    if (r.statutoryMinimum > r.entitled) {
        r.entitled = r.statutoryMinimum;
        r.entitledRow = 13;
    }
    if (r.youthMinimum && *r.youthMinimum > r.entitled) {
        r.entitled = *r.youthMinimum;
        r.entitledRow = 14;
    }
    r.rest = r.entitled * 1000 + in.previousYearRest - in.taken;

    if (in.monthlyPay) {
        // Monthly pay × 12 × days / (52 × days per week); 52 × w = 26 × half days.
        const int64_t cents =
            mulDiv(in.monthlyPay->units(), 12 * in.daysToPayOff,
                   int64_t{26} * r.halfDaysPerWeek * 1000 * Money::kUnitsPerCent, Rounding::HalfUp);
        r.compensation = Money::fromCents(cents);
    }
    return r;
}

std::string entitledRowNote(int row) {
    return "(lt. Zeile " + std::to_string(row) + ")";
}

std::string leaveText(LeaveMilli milli) {
    const bool negative = milli < 0;
    const int64_t m = negative ? -milli : milli;
    std::string text = (negative ? "-" : "") + std::to_string(m / 1000);
    if (m % 1000 != 0) {
        std::string fraction = std::to_string(1000 + m % 1000).substr(1);
        text += "," + fraction;
    }
    return text;
}

std::optional<int> parseClockTime(const std::string& text) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || text.size() - colon - 1 != 2)
        return std::nullopt;
    int hours = 0;
    int minutes = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == colon) continue;
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        (i < colon ? hours : minutes) = (i < colon ? hours : minutes) * 10 + (text[i] - '0');
    }
    if (hours > 23 || minutes > 59) return std::nullopt;
    return hours * 60 + minutes;
}

std::string clockText(int minutes) {
    const std::string mm = std::to_string(100 + minutes % 60).substr(1);
    return std::to_string(minutes / 60) + ":" + mm;
}

int minutesWorked(const std::vector<WorkBlock>& blocks) {
    int sum = 0;
    for (const WorkBlock& b : blocks) {
        if (b.to < b.from)
            throw Error("Der Einsatz von " + clockText(b.from) + " bis " + clockText(b.to) +
                        " endet vor seinem Beginn.");
        sum += b.to - b.from;
    }
    return sum;
}

Money payForMinutes(int minutes, Money hourlyRate) {
    return Money::fromCents(
        mulDiv(hourlyRate.units(), minutes, int64_t{60} * Money::kUnitsPerCent, Rounding::HalfEven));
}

EarnedLeave leaveEarned(int daysWorked, LeaveMilli fullLeave) {
    EarnedLeave e;
    e.shareMilliPercent = mulDiv(daysWorked, 100 * 1000, 312, Rounding::HalfUp);
    e.days = mulDiv(daysWorked, fullLeave, 312, Rounding::HalfUp);
    return e;
}

} // namespace varemo
