// varemo20-cli settings: the user's settings of a year that change pay (persistence/year_settings.h).
//
//   settings list --year Y [--month M] [--json]        every setting: name, meaning, value, file
//   settings get NAME --year Y [--month M] [--json]
//   settings set NAME VALUE --year Y [--month M]       values kept per month: from M to December
//
// The employer texts of the printouts (arbeitgeber.*, "varemo20.dim") are the user's, not the year's;
// they are listed, read and changed the same way.
//
// A value the setting does not allow is refused with its German message, exit status 1, and nothing
// is written. Stored cases keep their figures until they are calculated again (sheet, set, recalc-all).

#include "app/cli_common.h"
#include "app/cli_storage.h"
#include "app/json_writer.h"
#include "presentation/employer_data_panel.h"
#include "presentation/settings_catalogue.h"
#include "session/year_settings_ops.h"

#include <cctype>
#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

struct SettingsArgs {
    std::string action;
    std::vector<std::string> words; // NAME, VALUE
    int year = 0;
    int month = 1;
    bool json = false;
};

SettingsArgs readArgs(const CliContext& ctx) {
    SettingsArgs a;
    ArgReader r(ctx.args);
    while (r.next()) {
        const std::string& arg = r.current();
        if (arg == "--year")
            a.year = r.intValue();
        else if (arg == "--month")
            a.month = r.intValue();
        else if (arg == "--json")
            a.json = true;
        else if (arg.size() > 1 && arg[0] == '-' && !std::isdigit(static_cast<unsigned char>(arg[1])))
            r.unknown();
        else if (a.action.empty())
            a.action = arg;
        else
            a.words.push_back(arg);
    }
    if (a.year < kFirstYear || a.year > kLastYear)
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    if (a.month < 1 || a.month > 12) throw UsageError("--month must be 1 to 12");
    const size_t words = a.action == "set" ? 2 : a.action == "get" ? 1 : 0;
    if ((a.action != "list" && a.action != "get" && a.action != "set") || a.words.size() != words)
        throw UsageError("settings list | get NAME | set NAME VALUE, each with --year Y");
    return a;
}

struct Row {
    std::string name, meaning, value, file;
};

void print(int year, int month, const std::vector<Row>& rows, bool json) {
    std::ostringstream out;
    if (json) out << "{\"year\":" << year << ",\"month\":" << month << ",\"settings\":[";
    bool first = true;
    for (const Row& row : rows) {
        if (json)
            out << (first ? "" : ",") << "{\"name\":" << jsonString(row.name)
                << ",\"meaning\":" << jsonString(row.meaning) << ",\"value\":" << jsonString(row.value)
                << ",\"file\":" << jsonString(row.file) << "}";
        else
            out << row.name << " = " << row.value << "   (" << row.meaning << "; " << row.file << ")\n";
        first = false;
    }
    if (json) out << "]}\n";
    std::cout << out.str();
}

Row employerRow(const EmployerDataPanel& panel, const EmployerDataPanel::Field& f) {
    return {f.name, f.caption, panel.value(f.text), kWindowRecordFile};
}

void refuse(const CliContext& ctx, const std::string& why) {
    ctx.prompter->tell("Einstellungen", {why, "Es wurde nichts geändert."}, PromptIcon::Warning);
}

} // namespace

int runSettings(CliContext& ctx) {
    const SettingsArgs a = readArgs(ctx);
    const SettingInfo* info = nullptr;
    const EmployerDataPanel::Field* employer = nullptr;
    if (a.action != "list") {
        info = findSetting(a.words[0]);
        employer = EmployerDataPanel::find(a.words[0]);
        if (!info && !employer) {
            ctx.prompter->tell("Einstellungen",
                               {"Eine Einstellung \"" + a.words[0] + "\" gibt es nicht.",
                                "Die Namen zeigt \"settings list\"."},
                               PromptIcon::Warning);
            return 1;
        }
    }
    Session g(*ctx.prompter);
    if (!startSession(g, ctx)) return 3;
    if (employer) {
        // Saved with the selection the start-up read, so that the year shown last stays as it was.
        EmployerDataPanel panel(g);
        if (a.action == "set") {
            if (auto refused = panel.enter(employer->text, a.words[1])) {
                refuse(ctx, *refused);
                return 1;
            }
            panel.save(g);
        }
        print(a.year, a.month, {employerRow(panel, *employer)}, a.json);
        return 0;
    }
    const EmployerDataPanel employerPanel(g);
    g.year = a.year;
    LoadYearSettings(g);
    YearSettings s = currentYearSettings(g);
    if (a.action == "set") {
        if (auto refused = enterSetting(s, info->name, a.words[1], a.month)) {
            refuse(ctx, *refused);
            return 1;
        }
        SaveYearSettings(g, s);
        s = readYearSettings(g.userFolder, a.year); // as stored
    }
    std::vector<Row> rows;
    for (const SettingInfo& i : settingsOfYear(a.year))
        if (!info || info->name == i.name)
            rows.push_back({i.name, i.meaning, settingText(s, i.name, a.month), i.file});
    if (info && rows.empty()) {
        refuse(ctx, "Eine Einstellung \"" + info->name + "\" gibt es im Jahr " + std::to_string(a.year) +
                        " nicht.");
        return 1;
    }
    if (!info)
        for (const EmployerDataPanel::Field& f : EmployerDataPanel::fields())
            rows.push_back(employerRow(employerPanel, f));
    print(a.year, a.month, rows, a.json);
    return 0;
}

} // namespace varemo::cli
