#pragma once
// Step running times: the beginning of each step of a pay table from the beginning of step 1 and the
// months a step movement adds or takes; the guaranteed amount of a promotion (§ 17 (4) TVöD, § 17 (4)
// TV-L); the experience periods before the appointment that shorten the running time (§ 28 (1) BBesG,
// § 16 (2) TVöD / TV-L).

#include "base/money.h"
#include "calculators/date_span.h"
#include "pay/steps.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

struct StepDate {
    int position = 0;         // 0 = step of the first position of the table
    int normalMonths = 0;     // running time of the step; 0 for the final step
    CalendarDate begins;      // "Datumab"
    CalendarDate movedBegins; // "neu": with the movement
    bool finalStep = false;   // "Endstufe"
};

// The steps of a table from the beginning of step 1 (the date of line 6). movementMonths: positive
// lengthens (every later step begins later), negative shortens. An open table of equal steps lists
// `openSteps` steps. A step begins on the first of the month in which its service months are reached.
std::vector<StepDate> stepDates(const StepTable& table, const CalendarDate& beginning, int movementMonths,
                                int openSteps = 8);

// The index of the step in force on `day` by the beginnings before the movement: the last that has
// begun; -1 before the first.
int stepInForce(const std::vector<StepDate>& steps, const CalendarDate& day);

// The agreements of the promotion calculator.
enum class Agreement { TvoedBund, TvlWest, TvlOst, TvoedVka };
std::string agreementName(Agreement a);

// The guaranteed increase per month by agreement and pay-group band (the group's position in the
// agreement's list, 0 to 14). TVöD-VKA: 50 Euro.
Money guaranteedAmount(Agreement a, int band);

// The step by months of experience: up to 12 step 1, 13 to 36 step 2, 37 to 72 step 3, 73 to 120
// step 4, 121 to 180 step 5, above 180 step 6.
int stepForExperienceMonths(int months);

// The group after a promotion: the next group, with the transitions 9a → 9b → 9c → 10 of the lists
// that carry them (texts as in the list).
std::string nextPayGroup(const std::vector<std::string>& groups, int current);

struct PromotionInput {
    Agreement agreement = Agreement::TvoedBund;
    int band = 0;     // of the new group
    Money oldPay;     // basic pay in the present group and step
    Money newPay;     // basic pay in the new group and step
    Money allowanceA; // counts on both sides of the comparison
    Money allowanceB;
};

struct PromotionResult {
    Money oldTotal;
    Money newTotal;
    Money difference;         // newTotal − oldTotal
    Money guarantee;          // the guaranteed increase
    Money guaranteeAllowance; // paid on top when the difference is below the guarantee (" Euro *)")
    bool more = true;         // "also mehr" / "also weniger"
};
PromotionResult comparePromotion(const PromotionInput& in);

// Experience periods before the appointment: span, percentage (100 for full time) and the result.
struct ExperiencePeriod {
    CalendarDate from;
    CalendarDate to;
    int percent = 100;
};
struct ExperienceResult {
    std::vector<DateSpan> spans; // per period; part-time periods as days
    DateSpan sum;                // field by field, not carried
    int creditedMonths = 0;      // "Vormonate"
    CalendarDate stepBeginning;  // the appointment moved back by creditedMonths
};
// Throws Error with the window's messages: a missing appointment, an end before its start, an end not
// before the appointment.
ExperienceResult creditExperience(const std::optional<CalendarDate>& appointment,
                                  const std::vector<ExperiencePeriod>& periods);

} // namespace varemo
