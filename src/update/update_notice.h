#pragma once
// The update notice of the update server, the installed dates it is compared with, and the content of
// the update panel (without Qt; the window draws it, the command line prints it).
//
// Update notice "/2020/Update.txt" below the server's base address: one record of 80 characters
// (8-bit text), eight fields of 10 characters:
//   offset  0  date of the newest main program, "TT.MM.JJJJ"
//   offset 10  its size in kB (a number)
//   offset 20  date of the newest tariff files of 2019     offset 30  their size in kB
//   offset 40  date of the newest tariff files of 2020     offset 50  their size in kB
//   offset 60  date of the newest tariff files of 2021     offset 70  their size in kB
// A shorter notice reads as padded with blanks; a field that holds no valid date offers nothing.

#include "tariffs/tariff_file.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace varemo {

inline constexpr size_t kUpdateNoticeLength = 80;
inline constexpr size_t kUpdateNoticeField = 10;

// The rows of the panel: the main program, then the December tariff files of these years.
inline constexpr int kUpdateRows = 4;
inline constexpr std::array<int, 3> kUpdateTariffYears{2019, 2020, 2021};

// Panel contents (the code the panel window switches on).
inline constexpr int kAutomaticCheckPanel = 1235;
inline constexpr int kInternetUpdatePanel = 1237;
inline constexpr int kServerUpdatePanel = 1238;

using Day = std::chrono::year_month_day;

struct OfferedFile {
    std::optional<Day> date; // nothing when the field holds no valid date
    std::string dateText;    // the field as sent, trimmed
    std::string sizeKb;      // the size as a plain number ("0" when the field holds none)
};

struct UpdateNotice {
    std::array<OfferedFile, kUpdateRows> rows; // main program, tariffs 2019, 2020, 2021
};

UpdateNotice parseUpdateNotice(const std::vector<uint8_t>& bytes);

// "TT.MM.JJJJ"; a valid calendar day or nothing.
std::optional<Day> parseDayText(const std::string& text);
std::string dayText(const Day& day);

// The installed dates: the main program's file date (nothing when the file is missing) and the dates
// of the December tariff files (a missing file counts as 1 January of its year; a file changed in the
// tariff editor counts with the date it had as delivered, from the record of hand-edited months).
struct InstalledDates {
    std::array<std::optional<Day>, kUpdateRows> rows;
};
InstalledDates installedDates(const std::filesystem::path& mainProgram, const std::filesystem::path& dataRoot,
                              const FileDateReader& reader = fileModificationDay);

// An update is available when an offered date of any row is later than the installed one.
bool updateAvailable(const UpdateNotice& notice, const InstalledDates& installed);

struct UpdatePanelRow {
    std::string label;     // "Hauptmodul", "Tarifdatei 2019", ...
    int tariffYear = 0;    // the year of a tariff row (its button downloads it), 0 for the main program
    std::string installed; // "Ihre Version ist vom"
    std::string offered;   // "Das letzte Update ist vom"
    std::string sizeKb;    // "Größe in kB"
};

struct UpdatePanel {
    int content = kInternetUpdatePanel;
    std::string switchLine; // whether the check after start is on
    std::vector<UpdatePanelRow> rows;
    std::string message;
    bool updateAvailable = false;
    // Office server panel only: the folder shown in the text field and the result code.
    std::string serverFolder;
    int serverResult = 0;
};

// Captions and hints of the panel, the same for every content.
namespace update_texts {
inline constexpr const char* kInstalledColumn = "Ihre Version ist vom";
inline constexpr const char* kOfferedColumn = "Das letzte Update ist vom";
inline constexpr const char* kSizeColumn = "Größe in kB";
inline constexpr std::array<const char*, 3> kHints{
    "Upzudaten ist, wenn das letzte Update jünger als Ihre Version ist.",
    "Mit \"Updaten\" erhalten Sie immer das aktuellste Update.",
    "Mit \"Was ist neu?\" können Sie nachschauen, ob es Zwischen-Updates gibt."};
inline constexpr std::array<const char*, 4> kButtons{"Updaten", "Was ist neu?", "Hilfe", "Schließen"};
inline constexpr const char* kUpdateExplanation =
    "Wenn Sie UPDATEN anklicken, wird das Programm beendet. Anschließend gelangen Sie auf eine "
    "Internetseite, auf der die Unterschiede zwischen der neuesten Version und Ihrer Version aufgelistet "
    "sind. Wenn Sie dann updaten möchten, klicken Sie dort auf den blauen Download-Link.";
inline constexpr const char* kNewsExplanation =
    "Auch wenn noch kein Updatealarm ausgelöst wurde, kann es schon neuere Versionen mit kleineren "
    "Korrekturen geben. Schauen Sie einfach mal nach.";
inline constexpr const char* kInternetUpdate = "Ein Update steht im Internet bereit:";
inline constexpr const char* kServerUpdate = "Ein Update steht auf dem Server Ihrer Dienststelle bereit:";
inline constexpr const char* kNoUpdate = "Sie benutzen bereits die neuestes Updates.";
inline constexpr const char* kServerPlaceholder = "Vollständiger Pfad zum Update auf dem Server";
} // namespace update_texts

// "Die Suche nach einem neuen Update bei jedem Programmstart ist aktiviert" (or "nicht aktiviert").
std::string updateSwitchLine(bool automaticCheckOn);

// The internet update panel (1237, or 1235 for the automatic check). The message names an update when
// any offered date differs from the installed one.
UpdatePanel internetUpdatePanel(const UpdateNotice& notice, const InstalledDates& installed,
                                bool automaticCheckOn, int content = kInternetUpdatePanel);

// The office server variant: "V2020Update.txt" in the program folder, records of 80 characters;
// record 1 the full path of the update folder on the office server, record 2 the result code of the
// last check as a decimal number.
inline constexpr const char* kServerUpdateFile = "V2020Update.txt";
inline constexpr size_t kServerUpdateRecordLength = 80;
inline constexpr const char* kServerInstaller = "v2020up.exe";

// Checks the office server folder named in the program folder's "V2020Update.txt" and writes the result
// code into its record 2: 100 when the installer's date differs from the main program's, plus 10 and 1
// when the date of "Tarife2020.exe" or "Tarife2021.exe" differs from the installed tariffs of 2020 or
// 2021. A missing file on the server counts as date "0", so as different. Throws StorageError when the
// file cannot be written.
UpdatePanel checkServerUpdates(const std::filesystem::path& programDir, const std::filesystem::path& dataRoot,
                               const std::filesystem::path& mainProgram, bool automaticCheckOn,
                               const FileDateReader& reader = fileModificationDay);

} // namespace varemo
