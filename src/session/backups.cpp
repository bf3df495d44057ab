#include "session/backups.h"

#include "base/error.h"
#include "persistence/user_files.h"
#include "persistence/window_record.h"
#include "session/guarded.h"
#include "session/startup.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>

namespace varemo {
namespace fs = std::filesystem;

namespace {

fs::path backupFolder(const Session& g, int k) {
    return g.userFolder / ("Backup" + std::to_string(k));
}

void reportFailure(Session& g, const std::string& what, const std::exception& e, const std::string& state) {
    std::vector<std::string> lines = {what + " konnte nicht ausgeführt werden.",
                                      "Ursache: " + failureCause(e)};
    if (!state.empty()) lines.push_back(state);
    g.prompter.ask(PromptMessage{PromptIcon::Critical, "Fehler", lines, PromptButtons::Ok});
}

void createEmptyBackups(const Session& g) {
    for (int k = 1; k <= 3; ++k) {
        fs::path folder = backupFolder(g, k);
        fs::create_directories(folder);
        fs::path dim = folder / kWindowRecordFile;
        std::error_code ec;
        if (!fs::exists(dim, ec)) writeFileAtomically(dim, {});
    }
}

} // namespace

// The calculators' files of single cases ("bda.007", "jda.007") found in the folders: their names
// follow the case numbers, so they are looked for rather than listed.
void addCaseSideFiles(std::vector<std::string>& names, std::initializer_list<fs::path> folders) {
    std::set<std::string> known(names.begin(), names.end());
    for (const fs::path& folder : folders) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.size() != 7 || name[3] != '.') continue;
            std::string prefix = name.substr(0, 3);
            for (char& c : prefix)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            const bool digits = std::all_of(name.begin() + 4, name.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c));
            });
            if ((prefix == "bda" || prefix == "jda") && digits && known.insert(name).second)
                names.push_back(name);
        }
    }
}

std::vector<std::string> backupFileNames(std::initializer_list<fs::path> folders) {
    std::vector<std::string> names;
    for (int year = kFirstYear; year <= kLastYear; ++year)
        for (DataSet s : kAllDataSets)
            for (int m = 1; m <= 13; ++m)
                names.push_back(caseFileName(year, s, m));
    for (int year = kFirstYear; year <= kLastYear; ++year)
        for (const std::string& side : yearSideFileNames(year))
            names.push_back(side);
    for (const char* file : {kModelMonthFile, kModelYearFile, kYearDefaultsFile, kWindowRecordFile,
                             kChurchTaxFile, kSpecialPaymentFile, kAnnualPaymentFile, kPensionDefaultsFile,
                             kPartialRetirementFile, kCivilServantPaymentFile})
        names.push_back(file);
    addCaseSideFiles(names, folders);
    return names;
}

void mirrorFile(const fs::path& source, const fs::path& target, bool present) {
    std::error_code ec;
    if (present) {
        copyFileAtomically(source, target);
    } else if (fs::exists(target, ec)) {
        if (!fs::remove(target, ec) || ec)
            throw StorageError("Die Datei " + target.string() + " konnte nicht gelöscht werden.");
    }
}

StorageResult BackupUserData(Session& g) {
    std::optional<UserFolderWrite> lock;
    try {
        lock.emplace(g);
    } catch (const FolderBusyError&) {
        g.prompter.tell("Fehler",
                        {"Das Sichern der Userdaten konnte nicht ausgeführt werden.",
                         std::string("Ursache: ") + kFolderBusyText, "Es wurde nichts verändert."},
                        PromptIcon::Critical);
        return StorageResult::Failed;
    }
    std::error_code ec;
    if (!fs::is_directory(backupFolder(g, 1), ec)) {
        try {
            createEmptyBackups(g);
            return StorageResult::Done;
        } catch (const std::exception& e) {
            reportFailure(g, "Das Anlegen der Sicherungen", e, "");
            return StorageResult::Failed;
        }
    }
    // The new backup is complete before the old ones move.
    const fs::path fresh = g.userFolder / ".Backup1.neu";
    try {
        fs::remove_all(fresh);
        fs::create_directories(fresh);
        for (const std::string& name : backupFileNames({g.userFolder})) {
            fs::path source = findFileIgnoringCase(g.userFolder, name);
            if (!fs::is_regular_file(source, ec)) continue;
            if (!fs::copy_file(source, fresh / source.filename(), fs::copy_options::overwrite_existing, ec) ||
                ec)
                throw StorageError("Die Datei " + source.string() + " konnte nicht kopiert werden (" +
                                   ec.message() + ").");
        }
    } catch (const std::exception& e) {
        fs::remove_all(fresh, ec);
        reportFailure(g, "Das Sichern der Userdaten", e, "Die bisherigen Sicherungen sind unverändert.");
        return StorageResult::Failed;
    }
    try {
        fs::remove_all(backupFolder(g, 3));
        if (fs::exists(backupFolder(g, 2))) fs::rename(backupFolder(g, 2), backupFolder(g, 3));
        if (fs::exists(backupFolder(g, 1))) fs::rename(backupFolder(g, 1), backupFolder(g, 2));
        fs::rename(fresh, backupFolder(g, 1));
    } catch (const std::exception& e) {
        reportFailure(g, "Das Sichern der Userdaten", e,
                      "Die neue Sicherung liegt in " + fresh.string() + ".");
        return StorageResult::Failed;
    }
    return StorageResult::Done;
}

