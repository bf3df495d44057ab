#pragma once
// The calculation run: turns the working case of one month into its results, in a fixed order of
// steps. Each step is a procedure of its own on the session.

#include "model/globaldaten.h"

namespace varemo {

inline constexpr const char* kRunAbortedTitle = "Berechnung abgebrochen";

// Runs all steps and, when they all succeeded, writes the results (ClosingStep). Returns false when a
// step failed: the run stopped where it was and nothing was written back. An amount that left the range
// of the program sets g.overflow and shows nothing (the caller shows the overflow message once); any
// other failure is shown at once as the message kRunAbortedTitle. A failure to write the results is not
// caught here: it belongs to the operation around the run, which reports it or puts its files back.
[[nodiscard]] bool RunCalculation(Globaldaten& g);

// The steps, in the order RunCalculation calls them.
void ClearLineAmounts(Globaldaten& g);       // 1
void HealthAdditionalRate(Globaldaten& g);   // 2
void RestoreEnteredAmounts(Globaldaten& g);  // 3
void WorkingTimeDefaults(Globaldaten& g);    // 4
void PartTimeFactorStep(Globaldaten& g);     // 5
void TariffLookupStep(Globaldaten& g);       // 6
void CapitalFormingPayments(Globaldaten& g); // 7
void SpecialPaymentsStep(Globaldaten& g);    // 8
void HolidayPayStep(Globaldaten& g);         // 9
void PartTimeStep(Globaldaten& g);           // 10
void LineMonthlyAmounts(Globaldaten& g);     // 11
void DeductionsStep(Globaldaten& g);         // 12
void PartialRetirementStep(Globaldaten& g);  // 13
void NetPay(Globaldaten& g);                 // 14
void ClosingStep(Globaldaten& g);            // 15

// Writes the working case as the record of its month (slot 20) and updates the case's year record.
void WriteCaseMonth(Globaldaten& g);
// Writes the case's year record: its name and the month's gross and net pay for the data set.
void WriteYearRecord(Globaldaten& g);

// Amounts of line 11 (capital-forming payments) by option 0 to 6; option 7 keeps the typed amount.
int32_t capitalFormingAmount(int option);

} // namespace varemo
