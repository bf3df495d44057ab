#pragma once
// Steps of the basic pay (line 8): the step tables, the automatic step from the reference date of
// line 6, the step movements of line 7 and the option lists of lines 6, 7 and 8.
//
// Keys: KeySlot::DateLabel (line 6; labels 0 and 1 are step-relevant), KeySlot::LineSeven, KeySlot::Step
// (line 8; 0 is the first step, one position of the list means "typed by hand") and KeySlot::RegularStep
// (service relationships 14 and 15: the step before any movement). AmountSlot::StepMovement holds the
// months subtracted from the service months (positive: later steps).

#include "model/globaldaten.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

// A calendar date of line 6.
struct ReferenceDate {
    int day = 0;
    int month = 0;
    int year = 0;
};

// "TT.MM.JJJJ" (leading and trailing blanks allowed, "/" also accepted as separator); nothing for
// an empty or impossible date.
std::optional<ReferenceDate> parseReferenceDate(const std::string& text);

// Whole calendar months from the date to the first day of month/year (the day of the date does not
// count), limited to the signed 16-bit range.
int serviceMonths(const ReferenceDate& date, int year, int month);

// A step table: the service months at which each position begins. Tables marked countsPlusOne count
// the months from the reference date plus one (their thresholds are written that way). Positions below
// firstPosition are not used by the table; monthsPerStep > 0 marks an open table of equal steps.
struct StepTable {
    bool countsPlusOne = false;
    int firstPosition = 0;
    std::vector<int> starts; // starts[i]: first (counted) month of position firstPosition + i
    int monthsPerStep = 0;

    int positionFor(int months) const;
    int lastPosition() const; // -1 for an open table
};

// The table the automatic step of the case uses in the month (1 to 12), or nothing.
std::optional<StepTable> stepTableFor(const Case& c, int year, int month);

// Line 7 of the employees 8 to 17 and 20 to 24 is a step movement.
bool hasStepMovement(int serviceRelationship);
// The months a line 7 option moves the steps (AmountSlot::StepMovement): negative shortens, positive
// lengthens.
int stepMovementMonths(int option);

// Compute step: sets KeySlot::Step (and KeySlot::RegularStep) from the reference date of line 6, or
// leaves them alone when no automatic step applies. Reads the case's month and g.year.
void ComputeStep(Globaldaten& g);

// Whether the step of line 8 is computed from the date of line 6 (a step-relevant label, a date and a
// step table for the case): changing the step by hand then switches the computation off.
bool automaticStepApplies(const Case& c, int year, int month);

// The option list of line 8 and the position in it that means "typed by hand".
struct StepList {
    std::vector<std::string> texts; // ends with the hand-entry text
    int handEntry = 0;              // texts.size() - 1
};
StepList stepList(const Case& c, int year, int month);
int handEntryStep(const Case& c, int year, int month);

// Option lists of line 6 (date labels) and line 7 (married-allowance rule for civil servants, step
// movement for most employees, contract notes from the option-text file for the others).
std::vector<std::string> dateLabelOptions(const Case& c);
// Whether line 6 is set to "Nächster Stufenaufstieg (nur Info)" (position 2 of the lists that offer it).
bool dateLabelIsNextStep(const Case& c);
std::vector<std::string> lineSevenOptions(const Case& c, const OptionTextFile& texts);

} // namespace varemo
