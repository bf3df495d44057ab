#pragma once
// The recalculation of all cases ("Daten/Alle Fälle neu durchrechnen"): every case of the user folder,
// year and data set runs through its twelve months again and stores the new results.
//
// Sequence: the confirmation (OK/Cancel; Cancel changes nothing); the yearly defaults of the user read
// again; the case count of the year as the files hold it (a count below 2 is raised to 2, so that case
// 1 is processed; the count includes the empty entry at the end of the case list); then for each case
// 1 to count − 1 that has a record (case 1 always) and each month 1 to 12: the defaults ("Grundstellung"),
// the case- month loaded with its checks, the month slot, the supplementary-pension defaults (keeping the
// chosen scheme), the step from the reference date, the health-insurance rate position, the calculation run
// with its writes, and the progress "Personalfall " + case + month + ". Monat" in the status line. At
// the end case 1, month 1 is opened as after a choice in line 1.

#include "session/session.h"

#include <string>

namespace varemo {

inline constexpr const char* kRecalculationTitle = "Möchten Sie neu durchrechnen lassen?";

// The confirmation of the session's user folder, year and data set.
PromptMessage recalculationQuestion(const Session& g);

// The status-line text of a case-month: "Personalfall 3, 5. Monat" for case 3, month 5 (case and month
// apart, so that case 11 in January cannot be read as case 1 in November).
std::string recalculationProgress(int caseNumber, int month);

// The number of list entries of the year (cases + the empty entry), at least 2. The count of the
// window record does not raise it: a damaged count there must not make cases out of nothing.
int recalculationCaseCount(const Session& g);

// Sets the health-insurance rate position (KeySlot::HealthRate) of the working case from its fund and
// contribution kind for its month: funds 33 and 35 keep their position; kinds 1 to 9 fixed positions.
void ResetHealthRatePosition(Session& g);

struct RecalculationSummary {
    bool done = false; // false: cancelled, nothing changed
    int cases = 0;
    int monthsRun = 0;
    int outOfRange = 0; // case-months whose run left the range of the program (not written)
    int failed = 0;     // case-months whose run failed otherwise (each has shown its message; not written)
};

// Files that hold a case beyond the most cases of a year are refused before the question (done false).
RecalculationSummary RecalculateAllCases(Session& g);

} // namespace varemo
