// varemo20-cli options --line N --year Y [--set S --case N] [--month M] [--json]: the option list of a
// sheet line with its positions and texts, and the entry chosen ("key" as the case keeps it, "chosen"
// the entry it stands for; they differ on line 42, which keeps a code).
//
// Lists that depend on the case (the steps of line 8, the contribution kinds of line 37 with the fund's
// rate, ...) are those of a new case in the given month (January without --month), unless a stored
// case-month is named with --set and --case; that one is loaded and calculated, as sheet shows it.
// Nothing is written either way.

#include "app/cli_common.h"
#include "app/json_writer.h"
#include "base/record_file.h"
#include "deductions/sheet_options.h"
#include "model/user_file_names.h"
#include "pay/basic_pay.h"
#include "session/recalculate.h"
#include "session/startup.h"
#include "session/year_settings_ops.h"

#include <iomanip>
#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

// A session of the year with a new case in the month: the year's option texts, funds and the user's
// yearly defaults, read only.
int openNewCase(Session& g, const CliContext& ctx, int year, int month) {
    g.programDir = ctx.programDir;
    if (!StartUp(g)) return 3;
    g.year = year;
    g.selectMonth(month);
    if (!g.userFolder.empty())
        g.yearDefaults = readRecordIfExists(findFileIgnoringCase(g.userFolder, kYearDefaultsFile),
                                            kYearDefaultsRecordLength, yearRecordNumber(year));
    g.extras.keyCodeRulesYear = 0;
    LoadYearSettings(g);
    OpenPayTables(g);
    g.workingCase = defaultCase();
    g.workingCase.setKey(KeySlot::Month, static_cast<int16_t>(month - 1));
    Redisplay(g);
    return 0;
}

// The entry chosen; line 42 keeps a code that stands for one of its entries.
std::optional<int> chosenEntry(const SheetLine& line) {
    if (line.number == 42 && line.key) return employeeSharePosition(*line.key);
    return line.key;
}

void printText(const Session& g, const SheetLine& line, bool stored) {
    const std::optional<int> chosen = chosenEntry(line);
    std::ostringstream out;
    out << "Zeile " << line.number << " " << g.year << (stored ? ", Personalfall " : ", neuer Personalfall")
        << (stored ? std::to_string(g.caseNumber) + " " + dataSetName(g.dataSet) : "") << ", Monat "
        << g.month() << ": " << line.text << "\n";
    for (size_t p = 0; p < line.options.size(); ++p)
        out << (chosen == static_cast<int>(p) ? "* " : "  ") << std::setw(3) << p << "  " << line.options[p]
            << "\n";
    std::cout << out.str();
}

void printJson(const Session& g, const SheetLine& line, bool stored) {
    std::ostringstream out;
    out << "{\"year\":" << g.year << ",\"month\":" << g.month() << ",\"line\":" << line.number
        << ",\"case\":" << (stored ? std::to_string(g.caseNumber) : "null")
        << ",\"key\":" << (line.key ? std::to_string(*line.key) : "null")
        << ",\"chosen\":" << (chosenEntry(line) ? std::to_string(*chosenEntry(line)) : "null")
        << ",\"text\":" << jsonString(line.text) << ",\"entries\":[";
    for (size_t p = 0; p < line.options.size(); ++p)
        out << (p ? "," : "") << "{\"position\":" << p << ",\"text\":" << jsonString(line.options[p]) << "}";
    out << "]}\n";
    std::cout << out.str();
}

} // namespace

int runOptions(CliContext& ctx) {
    CaseMonthSelection sel;
    int line = 0;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (sel.take(r)) continue;
        if (r.current() == "--line")
            line = r.intValue();
        else
            r.unknown();
    }
    if (line < 2 || line > kSheetLines) throw UsageError("--line takes 2 to " + std::to_string(kSheetLines));
    const LineInfo& info = lineInfo(line);
    if (!info.key || *info.key == KeySlot::Month)
        throw UsageError("line " + std::to_string(line) + " has no option list");
    const bool stored = sel.set || sel.caseNumber != 0;
    if (sel.month == 0 && !stored) sel.month = 1;
    if (stored) {
        sel.validate();
    } else if (sel.year < kFirstYear || sel.year > kLastYear || sel.month < 1 || sel.month > 12) {
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear) +
                         ", --month 1 to 12");
    }

    Session g(*ctx.prompter);
    const int opened = stored ? openCaseMonth(g, ctx, sel, false) : openNewCase(g, ctx, sel.year, sel.month);
    if (opened == kCaseMissing) return 1;
    if (opened == 3) return 3;
    const SheetLine& shown = g.sheet.line(line);
    if (sel.json)
        printJson(g, shown, stored);
    else
        printText(g, shown, stored);
    return opened == 0 ? 0 : 1;
}

} // namespace varemo::cli
