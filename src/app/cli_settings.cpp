// varemo20-cli settings: the user's settings of a year that change pay (persistence/year_settings.h).
//
//   settings list --year Y [--month M] [--json]        every setting: name, meaning, value, file
//   settings get NAME --year Y [--month M] [--json]
//   settings set NAME VALUE --year Y [--month M]       values kept per month: from M to December
//
// A value the setting does not allow is refused with its German message, exit status 1, and nothing
// is written. Stored cases keep their figures until they are calculated again (sheet, set, recalc-all).

#include "app/cli_common.h"
#include "app/cli_storage.h"
#include "app/json_writer.h"
#include "presentation/settings_catalogue.h"
#include "session/year_settings_ops.h"

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
        else if (!arg.empty() && arg[0] == '-' && arg.size() > 1 &&
                 !std::isdigit(static_cast<unsigned char>(arg[1])))
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

void print(const YearSettings& s, const std::vector<const SettingInfo*>& infos, int month, bool json) {
    std::ostringstream out;
    if (json) out << "{\"year\":" << s.year << ",\"month\":" << month << ",\"settings\":[";
    bool first = true;
    for (const SettingInfo* info : infos) {
        const std::string value = settingText(s, info->name, month);
        if (json)
            out << (first ? "" : ",") << "{\"name\":" << jsonString(info->name)
                << ",\"meaning\":" << jsonString(info->meaning) << ",\"value\":" << jsonString(value)
                << ",\"file\":" << jsonString(info->file) << ",\"panel\":" << static_cast<int>(info->panel)
                << "}";
        else
            out << info->name << " = " << value << "   (" << info->meaning << "; " << info->file << ")\n";
        first = false;
    }
    if (json) out << "]}\n";
    std::cout << out.str();
}

} // namespace

int runSettings(CliContext& ctx) {
    const SettingsArgs a = readArgs(ctx);
    const SettingInfo* info = nullptr;
    if (a.action != "list") {
        info = findSetting(a.words[0]);
        if (!info) {
            ctx.prompter->tell("Einstellungen",
                               {"Eine Einstellung \"" + a.words[0] + "\" gibt es nicht.",
                                "Die Namen zeigt \"settings list\"."},
                               PromptIcon::Warning);
            return 1;
        }
    }
    Session g(*ctx.prompter);
    if (!startSession(g, ctx)) return 3;
    g.year = a.year;
    LoadYearSettings(g);
    YearSettings s = currentYearSettings(g);
    if (a.action == "set") {
        if (auto refused = enterSetting(s, info->name, a.words[1], a.month)) {
            ctx.prompter->tell("Einstellungen", {*refused, "Es wurde nichts geändert."}, PromptIcon::Warning);
            return 1;
        }
        SaveYearSettings(g, s);
        s = readYearSettings(g.userFolder, a.year); // as stored
    }
    std::vector<const SettingInfo*> infos;
    if (info)
        infos.push_back(info);
    else
        for (const SettingInfo& i : settingsCatalogue())
            infos.push_back(&i);
    print(s, infos, a.month, a.json);
    return 0;
}

} // namespace varemo::cli
