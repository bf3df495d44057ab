#pragma once
// Backups of the user data: the folders "Backup1" (newest) to "Backup3" in the user folder, each holding
// the user files as they were at the end of one program run.
//
// BackupUserData: the first run only creates the three folders, each with an empty "varemo20.dim". Every
// later run builds the new backup in a folder of its own first; only when it is complete are the folders
// rotated (Backup3 removed, Backup2 -> Backup3, Backup1 -> Backup2, the new one -> Backup1). A run that
// fails therefore leaves the three backups as they were.
//
// RestoreUserData(k): after a question naming the backup and its date, every file of the backup list is
// brought back to its state in Backup k: copied back when the backup holds it, removed from the user
// folder when it does not (it did not exist then). An empty backup (only the empty "varemo20.dim" of the
// first run) cannot be restored. Either every file is restored or none.

#include "session/session.h"

#include <array>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace varemo {

// The names of the files a backup holds: for each year 2017 to 2021 the case files of the three data sets
// (months 1 to 13) and the side files, then the per-user files.
std::vector<std::string> backupFileNames();

// Adds the calculators' files of single cases ("bda.007", "jda.007") found in the folders to names.
void addCaseSideFiles(std::vector<std::string>& names, std::initializer_list<std::filesystem::path> folders);

// Brings a file of the user folder to the state of its source: a copy when the source holds it (present),
// removed otherwise. Throws StorageError naming the file that could not be removed.
void mirrorFile(const std::filesystem::path& source, const std::filesystem::path& target, bool present);

StorageResult BackupUserData(Session& g);

struct BackupInfo {
    int number = 0;      // 1 to 3
    bool exists = false; // the folder exists
    bool filled = false; // it holds a non-empty "varemo20.dim": the state of a program run
    std::string date;    // "TT.MM.JJJJ hh:mm:ss" of its "varemo20.dim", empty when not filled
};
std::array<BackupInfo, 3> ListBackups(const Session& g);

StorageResult RestoreUserData(Session& g, int backup);

// Moving and sorting cases are allowed once three program runs have been saved ("Backup3/varemo20.dim"
// exists and is not empty). Otherwise the message says so and asks whether to switch the backups on;
// OK switches them on (window record). Returns whether moving and sorting may go on now.
bool MoveSortAllowed(Session& g);

// The switch of the backup panel: stored in the window record, then the message says what it means
// ("Jetzt werden nach jedem Beenden ..." or "Nach dem Deaktivieren ..."). A record that cannot be
// written keeps the switch as it was.
StorageResult SetBackupsOn(Session& g, bool on);

// Ending the program through "Start/Beenden": writes the window record and, when backups are switched on,
// saves the user data.
StorageResult EndSession(Session& g);

} // namespace varemo
