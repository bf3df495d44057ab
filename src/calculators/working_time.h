#pragma once
// The working-time recorder of an irregularly employed person: the blocks of each day of a month, the
// hours and pay they give, the leave earned by the days worked (§ 3, § 5 BUrlG) and the leave pay by the
// earnings of the last three months (§ 11 BUrlG). The table of each month is kept in "Arbeitszeit.0yy".

#include "base/money.h"
#include "calculators/vacation.h"
#include "persistence/calculator_files.h"
#include "session/session.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

struct WorkDay {
    int day = 0;
    std::string weekday;           // "Montag" … "Sonntag"
    std::vector<WorkBlock> blocks; // the non-empty blocks, in block order
    int minutes = 0;
    Money pay;
};

struct WorkMonth {
    int month = 0;
    std::vector<WorkDay> days; // every calendar day of the month
    int daysWorked = 0;
    int minutes = 0;
    Money pay;
    Money hourlyRate;
};

// The blocks whose end lies after their beginning count; others are still being typed.
WorkMonth workMonthOf(const WorkingTimeRecord& r, int year, int month);

// The leave and the leave pay from the months recorded up to `lastMonth`: rows 1 to 15 of the printout
// "Auskunft über den bisher erworbenen Urlaubsanspruch".
struct LeaveStatement {
    std::vector<WorkMonth> months;  // 1 to lastMonth
    int firstFull = 0;              // row 2: first month with work; 0 when none
    int lastFull = 0;               // row 3
    int fullMonths = 0;             // row 4
    int daysWorked = 0;             // row 5
    int64_t shareMilliPercent = 0;  // row 6, days worked / 312
    LeaveMilli fullLeave = 0;       // the annual leave the share applies to
    LeaveMilli earned = 0;          // row 7
    int64_t rounded = 0;            // row 8, § 5 (2) BUrlG
    int recentDays = 0;             // row 9: the last three months up to lastMonth
    int recentMinutes = 0;          // row 10
    Money recentPay;                // row 11
    std::optional<Money> hourlyPay; // row 13 = row 14; nullopt without hours
    std::optional<Money> leavePay;  // row 15: row 8 days × row 11 / row 9
};
LeaveStatement leaveStatementOf(const std::vector<WorkingTimeRecord>& records, int year, int lastMonth);

// The recorder's table of the current case for a month of the current year, and its storage.
WorkingTimeRecord LoadWorkingTime(const Session& g, int month);
void StoreWorkingTime(Session& g, int month, const WorkingTimeRecord& r);
// The twelve months of the current case and year.
std::vector<WorkingTimeRecord> LoadWorkingTimeYear(const Session& g);

} // namespace varemo