std::array<BackupInfo, 3> ListBackups(const Session& g) {
    std::array<BackupInfo, 3> out;
    for (int k = 1; k <= 3; ++k) {
        BackupInfo& info = out[static_cast<size_t>(k - 1)];
        info.number = k;
        std::error_code ec;
        info.exists = fs::is_directory(backupFolder(g, k), ec);
        fs::path dim = findFileIgnoringCase(backupFolder(g, k), kWindowRecordFile);
        info.filled = info.exists && !isMissingOrEmpty(dim);
        if (info.filled) info.date = fileDateTimeText(dim);
    }
    return out;
}

StorageResult RestoreUserData(Session& g, int backup) {
    if (backup < 1 || backup > 3) {
        g.prompter.tell("Sorry", {"Es gibt nur die Sicherungen 1 bis 3."});
        return StorageResult::Refused;
    }
    const BackupInfo info = ListBackups(g)[static_cast<size_t>(backup - 1)];
    if (!info.filled) {
        g.prompter.tell("Sorry", {"Die Sicherung " + std::to_string(backup) + " enthält noch keine Daten.",
                                  "Es wurde nichts verändert."});
        return StorageResult::Refused;
    }
    // Every entry of the backup must be a file that can be read: a restore that found a folder or an
    // unreadable file in its place would delete or keep the live file instead of restoring it.
    for (const std::string& name : backupFileNames({g.userFolder, backupFolder(g, backup)})) {
        const fs::path source = findFileIgnoringCase(backupFolder(g, backup), name);
        std::error_code ec;
        if (!fs::exists(source, ec) && !ec) continue; // not there when the backup was made
        if (ec || !fs::is_regular_file(source, ec) || !std::ifstream(source, std::ios::binary)) {
            g.prompter.tell(
                "Sicherung beschädigt",
                {"Die Sicherung " + std::to_string(backup) + " kann nicht zurückgeschrieben werden:",
                 source.string() + " ist keine lesbare Datei.", "Es wurde nichts verändert."},
                PromptIcon::Critical);
            return StorageResult::Failed;
        }
    }
    PromptAnswer answer = g.prompter.ask(
        PromptMessage{PromptIcon::Question,
                      "Userdaten zurücksetzen",
                      {"Die Userdaten werden auf den Stand der Sicherung " + std::to_string(backup) +
                           " vom " + info.date + " zurückgesetzt.",
                       "Alle seitdem vorgenommenen Änderungen gehen verloren.", "Wollen Sie fortfahren?"},
                      PromptButtons::YesNo,
                      /*refusalIsDefault=*/true});
    if (answer != PromptAnswer::Yes) return StorageResult::Cancelled;

    struct Item {
        fs::path source;
        fs::path target;
        bool inBackup;
    };
    std::vector<Item> items;
    std::vector<fs::path> targets;
    const fs::path folder = backupFolder(g, backup);
    for (const std::string& name : backupFileNames({g.userFolder, folder})) {
        fs::path source = findFileIgnoringCase(folder, name);
        fs::path target = findFileIgnoringCase(g.userFolder, name);
        std::error_code ec;
        bool inBackup = fs::is_regular_file(source, ec);
        if (inBackup && !fs::exists(target, ec)) target = g.userFolder / source.filename();
        items.push_back({source, target, inBackup});
        targets.push_back(target);
    }
    return runGuarded(g, "Das Zurücksetzen der Userdaten", targets, [&] {
        for (const Item& item : items)
            mirrorFile(item.source, item.target, item.inBackup);
        if (!StartUp(g))
            throw StorageError("Mit den zurückgesetzten Userdaten konnte das Programm nicht starten.");
    });
}

bool MoveSortAllowed(Session& g) {
    if (!isMissingOrEmpty(findFileIgnoringCase(backupFolder(g, 3), kWindowRecordFile))) return true;
    PromptAnswer answer = g.prompter.ask(PromptMessage{
        PromptIcon::Information,
        "Verschieben und Sortieren",
        {"Das Verschieben und Sortieren von Personalfällen ist gefahrlos erst möglich,",
         "wenn bereits   d r e i   Sitzungen gesichert worden sind.", "Dies ist noch nicht der Fall.",
         "Wollen Sie das Sichern der Sitzungen jetzt aktivieren ?"},
        PromptButtons::OkCancel});
    if (answer == PromptAnswer::Ok) {
        g.storage.window.setBackupsOn(true);
        try {
            SaveWindowRecord(g);
        } catch (const std::exception& e) {
            reportFailure(g, "Das Einschalten der Sicherungen", e, "");
        }
    }
    return false;
}

StorageResult SetBackupsOn(Session& g, bool on) {
    const bool before = g.storage.window.backupsOn();
    g.storage.window.setBackupsOn(on);
    try {
        SaveWindowRecord(g);
    } catch (const std::exception& e) {
        g.storage.window.setBackupsOn(before);
        reportFailure(g, on ? "Das Einschalten der Sicherungen" : "Das Ausschalten der Sicherungen", e, "");
        return StorageResult::Failed;
    }
    if (on)
        g.prompter.tell("Sicherungskopien",
                        {"Jetzt werden nach jedem Beenden über \"Start/Beenden\" Kopien angelegt."});
    else
        g.prompter.tell("Sicherungskopien", {"Nach dem Deaktivieren werden keine weiteren Kopien angelegt. "
                                             "Die bisherigen Kopien bleiben aber verfügbar."});
    return StorageResult::Done;
}

StorageResult EndSession(Session& g) {
    try {
        SaveWindowRecord(g);
    } catch (const std::exception& e) {
        reportFailure(g, "Das Speichern der Fenstereinstellungen", e, "");
        return StorageResult::Failed;
    }
    if (!g.storage.window.backupsOn()) return StorageResult::Done;
    return BackupUserData(g);
}

} // namespace varemo
