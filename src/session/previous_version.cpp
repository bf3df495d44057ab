#include "session/previous_version.h"

#include "base/error.h"
#include "persistence/case_files.h"
#include "persistence/file_ops.h"
#include "persistence/month_record.h"
#include "persistence/settings_file.h"
#include "persistence/user_files.h"
#include "persistence/year_record.h"
#include "session/backups.h"
#include "session/guarded.h"
#include "session/startup.h"

#include <algorithm>

namespace varemo {
namespace fs = std::filesystem;

namespace {

const char* const kTitle = "Übernahme der Personalfälle aus der Version 2019";

std::vector<std::string> yearFileNames(int year) {
    std::vector<std::string> names;
    for (DataSet s : kAllDataSets)
        for (int m = 1; m <= 13; ++m)
            names.push_back(caseFileName(year, s, m));
    for (const std::string& side : yearSideFileNames(year))
        names.push_back(side);
    return names;
}

std::string summary(const std::vector<TakeOverYear>& years) {
    std::string text;
    for (const TakeOverYear& y : years)
        text += (text.empty() ? "" : ", ") + std::to_string(y.year) + ": " + std::to_string(y.cases) +
                (y.cases == 1 ? " Personalfall" : " Personalfälle");
    return text;
}

} // namespace

fs::path previousUserFolder(const Session& g, const fs::path& previousProgramDir) {
    return findFileIgnoringCase(previousProgramDir, UserFolderName(g.user));
}

std::vector<TakeOverYear> casesInFolder(const fs::path& userFolder) {
    std::vector<TakeOverYear> years;
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        int64_t highest = 0;
        for (DataSet s : kAllDataSets)
            for (int m = 1; m <= 13; ++m)
                highest = std::max(
                    highest, lastFilledRecord(findFileIgnoringCase(userFolder, caseFileName(year, s, m)),
                                              m == 13 ? kYearRecordLength : kMonthRecordLength));
        if (highest > 0) years.push_back({year, static_cast<int>(std::min<int64_t>(highest, 99999))});
    }
    return years;
}

StorageResult TakeOverPreviousCases(Session& g, const fs::path& previousProgramDir) {
    const fs::path source = previousUserFolder(g, previousProgramDir);
    std::error_code ec;
    const std::vector<TakeOverYear> years =
        fs::is_directory(source, ec) ? casesInFolder(source) : std::vector<TakeOverYear>{};
    if (years.empty()) {
        g.prompter.tell(kTitle, {"Im Verzeichnis " + source.string() + " gibt es keine Personalfälle.",
                                 "Es wurde nichts verändert."});
        return StorageResult::Refused;
    }
    // Cases of the same years in the current user's folder are replaced: asked first.
    std::vector<TakeOverYear> replaced;
    for (const TakeOverYear& y : casesInFolder(g.userFolder))
        if (std::any_of(years.begin(), years.end(), [&y](const TakeOverYear& t) { return t.year == y.year; }))
            replaced.push_back(y);
    if (!replaced.empty()) {
        const PromptAnswer answer = g.prompter.ask(PromptMessage{
            PromptIcon::Question,
            kTitle,
            {"Im Verzeichnis " + g.userFolder.string() + " gibt es bereits Personalfälle (" +
                 summary(replaced) + ").",
             "Sie werden durch die Personalfälle der Version 2019 ersetzt (" + summary(years) + ").",
             "Wollen Sie fortfahren?"},
            PromptButtons::YesNo,
            /*refusalIsDefault=*/true});
        if (answer != PromptAnswer::Yes) return StorageResult::Cancelled;
    }

    struct Item {
        fs::path from;
        fs::path to;
        bool present; // in the previous version's folder; otherwise the file is removed here
    };
    std::vector<Item> items;
    std::vector<fs::path> targets;
    auto add = [&](const std::string& name) {
        const fs::path from = findFileIgnoringCase(source, name);
        fs::path to = findFileIgnoringCase(g.userFolder, name);
        std::error_code e;
        const bool present = fs::is_regular_file(from, e);
        if (present && !fs::exists(to, e)) to = g.userFolder / from.filename();
        items.push_back({from, to, present});
        targets.push_back(to);
    };
    for (const TakeOverYear& y : years)
        for (const std::string& name : yearFileNames(y.year))
            add(name);
    std::vector<std::string> caseSideFiles;
    addCaseSideFiles(caseSideFiles, {source});
    for (const std::string& name : caseSideFiles)
        add(name);

    const StorageResult r = runGuarded(g, "Die Übernahme der Personalfälle", targets, [&] {
        for (const Item& item : items)
            mirrorFile(item.from, item.to, item.present);
        if (!StartUp(g))
            throw StorageError("Mit den übernommenen Personalfällen konnte das Programm nicht starten.");
    });
    if (r == StorageResult::Done)
        g.prompter.tell(kTitle, {"Aus " + source.string() + " wurden übernommen: " + summary(years) + "."});
    return r;
}

} // namespace varemo
