#pragma once
// Step duration and promotion on the current case-month: the step dates of the case's pay table with
// the basic pay of each step from the month's tariff file, and the comparison before and after a
// promotion with its transfer into the case.

#include "calculators/step_duration.h"
#include "session/session.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

// The legal basis of the step running time by the case's employer and service relationship.
std::string stepLegalBasis(const Case& c);

struct StepDurationView {
    std::string legalBasis;
    CalendarDate beginning;
    int movementMonths = 0;
    std::vector<StepDate> steps;
    std::vector<std::optional<Money>> basicPay; // per step, from the tables of the month shown
    // What the movement is worth until the final step: for each step that begins after the month
    // shown, the months it moves times its increase over the step before (positive when shortened).
    std::optional<Money> value;
    // The index of the step in force on the first of the month shown (by the beginnings before the
    // movement), -1 before step 1; the windows mark it yellow.
    int current = -1;
    // The entry-office note of a group whose pay table begins above step 1, else empty.
    std::string entryOfficeNote;
};

// Throws Error when the case has no step table or no beginning (line 6, or `beginning`).
StepDurationView StepDurationOf(Session& g, std::optional<CalendarDate> beginning, int movementMonths);

// "Ist A13 das Eingangsamt, beginnt die Stufenlaufzeit 96 Monate vor der Einstellung. ...": for a group
// whose pay table in the month shown has no amount for the first steps of its step table, the first
// step with an amount is the initial step, and step 1 then begins the service months of the steps below
// it before the appointment. Empty when the group begins at its table's first step or the case has no
// step table.
std::string entryOfficeNote(Session& g);

// The agreement of the promotion calculator for the case, nullopt for other service relationships.
std::optional<Agreement> agreementOf(const Case& c);

// A stretch of months after the promotion in which both paths keep their steps.
struct PromotionPeriod {
    CalendarDate from;
    int oldStep = 0;
    int newStep = 0;
    Money oldTotal;
    Money newTotal;
    Money difference; // "also mehr" when not negative, else "also weniger"
};

struct PromotionView {
    Agreement agreement = Agreement::TvoedBund;
    int group = 0;
    int step = 0;
    int newGroup = 0;
    int newStep = 0;
    std::string groupName;
    std::string newGroupName;
    PromotionResult result;
    // From the month shown until both paths reach their final step, with the tables of that month;
    // empty when the case has no step table or no date of line 6.
    std::vector<PromotionPeriod> following;
};

// Compares the case's group and step in the month shown with the next group: since the agreements'
// reforms (TVöD 2017, TV-L 2019) in the same step, before them in the lowest step whose basic pay is at
// least the present one, not below step 2. Throws Error naming what is missing.
PromotionView PromotionOf(Session& g, Money allowanceA, Money allowanceB);

// Writes the promotion into the case-month shown: line 4 the new group, line 6 "Nächster Stufenaufstieg"
// with the date of the next step in the new group (empty in the final step), line 8 the step, line 9
// the guaranteed amount (as an individual amount) when one is paid. All or nothing.
[[nodiscard]] bool TransferPromotion(Session& g, const PromotionView& p);

} // namespace varemo
