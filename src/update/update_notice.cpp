#include "update/update_notice.h"

#include "base/cp1252.h"
#include "base/record_file.h"
#include "persistence/file_ops.h"
#include "session/tariff_hand_edits.h"

#include <cstdio>

namespace varemo {
namespace fs = std::filesystem;

namespace {

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A size field read as a decimal number and shown again as a plain number: leading zeros and blanks
// dropped, a fraction kept with a decimal comma, anything after the number ignored; "0" without one.
std::string plainNumber(const std::string& field) {
    const std::string t = trimmed(field);
    size_t i = 0;
    std::string whole;
    while (i < t.size() && isDigit(t[i]))
        whole += t[i++];
    std::string fraction;
    if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
        ++i;
        while (i < t.size() && isDigit(t[i]))
            fraction += t[i++];
    }
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (whole.empty()) whole = "0";
    return fraction.empty() ? whole : whole + "," + fraction;
}

std::string installedText(const std::optional<Day>& day) {
    return day ? dayText(*day) : "—";
}

std::string tariffLabel(int year) {
    return "Tarifdatei " + std::to_string(year);
}

// The first 10 characters of a file's modification date, "0" when the file is missing.
std::string serverFileDate(const std::optional<fs::path>& folder, const char* name,
                           const FileDateReader& reader) {
    if (!folder) return "0";
    const auto day = reader(*folder / name);
    return day ? dayText(*day) : "0";
}

} // namespace

std::optional<Day> parseDayText(const std::string& text) {
    const std::string t = trimmed(text);
    if (t.size() != 10 || t[2] != '.' || t[5] != '.') return std::nullopt;
    for (size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!isDigit(t[i])) return std::nullopt;
    const int d = std::stoi(t.substr(0, 2));
    const int m = std::stoi(t.substr(3, 2));
    const int y = std::stoi(t.substr(6, 4));
    const Day day{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                  std::chrono::day{static_cast<unsigned>(d)}};
    if (!day.ok()) return std::nullopt;
    return day;
}

std::string dayText(const Day& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(day.day()),
                  static_cast<unsigned>(day.month()), static_cast<int>(day.year()));
    return text;
}

UpdateNotice parseUpdateNotice(const std::vector<uint8_t>& bytes) {
    std::string record(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(
                                                          std::min(bytes.size(), kUpdateNoticeLength)));
    record.resize(kUpdateNoticeLength, ' ');
    UpdateNotice notice;
    for (int row = 0; row < kUpdateRows; ++row) {
        const std::string date =
            cp1252ToUtf8(record.substr(row * 2 * kUpdateNoticeField, kUpdateNoticeField));
        const std::string size = record.substr((row * 2 + 1) * kUpdateNoticeField, kUpdateNoticeField);
        OfferedFile& f = notice.rows[static_cast<size_t>(row)];
        f.dateText = trimmed(date);
        f.date = parseDayText(date);
        f.sizeKb = plainNumber(size);
    }
    return notice;
}

InstalledDates installedDates(const fs::path& mainProgram, const fs::path& dataRoot,
                              const FileDateReader& reader) {
    InstalledDates d;
    d.rows[0] = reader(mainProgram);
    const FileDateReader delivered = deliveredDateReader(dataRoot / "Tarife", reader);
    for (size_t i = 0; i < kUpdateTariffYears.size(); ++i)
        d.rows[i + 1] = decemberFileDate(dataRoot, kUpdateTariffYears[i], delivered);
    return d;
}

bool updateAvailable(const UpdateNotice& notice, const InstalledDates& installed) {
    for (size_t i = 0; i < kUpdateRows; ++i) {
        const auto& offered = notice.rows[i].date;
        if (!offered) continue;
        // A main program that cannot be found is not updated from here: nothing to compare with.
        if (!installed.rows[i]) continue;
        if (std::chrono::sys_days{*offered} > std::chrono::sys_days{*installed.rows[i]}) return true;
    }
    return false;
}

std::string updateSwitchLine(bool automaticCheckOn) {
    return std::string("Die Suche nach einem neuen Update bei jedem Programmstart ist ") +
           (automaticCheckOn ? "aktiviert" : "nicht aktiviert");
}

UpdatePanel internetUpdatePanel(const UpdateNotice& notice, const InstalledDates& installed,
                                bool automaticCheckOn, int content) {
    UpdatePanel p;
    p.content = content;
    p.switchLine = updateSwitchLine(automaticCheckOn);
    bool differs = false;
    for (size_t i = 0; i < kUpdateRows; ++i) {
        UpdatePanelRow row;
        row.tariffYear = i == 0 ? 0 : kUpdateTariffYears[i - 1];
        row.label = i == 0 ? "Hauptmodul" : tariffLabel(row.tariffYear);
        row.installed = installedText(installed.rows[i]);
        row.offered = notice.rows[i].dateText;
        row.sizeKb = notice.rows[i].sizeKb;
        const auto& offered = notice.rows[i].date;
        if (offered && (!installed.rows[i] || *offered != *installed.rows[i])) differs = true;
        p.rows.push_back(row);
    }
    p.updateAvailable = updateAvailable(notice, installed);
    p.message = differs ? update_texts::kInternetUpdate : update_texts::kNoUpdate;
    return p;
}

UpdatePanel checkServerUpdates(const fs::path& programDir, const fs::path& dataRoot,
                               const fs::path& mainProgram, bool automaticCheckOn,
                               const FileDateReader& reader) {
    const fs::path file = programDir / kServerUpdateFile;
    const std::string folderText =
        readRecordIfExists(file, kServerUpdateRecordLength, 1).text(0, kServerUpdateRecordLength);
    std::optional<fs::path> folder;
    if (!folderText.empty()) folder = storedPathToNative(folderText, programDir);

    UpdatePanel p;
    p.content = kServerUpdatePanel;
    p.switchLine = updateSwitchLine(automaticCheckOn);
    p.serverFolder = folderText.empty() ? update_texts::kServerPlaceholder : folderText;

    struct Row {
        std::string label;
        int year;
        std::string installed;
        const char* serverName;
        int weight;
    };
    const FileDateReader delivered = deliveredDateReader(dataRoot / "Tarife", reader);
    const auto tariffDate = [&](int year) { return dayText(decemberFileDate(dataRoot, year, delivered)); };
    const auto main = reader(mainProgram);
    const Row rows[] = {{"Hauptmodul", 0, main ? dayText(*main) : "0", kServerInstaller, 100},
                        {tariffLabel(2020), 2020, tariffDate(2020), "Tarife2020.exe", 10},
                        {tariffLabel(2021), 2021, tariffDate(2021), "Tarife2021.exe", 1}};
    int result = 0;
    for (const Row& r : rows) {
        const std::string offered = serverFileDate(folder, r.serverName, reader);
        if (offered != r.installed) result += r.weight;
        p.rows.push_back(UpdatePanelRow{r.label, r.year, r.installed, offered, ""});
    }
    p.serverResult = result;
    p.updateAvailable = result != 0;
    p.message = result != 0 ? update_texts::kServerUpdate : update_texts::kNoUpdate;
    updateRecord(file, kServerUpdateRecordLength, 2,
                 [&](RecordBuffer& r) { r.setText(0, kServerUpdateRecordLength, std::to_string(result)); });
    return p;
}

} // namespace varemo
