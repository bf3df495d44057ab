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
    held_.reset();
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

void CaseFiles::holdCase(int caseNumber) {
    if (holdDepth_++ == 0 || !held_ || held_->caseNumber != caseNumber) {
        held_ = std::make_unique<HeldCase>();
        held_->caseNumber = caseNumber;
    }
}

void CaseFiles::releaseCase() {
    if (holdDepth_ > 0 && --holdDepth_ == 0) held_.reset();
}

CaseFiles::HeldCase* CaseFiles::held(int caseNumber) {
    return held_ && held_->caseNumber == caseNumber && isOpen() ? held_.get() : nullptr;
}

const RecordBuffer& CaseFiles::heldMonth(HeldCase& h, int month) {
    auto& record = h.months[static_cast<size_t>(month - 1)];
    if (!record) record = monthFile(month).read(h.caseNumber);
    return *record;
}

std::optional<LookBackPay>* CaseFiles::keptPaySlot(int caseNumber, int month, bool yearBefore) {
    HeldCase* h = held(caseNumber);
    if (!h || month < 1 || month > 12) return nullptr;
    return &(yearBefore ? h->payBefore : h->pay)[static_cast<size_t>(month - 1)];
}

const LookBackPay* CaseFiles::keptPay(int caseNumber, int month, bool yearBefore) {
    const std::optional<LookBackPay>* slot = keptPaySlot(caseNumber, month, yearBefore);
    return slot && *slot ? &**slot : nullptr;
}

void CaseFiles::keepPay(int caseNumber, int month, bool yearBefore, const LookBackPay& pay) {
    if (std::optional<LookBackPay>* slot = keptPaySlot(caseNumber, month, yearBefore)) *slot = pay;
}

RecordBuffer CaseFiles::readMonth(int month, int caseNumber) {
    if (HeldCase* h = held(caseNumber); h && month >= 1 && month <= 12) return heldMonth(*h, month);
    return monthFile(month).read(caseNumber);
}

void CaseFiles::writeMonth(int month, int caseNumber, const RecordBuffer& record) {
    monthFile(month).write(caseNumber, record);
    if (HeldCase* h = held(caseNumber)) {
        h->months[static_cast<size_t>(month - 1)] = record;
        h->unpacked[static_cast<size_t>(month - 1)].reset();
        h->pay[static_cast<size_t>(month - 1)].reset();
    }
}

YearRecord CaseFiles::readYear(int caseNumber) {
    if (!isOpen()) throw RecordFileError(kNotOpen);
    if (HeldCase* h = held(caseNumber)) {
        if (!h->year) h->year = YearRecord(yearFile_.read(caseNumber));
        return *h->year;
    }
    return YearRecord(yearFile_.read(caseNumber));
}

void CaseFiles::writeYear(int caseNumber, const YearRecord& record) {
    if (!isOpen()) throw RecordFileError(kNotOpen);
    yearFile_.write(caseNumber, record.buffer());
    if (HeldCase* h = held(caseNumber)) h->year = record;
}

const std::shared_ptr<const Case>& CaseFiles::unpackedMonth(HeldCase& h, int month) {
    auto& unpacked = h.unpacked[static_cast<size_t>(month - 1)];
    if (!unpacked) {
        auto fresh = std::make_shared<Case>();
        unpackMonthRecord(heldMonth(h, month), *fresh);
        unpacked = std::move(fresh);
    }
    return unpacked;
}

void CaseFiles::loadMonth(int month, int caseNumber, Case& c) {
    HeldCase* h = held(caseNumber);
    if (!h || month < 1 || month > 12) {
        unpackMonthRecord(readMonth(month, caseNumber), c);
        return;
    }
    assignUnpackedMonth(*unpackedMonth(*h, month), c);
}

std::shared_ptr<const Case> CaseFiles::storedMonth(int month, int caseNumber) {
    HeldCase* h = held(caseNumber);
    if (!h || month < 1 || month > 12) return CaseStore::storedMonth(month, caseNumber);
    return unpackedMonth(*h, month);
}

bool CaseFiles::loadMonthOfYearBefore(int month, int caseNumber, Case& c) {
    if (!isOpen()) throw RecordFileError(kNotOpen);
    if (month < 1 || month > 12) throw std::out_of_range("month " + std::to_string(month));
    HeldCase* h = held(caseNumber);
    const auto m = static_cast<size_t>(month - 1);
    if (h && h->yearBeforeRead[m]) {
        if (!h->yearBefore[m]) return false;
        assignUnpackedMonth(*h->yearBefore[m], c);
        return true;
    }
    const RecordBuffer record = readRecordIfExists(
        findFileIgnoringCase(folder_, caseFileName(year_ - 1, set_, month)), kMonthRecordLength, caseNumber);
    if (h) {
        h->yearBeforeRead[m] = true;
        if (!record.allZero()) {
            h->yearBefore[m] = std::make_unique<Case>();
            unpackMonthRecord(record, *h->yearBefore[m]);
        }
    }
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
