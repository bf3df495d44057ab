#pragma once
// The beginning of a civil servant's pay seniority (Besoldungsdienstalter, § 28, § 36, § 38 BBesG in the
// versions that count from the 21st year of life) and the beginning of the jubilee service age.
//
// BDA: the regular beginning is the first of the month in which the 21st year of life is completed. It
// is postponed by half of the time without a claim to pay between the threshold age and four years
// later, and by a quarter of that time from then until the appointment; creditable periods (pay,
// child care, leave in the public interest) entered for a phase are not counted.

#include "calculators/date_span.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

// The entry-office choice of the window: threshold age and paragraph. Option 4 is not offered yet.
struct EntryOffice {
    int thresholdAge = 0;
    int paragraph = 0;
};
std::optional<EntryOffice> entryOffice(int option);
inline constexpr int kEntryOfficeOptions = 5;

struct DatePeriod {
    CalendarDate from;
    CalendarDate to;
};

struct ServiceAgeInput {
    int entryOfficeOption = 0;
    std::optional<CalendarDate> birthday;
    std::optional<CalendarDate> appointment;
    std::vector<DatePeriod> halfPhasePeriods;    // creditable periods between threshold and four years later
    std::vector<DatePeriod> quarterPhasePeriods; // creditable periods after that until the appointment
};

// A phase of the postponement: its limits, its span, the creditable periods that counted, the time
// without pay and the share of it that postpones the BDA.
struct PostponementPhase {
    bool applies = false; // the appointment came after the phase began
    CalendarDate from;
    CalendarDate to;
    DateSpan span;
    std::vector<DateSpan> periodSpans; // one per counted period, in input order
    DateSpan credited;                 // sum of periodSpans
    DateSpan withoutPay;               // span − credited, not below 0
    DateSpan share;                    // half or quarter of withoutPay, in days
};

// A period the plausibility check refused: it does not count. message is the text shown.
struct RefusedPeriod {
    bool halfPhase = false;
    size_t index = 0;
    std::string message;
};

struct ServiceAgeResult {
    EntryOffice office;
    CalendarDate thresholdBirthday; // completion of the threshold age
    CalendarDate completionOf21;    // "2. Vollendung des 21. Lebensjahres"
    CalendarDate regularBda;        // "3. Regel-Besoldungsdienstalter"
    PostponementPhase half;
    PostponementPhase quarter;
    DateSpan postponement; // half.share + quarter.share
    CalendarDate bda;
    std::vector<RefusedPeriod> refused;
};

// Throws Error naming what is missing (birthday, appointment) or the option "in Vorbereitung".
ServiceAgeResult computeServiceAge(const ServiceAgeInput& in);

// The plausibility messages of a period row against its phase and the rows before it; empty when the
// row is acceptable. The order of the checks: its direction, then each date against the phase, then
// each date against the rows already accepted.
std::string periodRefusal(const DatePeriod& p, const CalendarDate& phaseFrom, const CalendarDate& phaseTo,
                          const std::vector<DatePeriod>& accepted);

// Jubilee service age: pay with this employer from `payStart`, moved earlier by creditable periods with
// earlier employers and later by periods that do not count (unpaid special leave).
struct JubileeInput {
    std::optional<CalendarDate> birthday;
    std::optional<CalendarDate> payStart;
    std::vector<DatePeriod> earlierEmployers;
    std::vector<DatePeriod> notCounting;
    std::optional<CalendarDate> retirement; // given; otherwise the regular age limit
};

struct Jubilee {
    int years = 0;
    CalendarDate date;
    bool reached = true; // false when it falls after the retirement: " (wird nicht erreicht) "
};

struct JubileeResult {
    DateSpan credited;
    DateSpan notCounted;
    CalendarDate jdaBegin;
    CalendarDate retirement;
    int retirementAgeYears = 0;
    int retirementAgeMonths = 0;
    std::vector<Jubilee> jubilees; // 25, 40, 50
    std::vector<RefusedPeriod> refused;
};

// Throws Error naming what is missing.
JubileeResult computeJubilee(const JubileeInput& in);

// The regular age limit by year of birth (§ 51 BBG, § 235 SGB VI): 65 years for births before 1947,
// then one month more per year up to 1958, two months more per year from 1959, 67 years from 1964.
// Returns the age in months; retirement begins on the first of the month after it is reached.
int regularAgeLimitMonths(int birthYear);

// A date moved by a span in the 30-day counting: months and years by the calendar, days by 30-day months.
CalendarDate shiftedBySpan(const CalendarDate& d, const DateSpan& s, int sign);

} // namespace varemo
