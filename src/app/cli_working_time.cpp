// working-time: the working-time recorder of one case-month: its blocks per day, the hourly rate and the
// leave, stored in "Arbeitszeit.0yy" when changed; shows the month's sums and the leave earned so far.

#include "app/cli_calculator_input.h"
#include "app/json_writer.h"
#include "calculators/working_time.h"

#include <iostream>

namespace varemo::cli {
namespace {

LeaveMilli daysOption(const std::string& text, const std::string& option) {
    try {
        return mulDiv(Money::parse(text).units(), 1000, Money::kUnitsPerEuro, Rounding::HalfUp);
    } catch (const std::invalid_argument&) {
        throw UsageError(option + " takes a number of days, not \"" + text + "\"");
    }
}

int clockOption(const std::string& text) {
    if (auto minutes = parseClockTime(text)) return *minutes;
    throw UsageError("--day takes times as HH:MM (hours 0 to 23, minutes 0 to 59), not \"" + text + "\"");
}

// "N=08:00-12:00,13:00-16:30": the blocks of day N, up to four; "N=" empties the day.
void dayOption(WorkingTimeRecord& r, const std::string& text, int days) {
    const size_t eq = text.find('=');
    const int day = eq == std::string::npos ? 0 : parseInt(text.substr(0, eq), "--day");
    if (day < 1 || day > days)
        throw UsageError("--day takes DAY=FROM-TO[,FROM-TO...] with a day of the month");
    auto& blocks = r.blocks[static_cast<size_t>(day - 1)];
    blocks = {};
    std::string rest = text.substr(eq + 1);
    for (size_t b = 0; !rest.empty(); ++b) {
        if (b == blocks.size()) throw UsageError("--day takes up to four blocks a day");
        const size_t comma = rest.find(',');
        const std::string block = rest.substr(0, comma);
        rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
        const size_t dash = block.find('-');
        if (dash == std::string::npos) throw UsageError("--day takes blocks as FROM-TO");
        const int from = clockOption(block.substr(0, dash));
        const int to = clockOption(block.substr(dash + 1));
        if (to < from) throw UsageError("--day: the block " + block + " ends before it begins");
        blocks[b] = {static_cast<int16_t>(from), static_cast<int16_t>(to)};
    }
}

} // namespace

int runWorkingTime(CliContext& ctx) {
    const std::vector<std::string> args = expandInputFiles(ctx.args);
    CalculatorCase cc;
    std::vector<std::string> days;
    std::optional<Money> rate;
    std::optional<LeaveMilli> fullLeave, taken;
    bool clear = false;
    ArgReader r(args);
    while (r.next()) {
        if (cc.sel.take(r)) continue;
        const std::string a = r.current();
        if (a == "--day") {
            days.push_back(r.value());
        } else if (a == "--rate") {
            try {
                rate = Money::parse(r.value());
            } catch (const std::invalid_argument&) {
                throw UsageError("--rate takes an amount");
            }
        } else if (a == "--full-leave") {
            fullLeave = daysOption(r.value(), a);
        } else if (a == "--taken") {
            taken = daysOption(r.value(), a);
        } else if (a == "--clear") {
            clear = true;
        } else {
            r.unknown();
        }
    }
    if (!cc.given()) throw UsageError("working-time needs --year, --set, --case and --month");
    cc.validate();
    Session g(*ctx.prompter);
    if (int opened = openCalculatorCase(g, ctx, cc); opened != 0) return opened;
    const int month = g.month();
    WorkingTimeRecord record = clear ? WorkingTimeRecord{} : LoadWorkingTime(g, month);
    for (const std::string& d : days)
        dayOption(record, d, daysInMonth(month, g.year));
    if (rate) record.hourlyRateCents = rate->toCents();
    if (fullLeave) record.fullLeaveMilli = static_cast<int32_t>(*fullLeave);
    if (taken) record.leaveTakenMilli = static_cast<int32_t>(*taken);
    if (!(record == LoadWorkingTime(g, month))) StoreWorkingTime(g, month, record);

    std::vector<WorkingTimeRecord> year = LoadWorkingTimeYear(g);
    const LeaveStatement st = leaveStatementOf(year, g.year, month);
    const WorkMonth& m = st.months.back();
    if (cc.sel.json) {
        std::cout << "{\"month\":" << month << ",\"daysWorked\":" << m.daysWorked
                  << ",\"minutes\":" << m.minutes << ",\"payCents\":" << jsonCents(m.pay) << ",\"days\":[";
        bool first = true;
        for (const WorkDay& d : m.days) {
            if (d.minutes == 0) continue;
            std::cout << (first ? "" : ",") << "{\"day\":" << d.day << ",\"minutes\":" << d.minutes
                      << ",\"payCents\":" << jsonCents(d.pay) << "}";
            first = false;
        }
        std::cout << "],\"yearDaysWorked\":" << st.daysWorked
                  << ",\"earnedLeave\":" << jsonString(leaveText(st.earned))
                  << ",\"roundedLeave\":" << st.rounded << "," << messagesJson(ctx.prompter->messages())
                  << "}\n";
        return 0;
    }
    for (const WorkDay& d : m.days)
        if (d.minutes > 0)
            std::cout << d.day << ". " << d.weekday << "  " << clockText(d.minutes) << " Std.  "
                      << d.pay.toDisplay() << " €\n";
    std::cout << "S U M M E  " << m.daysWorked << " Tg  " << clockText(m.minutes) << " Std.  "
              << m.pay.toDisplay() << " €\n"
              << "Erworbener Urlaub bis " << month << "/" << g.year << ": " << leaveText(st.earned)
              << " Url.Tage\n";
    return 0;
}

} // namespace varemo::cli
