#pragma once
// Users: selection with the password check, the user management (labels, passwords, protection switch,
// storage location, server program folders), the copying of the settings file to the servers, and the
// takeover of the users of the previous version.
//
// Every change writes one record of the settings file and then copies the file to the active servers.
// Several workstations may share a program folder; there is no locking, the last writer wins.

#include "session/session.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace varemo {

struct UserEntry {
    int number = 0;
    std::string folder; // "User001"
    std::string label;
    std::string path; // the data root as stored (corrected), the program folder when none is set
};
std::vector<UserEntry> listUsers(const std::filesystem::path& programDir);

struct ServerEntry {
    int number = 0; // 1 to 10
    bool active = false;
    std::string path;
};
std::vector<ServerEntry> listServers(const std::filesystem::path& programDir);

// Makes the user current and runs StartUp. User 1 is public; users 2 to 100 need their password.
// Refused with a message for a wrong password or a number outside 1 to 100.
StorageResult SelectUser(Session& g, int user, const std::string& password);

// The user management is opened only with the administrator password.
bool CheckAdministratorPassword(const std::string& password);

StorageResult SetUserLabel(Session& g, int user, const std::string& label);
// Refused when the password cannot be stored (a character above code 205, more than 35 characters).
StorageResult SetUserPassword(Session& g, int user, const std::string& password);
// "Passwort zurücksetzen": the default password.
StorageResult ResetUserPassword(Session& g, int user);
// " S c h u t z  (nur bei User001)": record 101 "Schutz ein" / "Schutz aus".
StorageResult SetProtection(Session& g, bool on);
// While the protection is on, editing tariff tables and text files asks whether to lift it; lifting
// needs the administrator password. True when editing may go on.
bool ConfirmUnprotected(Session& g, const std::string& administratorPasswordTyped);
// The same with the password asked only after "Ja" (the window's password field, a command's option).
bool ConfirmUnprotected(Session& g, const std::function<std::string()>& administratorPassword);

// "Programm-Verzeichnis auf den einzelnen Servern": the folder must be a network path (starting with two
// backslashes); otherwise "Korrektur erforderlich". Stores it in record 110 + server, switches the
// entry on or off and copies the settings file to the servers.
StorageResult SetServerFolder(Session& g, int server, const std::string& folder, bool active);

// Copies the settings file into the program folder of every active server, in order; stops at the first
// active server whose folder holds no settings file (with "Bitte anschließend korrigieren!" unless its
// path still starts with "Bitte"). Each server's file is replaced atomically. False when it stopped.
bool SyncSettingsToServers(Session& g);

// "Speichern unter" (`speicherortfestlegen`): the data root becomes chosenFolder + "Varemo2020"; "Texte"
// and "Tarife" are copied there from the program folder when absent; the path is stored for the current
// user, the settings file copied to the servers and StartUp runs again. An empty choice changes nothing.
StorageResult SetStorageLocation(Session& g, const std::string& chosenFolder);

// The program folder of the previous version: "Varemo2019" beside the program folder.
std::filesystem::path previousProgramFolder(const std::filesystem::path& programDir);

// "Userdaten aus der Version 2019 übernehmen": after the warning "V O R S I C H T  ! ! !", the records of
// users 2 to 100 of "varemo19.sr" replace those of "varemo20.sr" (paths naming "Varemo2019" are rewritten
// to "Varemo2020"), the settings file is copied to the servers and user 1 becomes current.
StorageResult TakeOverPreviousUsers(Session& g, const std::filesystem::path& previousProgramDir);

} // namespace varemo
