#include "calculators/working_time.h"

#include "session/guarded.h"

namespace varemo {
namespace {

const char* const kWeekdays[] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                 "Freitag", "Samstag",  "Sonntag"};

// 01.01.0001 was a Monday.
const char* weekdayOf(const CalendarDate& d) {
    return kWeekdays[(dayNumber(d) % 7 + 7) % 7];
}

} // namespace

WorkMonth workMonthOf(const WorkingTimeRecord& r, int year, int month) {
    WorkMonth m;
    m.month = month;
    m.hourlyRate = Money::fromCents(r.hourlyRateCents);
    for (int day = 1; day <= daysInMonth(month, year); ++day) {
        WorkDay d;
        d.day = day;
        d.weekday = weekdayOf({day, month, year});
        // A block counts once its end lies after its beginning; one still being typed does not.
        for (const auto& [from, to] : r.blocks[static_cast<size_t>(day - 1)])
            if (to > from) d.blocks.push_back({from, to});
        d.minutes = minutesWorked(d.blocks);
        d.pay = payForMinutes(d.minutes, m.hourlyRate);
        if (d.minutes > 0) ++m.daysWorked;
        m.minutes += d.minutes;
        m.pay += d.pay;
        m.days.push_back(std::move(d));
    }
    return m;
}

LeaveStatement leaveStatementOf(const std::vector<WorkingTimeRecord>& records, int year, int lastMonth) {
    LeaveStatement s;
    for (int month = 1; month <= lastMonth && month <= static_cast<int>(records.size()); ++month) {
        const WorkingTimeRecord& r = records[static_cast<size_t>(month - 1)];
        s.months.push_back(workMonthOf(r, year, month));
        const WorkMonth& m = s.months.back();
        if (r.fullLeaveMilli != 0) s.fullLeave = r.fullLeaveMilli; // the latest month's entry counts
        if (m.daysWorked == 0) continue;
        if (s.firstFull == 0) s.firstFull = month;
        s.lastFull = month;
        s.daysWorked += m.daysWorked;
    }
    s.fullMonths = s.firstFull == 0 ? 0 : s.lastFull - s.firstFull + 1;
    const EarnedLeave e = leaveEarned(s.daysWorked, s.fullLeave);
    s.shareMilliPercent = e.shareMilliPercent;
    s.earned = e.days;
    s.rounded = roundLeave(s.earned);
    for (const WorkMonth& m : s.months) {
        if (m.month <= lastMonth - 3) continue;
        s.recentDays += m.daysWorked;
        s.recentMinutes += m.minutes;
        s.recentPay += m.pay;
    }
    if (s.recentMinutes > 0)
        s.hourlyPay = Money::fromUnits(mulDiv(s.recentPay.units(), 60, s.recentMinutes, Rounding::HalfUp));
    // Hours per day times the hourly pay is the pay of a day worked: the leave pay needs no rounded
    // intermediate.
    if (s.recentDays > 0)
        s.leavePay = Money::fromCents(mulDiv(s.recentPay.units(), s.rounded,
                                             int64_t{s.recentDays} * Money::kUnitsPerCent, Rounding::HalfUp));
    return s;
}

WorkingTimeRecord LoadWorkingTime(const Session& g, int month) {
    return readWorkingTimeRecord(g.userFolder, g.year, g.caseNumber, month);
}

void StoreWorkingTime(Session& g, int month, const WorkingTimeRecord& r) {
    UserFolderWrite lock(g);
    writeWorkingTimeRecord(g.userFolder, g.year, g.caseNumber, month, r);
}

std::vector<WorkingTimeRecord> LoadWorkingTimeYear(const Session& g) {
    std::vector<WorkingTimeRecord> year;
    for (int month = 1; month <= 12; ++month)
        year.push_back(LoadWorkingTime(g, month));
    return year;
}

} // namespace varemo
