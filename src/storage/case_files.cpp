#include "storage/case_files.h"

#include "storage/month_record.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace varemo {
namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

char dataSetLetter(DataSet set) {
    switch (set) {
    case DataSet::Info: return 'I';
    case DataSet::Plan: return 'P';
    case DataSet::Real: return 'R';
    }
    return 'R';
}

std::string dataSetName(DataSet set) {
    switch (set) {
    case DataSet::Info: return "INFO";
    case DataSet::Plan: return "PLAN";
    case DataSet::Real: return "REAL";
    }
    return "REAL";
}

std::optional<DataSet> parseDataSet(const std::string& name) {
    for (DataSet s : {DataSet::Info, DataSet::Plan, DataSet::Real})
        if (equalIgnoringCase(name, dataSetName(s))) return s;
    return std::nullopt;
}

std::string caseFileName(int year, DataSet set, int month) {
    return "V" + std::to_string(year) + dataSetLetter(set) + "." + std::to_string(month);
}

std::filesystem::path findFileIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
    std::error_code ec;
    if (std::filesystem::exists(folder / name, ec)) return folder / name;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (equalIgnoringCase(entry.path().filename().string(), name)) return entry.path();
    }
    return folder / name;
}

void CaseFiles::open(const std::filesystem::path& userFolder, int year, DataSet set) {
    close();
    for (int m = 1; m <= 12; ++m)
        months_[static_cast<size_t>(m - 1)] =
            RecordFile(findFileIgnoringCase(userFolder, caseFileName(year, set, m)), kMonthRecordLength);
    yearFile_ = RecordFile(findFileIgnoringCase(userFolder, caseFileName(year, set, 13)), kYearRecordLength);
    year_ = year;
    set_ = set;
}

void CaseFiles::close() {
    for (auto& f : months_) f = RecordFile();
    yearFile_ = RecordFile();
    year_ = 0;
}

RecordFile& CaseFiles::monthFile(int month) {
    if (!isOpen()) throw RecordFileError("case files not open");
    if (month < 1 || month > 12) throw std::out_of_range("month " + std::to_string(month));
    return months_[static_cast<size_t>(month - 1)];
}

RecordBuffer CaseFiles::readMonth(int month, int caseNumber) { return monthFile(month).read(caseNumber); }

void CaseFiles::writeMonth(int month, int caseNumber, const RecordBuffer& record) {
    monthFile(month).write(caseNumber, record);
}

YearRecord CaseFiles::readYear(int caseNumber) {
    if (!isOpen()) throw RecordFileError("case files not open");
    return YearRecord(yearFile_.read(caseNumber));
}

void CaseFiles::writeYear(int caseNumber, const YearRecord& record) {
    if (!isOpen()) throw RecordFileError("case files not open");
    yearFile_.write(caseNumber, record.buffer());
}

} // namespace varemo
