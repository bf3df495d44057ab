#pragma once
// Tariff files: one file per calendar month, "Tarife/" + year + month (no leading zero) + ".ttt" in the
// program folder. A file is a flat sequence of 108-byte records without header, record numbers from 1;
// a record holds 27 signed 32-bit little-endian amounts in cents (entries 0 to 26). Reading a record
// that lies past the end of the file, or from a missing file, yields zeros: a record of zeros stands
// for a group without a table.
//
// Record layout (offsets in bytes):
//   entry k (0..26)   offset 4 * k   int32 little-endian, cents; kTariffNoAmount (0x80000000) where
//                                    the table has no amount, so that a real 0 stays distinct from a
//                                    cell the table leaves out (a step the group does not have)
//
// A record holds the marker only beside at least one amount; a record without any amount is written as
// zeros. Files without markers (older files, tables typed in by hand) read as before: every entry of a
// record that is not all zeros counts as an amount.
//
// Reading opens the files read-only, so an installed program folder may be write-protected; only
// writing (the tariff editor) needs write access and creates a missing file.

#include "base/record_file.h"

#include <array>
#include <bitset>
#include <chrono>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace varemo {

inline constexpr int kTariffEntries = 27;
inline constexpr size_t kTariffRecordLength = 4 * kTariffEntries; // 108 bytes

// One record of a tariff file: entries 0 to 26, each an amount in cents (0 where the table has none).
using TariffRow = std::array<int32_t, kTariffEntries>;

// An entry without an amount. No amount can reach it: the least 32-bit value is outside every range the
// program accepts for a table amount.
inline constexpr int32_t kTariffNoAmount = INT32_MIN;

// A record with the entries that hold an amount.
struct TariffRecord {
    TariffRow row{};                         // the amounts; 0 where the table has none
    std::bitset<kTariffEntries> hasAmount{}; // entry k holds an amount (a real 0 included)

    bool hasAnyAmount() const { return hasAmount.any(); }
    // The amount of entry k, or nothing when the table has none there (or k lies outside the record).
    std::optional<int32_t> amount(int k) const;
};

// "Tarife/20201.ttt" for January 2020, "Tarife/202012.ttt" for December 2020, below programDir.
std::filesystem::path tariffFilePath(const std::filesystem::path& programDir, int year, int month);

// A row writes every entry as an amount; a record writes kTariffNoAmount into the entries without one,
// or zeros throughout when it has no amount at all.
RecordBuffer encodeTariffRow(const TariffRow& row);
RecordBuffer encodeTariffRecord(const TariffRecord& record);
// Decoding turns kTariffNoAmount into 0, so that a row is what every rule reads.
TariffRow decodeTariffRow(const RecordBuffer& buffer);
TariffRecord decodeTariffRecord(const RecordBuffer& buffer);

// One month's tariff file. The file is opened on the first read and stays open.
class TariffFile {
  public:
    explicit TariffFile(std::filesystem::path path);
    TariffFile(TariffFile&&) noexcept;
    TariffFile& operator=(TariffFile&&) noexcept;
    ~TariffFile();

    const std::filesystem::path& path() const { return path_; }
    bool exists() const;

    // Record n (from 1); zeros when n < 1, when the record lies past the end or when the file is missing.
    TariffRow read(int64_t record);
    // The same with the entries that hold an amount (none in a record of zeros).
    TariffRecord readRecord(int64_t record);
    // Writes record n (from 1), creating the file when missing; a gap before it reads as zeros.
    // Throws RecordFileError when n < 1 or the file cannot be written.
    void write(int64_t record, const TariffRow& row);

  private:
    std::filesystem::path path_;
    std::unique_ptr<std::ifstream> in_;
};

// The twelve month files of one year. They are opened only when the January file exists; otherwise
// the year has no tables and every read yields zeros (the run then shows 0 on lines 8 to 10).
class TariffYear {
  public:
    TariffYear() = default;
    TariffYear(const std::filesystem::path& programDir, int year);

    int year() const { return year_; }
    bool hasTables() const { return hasTables_; }

    // Record n of the file of month 1..12; zeros without tables or for a month out of range.
    TariffRow read(int month, int64_t record);
    // The same with the entries that hold an amount (none without tables).
    TariffRecord readRecord(int month, int64_t record);
    // Writes record n of month 1..12 (tariff editor). Throws RecordFileError without tables or for a
    // month out of range.
    void write(int month, int64_t record, const TariffRow& row);

  private:
    int year_ = 0;
    bool hasTables_ = false;
    std::vector<TariffFile> months_; // index month - 1, empty without tables
};

// The date of a file as a calendar day, or nothing when the file does not exist.
using FileDateReader =
    std::function<std::optional<std::chrono::year_month_day>(const std::filesystem::path&)>;

// Last modification of the file as a local calendar day; nothing when the file is missing.
std::optional<std::chrono::year_month_day> fileModificationDay(const std::filesystem::path& path);

// Date of the December file of a year (the update check compares it with the server's tables);
// a missing file counts as dated 1 January of its year.
std::chrono::year_month_day decemberFileDate(const std::filesystem::path& programDir, int year,
                                             const FileDateReader& reader = fileModificationDay);

} // namespace varemo
