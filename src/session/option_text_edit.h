#pragma once
// Editing the year's option-text file (model/option_texts.h): the file the engine reads for the user and
// year (below the data root), its records as texts, the check of a new text and the saving of changed
// records. The shipped file of the program folder holds the defaults.
//
// Saving writes the whole file under a temporary name and renames it over the old one, so that the
// engine never reads a half-written file; records not changed keep their bytes. While the protection
// switch is on, saving first asks whether to lift it (users.h).

#include "session/session.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace varemo {

// The option-text file of the year that the engine reads for the session's user.
std::filesystem::path editedOptionTextPath(const Session& g, int year);
// The program folder's file of the year, as shipped.
std::filesystem::path shippedOptionTextPath(const Session& g, int year);

// Every record of the file, record n at index n - 1: UTF-8, without trailing blanks, exactly what the
// record holds (a shipped text cut to 35 characters stays cut). Empty for a missing file. Throws
// StorageError when the file cannot be read.
std::vector<std::string> readOptionTextRecords(const std::filesystem::path& file);
// The records the editor starts from: the edited file, or the shipped one while the user has none.
std::vector<std::string> currentOptionTextRecords(const Session& g, int year);

// The message for a record number outside the file of the year, which has `records` records.
std::string missingOptionTextRecord(int year, int record, int records);
// Nothing when the text may go into a record; otherwise the German message why not.
std::optional<std::string> optionTextRefusal(int record, const std::string& utf8);

// "Änderungen speichern": writes the changed records (record -> text) into the year's file together, or
// nothing. A refused text, the protection kept (the question answered "Nein" or a wrong
// administratorPassword) or a failed write leave the file as it was, and a message says so. When the year
// is open, its option texts are read again and the sheet is built anew, so that its lines and lists show
// the new texts at once.
StorageResult SaveOptionTexts(Session& g, int year, const std::map<int, std::string>& changes,
                              const std::string& administratorPassword);

} // namespace varemo
