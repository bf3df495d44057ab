#include "tariffs/tariff_file.h"

#include <ctime>
#include <string>
#include <system_error>

namespace varemo {

std::filesystem::path tariffFilePath(const std::filesystem::path& programDir, int year, int month) {
    return programDir / "Tarife" / (std::to_string(year) + std::to_string(month) + ".ttt");
}

RecordBuffer encodeTariffRow(const TariffRow& row) {
    RecordBuffer buffer(kTariffRecordLength);
    for (size_t k = 0; k < row.size(); ++k)
        buffer.setI32(4 * k, row[k]);
    return buffer;
}

RecordBuffer encodeTariffRecord(const TariffRecord& record) {
    if (!record.hasAnyAmount()) return RecordBuffer(kTariffRecordLength);
    TariffRow row = record.row;
    for (size_t k = 0; k < row.size(); ++k)
        if (!record.hasAmount.test(k)) row[k] = kTariffNoAmount;
    return encodeTariffRow(row);
}

TariffRow decodeTariffRow(const RecordBuffer& buffer) {
    return decodeTariffRecord(buffer).row;
}

TariffRecord decodeTariffRecord(const RecordBuffer& buffer) {
    TariffRecord record;
    bool allZero = true;
    for (size_t k = 0; k < record.row.size(); ++k) {
        const int32_t stored = buffer.i32(4 * k);
        allZero = allZero && stored == 0;
        if (stored == kTariffNoAmount) continue;
        record.row[k] = stored;
        record.hasAmount.set(k);
    }
    if (allZero) record.hasAmount.reset(); // a group without a table
    return record;
}

std::optional<int32_t> TariffRecord::amount(int k) const {
    if (k < 0 || k >= kTariffEntries || !hasAmount.test(static_cast<size_t>(k))) return std::nullopt;
    return row[static_cast<size_t>(k)];
}

TariffFile::TariffFile(std::filesystem::path path) : path_(std::move(path)) {}
TariffFile::TariffFile(TariffFile&&) noexcept = default;
TariffFile& TariffFile::operator=(TariffFile&&) noexcept = default;
TariffFile::~TariffFile() = default;

bool TariffFile::exists() const {
    std::error_code ec;
    return std::filesystem::is_regular_file(path_, ec);
}

TariffRow TariffFile::read(int64_t record) {
    return readRecord(record).row;
}

TariffRecord TariffFile::readRecord(int64_t record) {
    RecordBuffer buffer(kTariffRecordLength);
    if (record < 1) return TariffRecord{};
    if (!in_) {
        auto stream = std::make_unique<std::ifstream>(path_, std::ios::binary);
        if (!*stream) return TariffRecord{}; // missing now; tried again on the next read
        in_ = std::move(stream);
    }
    in_->clear();
    in_->seekg((record - 1) * static_cast<int64_t>(kTariffRecordLength));
    in_->read(reinterpret_cast<char*>(buffer.bytes().data()),
              static_cast<std::streamsize>(kTariffRecordLength));
    in_->clear(); // a short read leaves the rest zero
    return decodeTariffRecord(buffer);
}

void TariffFile::write(int64_t record, const TariffRow& row) {
    if (record < 1)
        throw RecordFileError("Der Satz " + std::to_string(record) + " kann nicht in die Tarifdatei " +
                              path_.string() + " geschrieben werden (die Sätze beginnen bei 1).");
    {
        RecordFile file(path_, kTariffRecordLength);
        file.write(record, encodeTariffRow(row));
    }
    in_.reset(); // the next read sees the new contents
}

TariffYear::TariffYear(const std::filesystem::path& programDir, int year) : year_(year) {
    TariffFile january(tariffFilePath(programDir, year, 1));
    if (!january.exists()) return;
    hasTables_ = true;
    months_.reserve(12);
    months_.push_back(std::move(january));
    for (int month = 2; month <= 12; ++month)
        months_.emplace_back(tariffFilePath(programDir, year, month));
}

TariffRow TariffYear::read(int month, int64_t record) {
    return readRecord(month, record).row;
}

TariffRecord TariffYear::readRecord(int month, int64_t record) {
    if (!hasTables_ || month < 1 || month > 12) return TariffRecord{};
    return months_[static_cast<size_t>(month - 1)].readRecord(record);
}

void TariffYear::write(int month, int64_t record, const TariffRow& row) {
    if (!hasTables_)
        throw RecordFileError("Für das Jahr " + std::to_string(year_) + " gibt es keine Tariftabellen.");
    if (month < 1 || month > 12)
        throw RecordFileError("Eine Tariftabelle für den Monat " + std::to_string(month) +
                              " gibt es nicht (1 bis 12).");
    months_[static_cast<size_t>(month - 1)].write(record, row);
}

std::optional<std::chrono::year_month_day> fileModificationDay(const std::filesystem::path& path) {
    std::error_code ec;
    auto fileTime = std::filesystem::last_write_time(path, ec);
    if (ec) return std::nullopt;
    auto sysTime = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        std::chrono::file_clock::to_sys(fileTime));
    std::time_t t = std::chrono::system_clock::to_time_t(sysTime);
    std::tm local{};
    if (!localtime_r(&t, &local)) return std::nullopt;
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::chrono::year_month_day decemberFileDate(const std::filesystem::path& programDir, int year,
                                             const FileDateReader& reader) {
    if (auto date = reader(tariffFilePath(programDir, year, 12))) return *date;
    return std::chrono::year_month_day{std::chrono::year{year}, std::chrono::January, std::chrono::day{1}};
}

} // namespace varemo
