#include "persistence/case_files.h"

#include "base/file_names.h"
#include "persistence/month_record.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace varemo {
namespace {

constexpr const char* kNotOpen = "Die Dateien der Personalfälle sind nicht geöffnet.";

} // namespace

std::string caseFileName(int year, DataSet set, int month) {
    return "V" + std::to_string(year) + dataSetLetter(set) + "." + std::to_string(month);
}

void CaseFiles::open(const std::filesystem::path& userFolder, int year, DataSet set) {
    close();
    for (int m = 1; m <= 12; ++m)
        months_[static_cast<size_t>(m - 1)] =
            RecordFile(findFileIgnoringCase(userFolder, caseFileName(year, set, m)), kMonthRecordLength);
    yearFile_ = RecordFile(findFileIgnoringCase(userFolder, caseFileName(year, set, 13)), kYearRecordLength);
    year_ = year;
    set_ = set;
    folder_ = userFolder;
}

void CaseFiles::close() {
    for (auto& f : months_)
        f = RecordFile();
    yearFile_ = RecordFile();
    year_ = 0;
}

RecordFile& CaseFiles::monthFile(int month) {
    if (!isOpen()) throw RecordFileError(kNotOpen);
    if (month < 1 || month > 12) throw std::out_of_range("month " + std::to_string(month));
    return months_[static_cast<size_t>(month - 1)];
}

RecordBuffer CaseFiles::readMonth(int month, int caseNumber) {
    return monthFile(month).read(caseNumber);
}

void CaseFiles::writeMonth(int month, int caseNumber, const RecordBuffer& record) {
    monthFile(month).write(caseNumber, record);
}

YearRecord CaseFiles::readYear(int caseNumber) {
    if (!isOpen()) throw RecordFileError(kNotOpen);
    return YearRecord(yearFile_.read(caseNumber));
}

void CaseFiles::writeYear(int caseNumber, const YearRecord& record) {
    if (!isOpen()) throw RecordFileError(kNotOpen);
    yearFile_.write(caseNumber, record.buffer());
}

void CaseFiles::loadMonth(int month, int caseNumber, Case& c) {
    unpackMonthRecord(readMonth(month, caseNumber), c);
}

bool CaseFiles::loadMonthOfYearBefore(int month, int caseNumber, Case& c) {
    if (!isOpen()) throw RecordFileError(kNotOpen);
    if (month < 1 || month > 12) throw std::out_of_range("month " + std::to_string(month));
    const RecordBuffer record = readRecordIfExists(
        findFileIgnoringCase(folder_, caseFileName(year_ - 1, set_, month)), kMonthRecordLength, caseNumber);
    if (record.allZero()) return false;
    unpackMonthRecord(record, c);
    return true;
}

void CaseFiles::storeMonth(int caseNumber, const Case& c) {
    writeMonth(c.monthIndex() + 1, caseNumber, packMonthRecord(c));
}

void CaseFiles::storeYearResults(int caseNumber, DataSet set, const Case& c) {
    YearRecord year = readYear(caseNumber);
    year.setName(c.name);
    if (c.monthIndex() <= 11) {
        int s = static_cast<int>(set);
        year.setMonthValue(c.monthIndex(), s, 0, c.amount(AmountSlot::Gross));
        year.setMonthValue(c.monthIndex(), s, 1, c.amount(AmountSlot::NetPay));
        year.updateYearValues(s);
    }
    writeYear(caseNumber, year);
}

} // namespace varemo
