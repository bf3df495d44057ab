#pragma once
// Annual leave of an employee (rows 1 to 20 of the vacation calculation) and the leave earned by an
// irregularly employed person from the days worked. Leave is counted in thousandths of a day.

#include "base/money.h"
#include "calculators/date_span.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varemo {

using LeaveMilli = int64_t; // thousandths of a working day

// § 5 (2) BUrlG as the calculator applies it: the value is taken to thousandths (rounded), a fraction
// of 500 thousandths or more raises it to the next whole day, a smaller one is dropped. Whole days.
int64_t roundLeave(LeaveMilli milli);
// num / den rounded to thousandths, half up.
LeaveMilli leaveMilli(int64_t num, int64_t den);

// The entitlement of the agreement for a five-day week: 29 days below the age of 55 in the leave year,
// 30 from 55; trainees 28 days up to 2017 and 29 from 2018. Needs the birthday.
int agreedEntitlement(const CalendarDate& birthday, int year, int serviceRelationship);

// Row 6 by periods: the working days the employee owes in each period of the leave year, when the pattern
// changes in its course. The periods then replace w × 52 in D; they must cover the year without gap or
// overlap, since the share of a year employed in part is row 9's, not theirs.
inline constexpr size_t kVacationPeriods = 6;
struct WorkingDaysPeriod {
    std::optional<CalendarDate> from;
    std::optional<CalendarDate> to;
    std::optional<int> days;
    bool empty() const { return !from && !to && !days; }
    bool operator==(const WorkingDaysPeriod&) const = default;
};
// The period line of the side file, "von 01.01.2020 bis 30.06.2020 = 130" (a part not entered blank, an
// empty period empty), and back; a line that holds none of the three reads as empty.
std::string periodLineText(const WorkingDaysPeriod& p);
WorkingDaysPeriod periodLineOf(const std::string& text);

struct VacationInput {
    int year = 0;
    std::optional<CalendarDate> birthday;
    int serviceRelationship = 0;
    std::optional<int> entitlement;   // row 3; from the agreement when not given
    LeaveMilli additional = 0;        // row 4
    int daysPerWeekIndex = 9;         // row 6: days per week = index / 2 + 0.5 (9: five days)
    int correctionIndex = 25;         // row 6: correction days = index − 25
    LeaveMilli furtherAdditional = 0; // row 7, e.g. § 208 SGB IX
    int fullMonths = 12;              // row 9
    int pensionMonths = 0;            // row 10
    int specialLeaveMonths = 0;       // row 11
    LeaveMilli previousYearRest = 0;  // row 17
    LeaveMilli taken = 0;             // row 18
    std::optional<Money> monthlyPay;  // row 20: monthly vacation pay
    LeaveMilli daysToPayOff = 0;      // row 20
    std::array<WorkingDaysPeriod, kVacationPeriods> periods{}; // row 6 by periods
};

struct VacationResult {
    int age = 0;                         // reached in the course of the leave year
    int entitlement = 0;                 // row 3
    LeaveMilli intermediate = 0;         // row 5
    int halfDaysPerWeek = 10;            // row 6: w × 2
    int correction = 0;                  // row 6: c
    std::optional<int> periodDays;       // row 6: the working days of the periods, when entered
    int workingDays = 260;               // D = w × 52 + c, or the periods' days + c
    LeaveMilli convertedExact = 0;       // D × row 5 / 260, to thousandths
    int64_t converted = 0;               // row 6 rounded
    LeaveMilli subtotal = 0;             // row 8
    LeaveMilli proRata = 0;              // row 9
    LeaveMilli pensionCut = 0;           // row 10
    LeaveMilli specialLeaveCut = 0;      // row 11
    int64_t total = 0;                   // row 12
    int64_t statutoryMinimum = 0;        // row 13
    std::optional<int64_t> youthMinimum; // row 14, below 18 only
    int64_t entitled = 0;                // row 16
    int entitledRow = 12;                // the row row 16 takes
    LeaveMilli rest = 0;                 // row 19
    std::optional<Money> compensation;   // row 20
};

// Row 3: the entitlement given, or the agreement's by the age. Throws Error "Für die Urlaubsberechnung ist
// der Geburtstag erforderlich." when it must come from the age and no birthday is known.
int entitlementOf(const VacationInput& in);
// Throws what entitlementOf throws; Error for inputs outside the rows' lists and for period lines that
// are incomplete, outside the leave year, longer than their calendar days or do not cover the year.
VacationResult computeVacation(const VacationInput& in);

// "(lt. Zeile 12)" and its kin.
std::string entitledRowNote(int row);
// Thousandths as "26,100" or whole days as "26".
std::string leaveText(LeaveMilli milli);

// The working-time recorder. A block of one day from and to, as minutes after midnight.
struct WorkBlock {
    int from = 0;
    int to = 0;
};
// "hh:mm", hours 0 to 23, minutes 0 to 59; nullopt otherwise.
std::optional<int> parseClockTime(const std::string& text);
std::string clockText(int minutes); // "7:30"
// Minutes worked on a day; throws Error for a block that ends before it begins.
int minutesWorked(const std::vector<WorkBlock>& blocks);
// Pay for the minutes at an hourly rate, rounded to the cent.
Money payForMinutes(int minutes, Money hourlyRate);

// Leave earned (BUrlG): share of the 312 working days of a six-day week, and that share of the full
// annual leave, both to thousandths.
struct EarnedLeave {
    int64_t shareMilliPercent = 0; // "#0.000" " %"
    LeaveMilli days = 0;           // "#0.000" " Url.Tage"
};
EarnedLeave leaveEarned(int daysWorked, LeaveMilli fullLeave);

} // namespace varemo
