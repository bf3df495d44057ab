#include "update/update_check.h"

#include "model/user_file_names.h"
#include "persistence/file_ops.h"
#include "session/tariff_hand_edits.h"
#include "update/tariff_archive.h"

#include <fstream>

namespace varemo {
namespace fs = std::filesystem;

namespace {

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::string withoutTrailingSlash(std::string base) {
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    return base;
}

void requireBase(const UpdateSettings& settings) {
    if (settings.baseAddress.empty())
        throw UpdateSettingsError(
            std::string("Für dieses Programm ist kein Update-Server eingetragen. Die Adresse "
                        "gehört als Zeile \"Adresse=...\" in die Datei ") +
            kUpdateSettingsFile + " im Programmordner.");
}

} // namespace

UpdateSettings readUpdateSettings(const std::vector<fs::path>& folders) {
    UpdateSettings s;
    for (const fs::path& folder : folders) {
        std::ifstream in(folder / kUpdateSettingsFile);
        if (!in) continue;
        std::string line;
        while (std::getline(in, line)) {
            line = trimmed(line);
            if (line.empty() || line[0] == '#') continue;
            const size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            const std::string name = trimmed(line.substr(0, eq));
            const std::string value = trimmed(line.substr(eq + 1));
            if (name == "Adresse")
                s.baseAddress = withoutTrailingSlash(value);
            else if (name == "Updateseite")
                s.updatePage = value;
            else if (name == "Neuigkeiten")
                s.newsPage = value;
        }
        return s;
    }
    return s;
}

std::string updateNoticeUrl(const std::string& baseAddress) {
    return withoutTrailingSlash(baseAddress) + "/2020/Update.txt";
}

std::string tariffArchiveUrl(const std::string& baseAddress, int year) {
    return withoutTrailingSlash(baseAddress) + "/2020/Tarife" + std::to_string(year) + ".zip";
}

fs::path mainProgramPath(const fs::path& installDir) {
    std::error_code ec;
    const fs::path window = installDir / "varemo20";
    return fs::exists(window, ec) ? window : installDir / "varemo20-cli";
}

UpdateRun updateRunAfterStart(const Session& g) {
    return UpdateRun{g.storage.autoUpdateCheck, false};
}

std::vector<uint8_t> fetchUpdateNotice(Downloader& downloader, const UpdateSettings& settings) {
    requireBase(settings);
    return downloader.fetch(updateNoticeUrl(settings.baseAddress));
}

void reportNoticeFailure(Session& g, UpdateRun& run, const DownloadError& e) {
    run.downloadFailed = true;
    const fs::path noUpdate = g.dataRootOrProgram() / kNoUpdateFile;
    std::error_code ec;
    if (fs::exists(noUpdate, ec)) {
        g.prompter.tell(
            "Eine Akzion ist erforderlich..",
            {e.what(), "Bitte schalten Sie Ihr Internet ein, sonst ist ein Update nicht möglich!"},
            PromptIcon::Warning);
        return;
    }
    const PromptAnswer answer =
        g.prompter.ask(PromptMessage{PromptIcon::Question,
                                     "Kein Internetzugang. Ein Updaten ist nicht möglich.",
                                     {e.what(), "Soll die automatische Updatesuche abgeschaltet werden?"},
                                     PromptButtons::YesNo});
    if (answer != PromptAnswer::Yes) return;
    try {
        writeFileAtomically(noUpdate, {});
    } catch (const StorageError& err) {
        g.prompter.tell("Fehler",
                        {"Die automatische Updatesuche konnte nicht abgeschaltet werden.", err.what()},
                        PromptIcon::Critical);
        return;
    }
    g.storage.autoUpdateCheck = false;
    g.storage.window.setAutoUpdateCheck(false);
    run.checkPending = false;
}

std::optional<UpdatePanel> evaluateUpdateNotice(Session& g, const fs::path& mainProgram,
                                                const std::vector<uint8_t>& notice, UpdateCheckKind kind) {
    const UpdateNotice parsed = parseUpdateNotice(notice);
    const InstalledDates installed = installedDates(mainProgram, g.dataRootOrProgram());
    const int content = kind == UpdateCheckKind::Automatic ? kAutomaticCheckPanel : kInternetUpdatePanel;
    UpdatePanel panel = internetUpdatePanel(parsed, installed, g.storage.autoUpdateCheck, content);
    if (kind == UpdateCheckKind::Automatic && !panel.updateAvailable) return std::nullopt;
    return panel;
}

std::optional<UpdatePanel> CheckForUpdates(Session& g, UpdateRun& run, Downloader& downloader,
                                           const UpdateSettings& settings, const fs::path& mainProgram,
                                           UpdateCheckKind kind) {
    std::vector<uint8_t> notice;
    try {
        notice = fetchUpdateNotice(downloader, settings);
    } catch (const DownloadError& e) {
        reportNoticeFailure(g, run, e);
        return std::nullopt;
    }
    return evaluateUpdateNotice(g, mainProgram, notice, kind);
}

std::optional<UpdatePanel> runAutomaticUpdateCheck(Session& g, UpdateRun& run, Downloader& downloader,
                                                   const UpdateSettings& settings,
                                                   const fs::path& mainProgram) {
    if (!run.checkPending) return std::nullopt;
    run.checkPending = false;
    // Without an update server of its installation the program has nothing to ask.
    if (run.downloadFailed || settings.baseAddress.empty()) return std::nullopt;
    return CheckForUpdates(g, run, downloader, settings, mainProgram, UpdateCheckKind::Automatic);
}

std::vector<uint8_t> fetchTariffArchive(Downloader& downloader, const UpdateSettings& settings, int year,
                                        const DownloadProgress& progress) {
    requireBase(settings);
    return downloader.fetch(tariffArchiveUrl(settings.baseAddress, year), progress);
}

std::vector<std::string> installTariffs(Session& g, int year, const std::vector<uint8_t>& archive) {
    // The open files of the year are closed while their files may be replaced, and opened again
    // afterwards whatever happened.
    const int openYear = g.tariffs.year() != 0 ? g.tariffs.year() : g.year;
    g.tariffs = TariffYear();
    struct Reopen {
        Session& g;
        int year;
        ~Reopen() {
            g.tariffs = TariffYear(g.dataRootOrProgram(), year);
            std::error_code ec;
            g.storage.tariffsPresent = fs::exists(tariffFilePath(g.dataRootOrProgram(), g.year, 1), ec);
        }
    } reopen{g, openYear};
    return installTariffArchive(archive, g.dataRootOrProgram() / "Tarife", year);
}

bool DownloadTariffs(Session& g, UpdateRun& run, Downloader& downloader, const UpdateSettings& settings,
                     int year, const DownloadProgress& progress) {
    try {
        if (!ConfirmTariffDownload(g, year)) return false;
    } catch (const StorageError& e) {
        g.prompter.tell("Tariftabellen " + std::to_string(year),
                        {e.what(), "Die installierten Tariftabellen sind unverändert."}, PromptIcon::Warning);
        return false;
    }
    std::vector<uint8_t> archive;
    try {
        archive = fetchTariffArchive(downloader, settings, year, progress);
    } catch (const DownloadError& e) {
        run.downloadFailed = true;
        g.prompter.tell("Download fehlgeschlagen",
                        {e.what(), "Die installierten Tariftabellen sind unverändert."}, PromptIcon::Warning);
        return false;
    }
    try {
        const std::vector<std::string> names = installTariffs(g, year, archive);
        g.prompter.tell("Tariftabellen " + std::to_string(year),
                        {"Die Tariftabellen " + std::to_string(year) + " wurden installiert (" +
                         std::to_string(names.size()) + " Dateien)."},
                        PromptIcon::Information);
        return true;
    } catch (const ArchiveError& e) {
        g.prompter.tell("Tariftabellen " + std::to_string(year), {e.what()}, PromptIcon::Warning);
        return false;
    }
}

} // namespace varemo
