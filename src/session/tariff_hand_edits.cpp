#include "session/tariff_hand_edits.h"

#include "persistence/file_ops.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

namespace varemo {

namespace fs = std::filesystem;
using std::chrono::year_month_day;

namespace {

std::string dayText(const year_month_day& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(day.day()),
                  static_cast<unsigned>(day.month()), static_cast<int>(day.year()));
    return text;
}

bool digits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<year_month_day> parseDay(const std::string& t) {
    if (t.size() != 10 || t[2] != '.' || t[5] != '.' ||
        !digits(t.substr(0, 2) + t.substr(3, 2) + t.substr(6, 4)))
        return std::nullopt;
    const year_month_day day{std::chrono::year{std::stoi(t.substr(6, 4))},
                             std::chrono::month{static_cast<unsigned>(std::stoi(t.substr(3, 2)))},
                             std::chrono::day{static_cast<unsigned>(std::stoi(t.substr(0, 2)))}};
    return day.ok() ? std::optional(day) : std::nullopt;
}

std::optional<TariffHandEdit> parseLine(const std::string& line) {
    const size_t a = line.find(';');
    const size_t b = a == std::string::npos ? a : line.find(';', a + 1);
    if (b == std::string::npos) return std::nullopt;
    const std::string yyyymm = line.substr(0, a);
    const std::string delivered = line.substr(b + 1);
    const auto changed = parseDay(line.substr(a + 1, b - a - 1));
    if (yyyymm.size() != 6 || !digits(yyyymm) || !changed) return std::nullopt;
    TariffHandEdit e{std::stoi(yyyymm.substr(0, 4)), std::stoi(yyyymm.substr(4)), *changed,
                     parseDay(delivered)};
    if (e.month < 1 || e.month > 12 || (!delivered.empty() && !e.delivered)) return std::nullopt;
    return e;
}

void sortEdits(std::vector<TariffHandEdit>& edits) {
    std::sort(edits.begin(), edits.end(), [](const TariffHandEdit& x, const TariffHandEdit& y) {
        return x.year != y.year ? x.year < y.year : x.month < y.month;
    });
}

std::string monthOf(int month, int year) {
    return (month < 10 ? "0" : "") + std::to_string(month) + "/" + std::to_string(year);
}

} // namespace

fs::path tariffHandEditPath(const fs::path& tariffFolder) {
    return tariffFolder / kTariffHandEditFile;
}

std::vector<TariffHandEdit> readTariffHandEdits(const fs::path& tariffFolder) {
    std::vector<TariffHandEdit> edits;
    for (const std::string& line : readTextLines(tariffHandEditPath(tariffFolder)))
        if (auto e = parseLine(line)) edits.push_back(*e);
    sortEdits(edits);
    return edits;
}

std::vector<uint8_t> tariffHandEditBytes(const std::vector<TariffHandEdit>& edits) {
    std::string text;
    for (const TariffHandEdit& e : edits) {
        char yyyymm[8];
        std::snprintf(yyyymm, sizeof yyyymm, "%04d%02d", e.year, e.month);
        text += std::string(yyyymm) + ";" + dayText(e.changed) + ";" +
                (e.delivered ? dayText(*e.delivered) : "") + "\r\n";
    }
    return {text.begin(), text.end()};
}

std::vector<TariffHandEdit> withTariffHandEdits(std::vector<TariffHandEdit> edits,
                                                const fs::path& tariffFolder, int year,
                                                const std::vector<int>& months, year_month_day today,
                                                const FileDateReader& reader) {
    for (int month : months) {
        auto known = std::find_if(edits.begin(), edits.end(), [&](const TariffHandEdit& e) {
            return e.year == year && e.month == month;
        });
        if (known != edits.end())
            known->changed = today;
        else
            edits.push_back(
                {year, month, today, reader(tariffFilePath(tariffFolder.parent_path(), year, month))});
    }
    sortEdits(edits);
    return edits;
}

std::vector<TariffHandEdit> withoutTariffHandEdits(std::vector<TariffHandEdit> edits, int year,
                                                   const std::vector<int>& months) {
    std::erase_if(edits, [&](const TariffHandEdit& e) {
        return e.year == year && std::find(months.begin(), months.end(), e.month) != months.end();
    });
    return edits;
}

std::vector<int> handEditedMonths(const std::vector<TariffHandEdit>& edits, int year) {
    std::vector<int> months;
    for (const TariffHandEdit& e : edits)
        if (e.year == year) months.push_back(e.month);
    return months;
}

FileDateReader deliveredDateReader(const fs::path& tariffFolder, FileDateReader reader) {
    return [tariffFolder, reader = std::move(reader)](const fs::path& file) {
        std::vector<TariffHandEdit> edits;
        try {
            edits = readTariffHandEdits(tariffFolder);
        } catch (const StorageError&) {
            // an unreadable record leaves the file dates as they are
        }
        for (const TariffHandEdit& e : edits)
            if (file.filename() == tariffFilePath({}, e.year, e.month).filename()) return e.delivered;
        return reader(file);
    };
}

year_month_day localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {std::chrono::year{local.tm_year + 1900},
            std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
            std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

PromptMessage tariffDownloadQuestion(int year, const std::vector<int>& months) {
    std::string list;
    for (size_t i = 0; i < months.size(); ++i)
        list += (i ? ", " : "") + monthOf(months[i], year);
    const bool one = months.size() == 1;
    return PromptMessage{PromptIcon::Question,
                         "Tariftabellen " + std::to_string(year),
                         {(one ? "Die Tariftabelle des Monats " : "Die Tariftabellen der Monate ") + list +
                              (one ? " wurde" : " wurden") + " von Hand geändert.",
                          "Beim Herunterladen werden die Tariftabellen " + std::to_string(year) +
                              " ersetzt; diese Änderungen gehen verloren.",
                          "Trotzdem herunterladen?"},
                         PromptButtons::YesNo,
                         true};
}

bool ConfirmTariffDownload(Session& g, int year) {
    const std::vector<int> months =
        handEditedMonths(readTariffHandEdits(g.dataRootOrProgram() / "Tarife"), year);
    if (months.empty()) return true;
    if (g.prompter.ask(tariffDownloadQuestion(year, months)) == PromptAnswer::Yes) return true;
    g.prompter.tell("Tariftabellen " + std::to_string(year),
                    {"Die Tariftabellen " + std::to_string(year) +
                     " wurden nicht heruntergeladen. Die von Hand geänderten Tabellen bleiben erhalten."});
    return false;
}

} // namespace varemo
