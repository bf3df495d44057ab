#pragma once
// The update check and the tariff download on the session: the notice is fetched from the update
// server and compared with the installed dates (the panel tells the result), the tariff archive of a
// year is fetched, installed into the data root's folder Tarife and the tariff files are reopened.
//
// Fetching touches nothing of the session, so the window may run it on a worker thread; evaluating and
// installing run on the session's thread afterwards. The blocking forms (CheckForUpdates,
// DownloadTariffs) do both in one call for the command line.

#include "session/session.h"
#include "update/download.h"
#include "update/update_notice.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace varemo {

// Settings of the installation: the file "Updateserver.txt" in the program folder, or else in the
// folder of the installed program, one "Name=Wert" per line:
//   Adresse=https://...      base address of the update server (required for any check)
//   Updateseite=https://...  the page "Updaten" opens
//   Neuigkeiten=https://...  the page "Was ist neu?" opens
// Lines starting with '#' and blank lines are ignored.
inline constexpr const char* kUpdateSettingsFile = "Updateserver.txt";

struct UpdateSettings {
    std::string baseAddress;
    std::string updatePage;
    std::string newsPage;
};

// The settings of the first folder that has the file; empty settings when none has.
UpdateSettings readUpdateSettings(const std::vector<std::filesystem::path>& folders);

// The notice: base + "/2020/Update.txt"; the archive of a year: base + "/2020/Tarife" + year + ".zip".
std::string updateNoticeUrl(const std::string& baseAddress);
std::string tariffArchiveUrl(const std::string& baseAddress, int year);

// The file whose date is the main program's: the window's executable in the installation folder (the
// command line's when the window is not installed).
std::filesystem::path mainProgramPath(const std::filesystem::path& installDir);

// What one program run remembers of its update checks: the automatic check is pending until the first
// tick of the main window's timer, and a failed download keeps it from trying again.
struct UpdateRun {
    bool checkPending = false;
    bool downloadFailed = false;
};

// After the start-up: the automatic check is pending when its switch is on and "noupdate.txt" is
// missing (the start-up has combined both into the session).
UpdateRun updateRunAfterStart(const Session& g);

enum class UpdateCheckKind { Automatic, OnDemand };

// No base address is set: the check cannot run. The message names the file to set it in.
class UpdateSettingsError : public Error {
  public:
    using Error::Error;
};

// Fetches the notice (any thread). Throws DownloadError or UpdateSettingsError.
std::vector<uint8_t> fetchUpdateNotice(Downloader& downloader, const UpdateSettings& settings);

// The failure of a download of the notice, told the user: without "noupdate.txt" the question whether
// to switch the automatic check off (Yes writes an empty "noupdate.txt" into the data root and switches
// it off), with it the request to switch the internet on. The cause comes first.
void reportNoticeFailure(Session& g, UpdateRun& run, const DownloadError& e);

// Evaluates a fetched notice against the installed dates. The panel is returned when the check was on
// demand, or when an update is available.
std::optional<UpdatePanel> evaluateUpdateNotice(Session& g, const std::filesystem::path& mainProgram,
                                                const std::vector<uint8_t>& notice, UpdateCheckKind kind);

// The whole check, blocking: fetch, evaluate; a failed download has been told and gives no panel.
// Throws UpdateSettingsError when no base address is set.
std::optional<UpdatePanel> CheckForUpdates(Session& g, UpdateRun& run, Downloader& downloader,
                                           const UpdateSettings& settings,
                                           const std::filesystem::path& mainProgram, UpdateCheckKind kind);

// The first tick of the main window's timer: runs the automatic check once when it is pending (and no
// download has failed in this run, and a base address is set), and clears the mark.
std::optional<UpdatePanel> runAutomaticUpdateCheck(Session& g, UpdateRun& run, Downloader& downloader,
                                                   const UpdateSettings& settings,
                                                   const std::filesystem::path& mainProgram);

// Fetches the tariff archive of a year (any thread). Throws DownloadError or UpdateSettingsError.
std::vector<uint8_t> fetchTariffArchive(Downloader& downloader, const UpdateSettings& settings, int year,
                                        const DownloadProgress& progress = {});

// Installs a fetched archive into the data root's folder Tarife (tariff_archive.h) and reopens the
// tariff files of the current year, whether or not the archive was taken. Returns the installed file
// names; throws ArchiveError (nothing changed).
std::vector<std::string> installTariffs(Session& g, int year, const std::vector<uint8_t>& archive);

// The tariff download of a panel row, blocking: asks first when months of the year were changed by hand
// (ConfirmTariffDownload), then fetch and install, then tell the user. Returns whether the tables were
// installed; a refusal or failure has been told and changed nothing.
bool DownloadTariffs(Session& g, UpdateRun& run, Downloader& downloader, const UpdateSettings& settings,
                     int year, const DownloadProgress& progress = {});

} // namespace varemo
