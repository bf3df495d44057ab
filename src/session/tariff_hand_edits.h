#pragma once
// The record of the tariff month files changed by hand: "Tarife/Handaenderungen.txt", Windows-1252 text,
// one line per month file (CR LF):
//   yyyymm;TT.MM.JJJJ;TT.MM.JJJJ
// the year and month of the file, the day of its last change in the tariff editor, and the date the
// file had before its first change (the date of the tables as delivered; empty when the file was
// missing). The editor writes the record together with the tables it changes; a download of a year's
// tables asks before it replaces hand-edited months and clears them from the record in the same move.
// A line that cannot be read is left out (the record then names fewer months; no table changes).

#include "session/session.h"
#include "tariffs/tariff_file.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace varemo {

inline constexpr const char* kTariffHandEditFile = "Handaenderungen.txt";

struct TariffHandEdit {
    int year = 0;
    int month = 0;
    std::chrono::year_month_day changed;
    std::optional<std::chrono::year_month_day> delivered;
};

std::filesystem::path tariffHandEditPath(const std::filesystem::path& tariffFolder);
// The record of the folder, sorted by year and month; empty when the file is missing. Throws
// StorageError when it exists but cannot be read.
std::vector<TariffHandEdit> readTariffHandEdits(const std::filesystem::path& tariffFolder);
std::vector<uint8_t> tariffHandEditBytes(const std::vector<TariffHandEdit>& edits);

// The record after the months of the year were changed on day today; a month changed before keeps its
// delivered date, a month changed now for the first time takes its file's date as reader gives it.
std::vector<TariffHandEdit> withTariffHandEdits(std::vector<TariffHandEdit> edits,
                                                const std::filesystem::path& tariffFolder, int year,
                                                const std::vector<int>& months,
                                                std::chrono::year_month_day today,
                                                const FileDateReader& reader = fileModificationDay);
// The record without the months of the year.
std::vector<TariffHandEdit> withoutTariffHandEdits(std::vector<TariffHandEdit> edits, int year,
                                                   const std::vector<int>& months);
std::vector<int> handEditedMonths(const std::vector<TariffHandEdit>& edits, int year);

// The dates the update check compares: a month file changed by hand counts with its delivered date, so
// that saving an edit does not make newer tables of the server look older; any other file with
// reader's date.
FileDateReader deliveredDateReader(const std::filesystem::path& tariffFolder, FileDateReader reader);

// The local calendar day.
std::chrono::year_month_day localToday();

// "Trotzdem herunterladen?", starting on "Nein": the download replaces the named hand-edited months.
PromptMessage tariffDownloadQuestion(int year, const std::vector<int>& months);
// Before a download of the year's tables: true when no month of the year was changed by hand or the
// user answered "Ja"; after "Nein" the user is told that nothing was downloaded.
bool ConfirmTariffDownload(Session& g, int year);

} // namespace varemo
