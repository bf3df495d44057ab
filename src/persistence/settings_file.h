#pragma once
// The settings file "varemo20.sr" of the program folder: 120 records of 170 bytes.
//
//   offset  length  field
//        0      35  label
//       35     100  path
//      135      35  value
//
//   records 1 to 100   users: label (user list, window caption), the user's own data root (blank or the
//                      program folder: the program folder), password with every character code raised by 50
//   record 101         value "Schutz ein" / "Schutz aus": protection of tariff tables and texts (user 1)
//   records 102 to 110 further program-wide values; read and written unchanged
//   records 111 to 120 server n = record - 110: label "1" when active, "0" when not; path: the server's
//                      program folder (default "Bitte Programmverzeichnis auf dem " + n + ". Server
//                      eintragen")
//
// Every change rewrites one record; the other records keep their bytes.

#include "base/record_file.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varemo {

inline constexpr size_t kSettingsRecordLength = 170;
inline constexpr int kSettingsRecords = 120;
inline constexpr int kUsers = 100;
inline constexpr int kProtectionRecord = 101;
inline constexpr int kFirstServerRecord = 111;
inline constexpr int kServers = 10;
inline constexpr const char* kSettingsFileName = "varemo20.sr";
inline constexpr const char* kPreviousSettingsFileName = "varemo19.sr";
// The name of the program folder; a storage location is this folder below the chosen one.
inline constexpr const char* kProgramFolderName = "Varemo2020";
inline constexpr const char* kPreviousProgramFolderName = "Varemo2019";
inline constexpr const char* kProtectionOn = "Schutz ein";
inline constexpr const char* kProtectionOff = "Schutz aus";

namespace settings_record {
inline constexpr size_t kLabel = 0;
inline constexpr size_t kLabelLength = 35;
inline constexpr size_t kPath = 35;
inline constexpr size_t kPathLength = 100;
inline constexpr size_t kValue = 135;
inline constexpr size_t kValueLength = 35;
} // namespace settings_record

// "User001" to "User100"; empty for numbers outside 1 to 100.
std::string UserFolderName(int user);

std::string defaultServerPath(int server);
// The password every user has until it is changed ("Passwort zurücksetzen" restores it).
std::string defaultPassword();
// The password that opens the user management and lifts the protection.
std::string administratorPassword();

// The value field of a password: each Windows-1252 character code raised by 50, blank-padded to 35 bytes.
// Nothing when a character cannot be stored that way (code above 205) or the password is too long.
std::optional<std::vector<uint8_t>> encodePassword(const std::string& utf8);
// The password of a user record, as UTF-8.
std::string decodePassword(const RecordBuffer& record);
void setPasswordField(RecordBuffer& record, const std::vector<uint8_t>& encoded);

// The 120 records written when the file is missing or empty. programFolderText is the program folder
// as stored in the users' path fields (blank when it does not fit into 100 characters).
std::vector<uint8_t> defaultSettingsFile(const std::string& programFolderText);

std::filesystem::path settingsFilePath(const std::filesystem::path& programDir);
// Record n of the settings file (zeros when the file is missing or short).
RecordBuffer readSettingsRecord(const std::filesystem::path& programDir, int record);
// Rewrites record n of the settings file, keeping every other byte.
void updateSettingsRecord(const std::filesystem::path& programDir, int record,
                          const std::function<void(RecordBuffer&)>& edit);

// Whether a folder (given as stored text, such as "C:\Programme") exists.
using FolderExists = std::function<bool(const std::string&)>;

// The data root stored for a user, corrected for the two names of the Windows program folder:
// a root starting with "C:\Program" is rewritten
//   (a) "C:\Program Files (x86)" -> "C:\Programme" when "C:\Program Files (x86)\Varemo2020" is missing,
//   (b) "C:\Programme (x86)" -> "C:\Programme" when "C:\Programme (x86)\Varemo2020" is missing,
//   (c) "C:\Programme" -> "C:\Program Files (x86)" when "C:\Programme" is missing,
// in this order, each on the result of the one before.
std::string correctProgramFilesRoot(std::string root, const FolderExists& exists);

// The data root for a folder chosen as storage location: the folder + "Varemo2020" + a separator; a folder
// that already ends with "Varemo2020" gives no doubled name.
std::string storageRootFor(const std::string& chosenFolder);

} // namespace varemo
