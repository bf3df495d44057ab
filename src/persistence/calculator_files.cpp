#include "persistence/calculator_files.h"

#include "base/file_names.h"
#include "model/user_file_names.h"
#include "persistence/case_memos.h"
#include "persistence/file_ops.h"

#include <algorithm>
#include <cstdio>

namespace varemo {
namespace fs = std::filesystem;
namespace {

constexpr size_t kOffsets = 320;
constexpr size_t kOption = 384;
constexpr size_t kResult = 386;
constexpr size_t kSecond = 396;

constexpr size_t kBirthday = 0;
constexpr size_t kPayGroup = 10;
constexpr size_t kEntitlements = 45;
constexpr size_t kPeriodLines = 51;
constexpr size_t kPeriodLineLength = 40;
constexpr size_t kEntries = 291;

constexpr size_t kMovement = 406;
constexpr size_t kAllowances = 408;
constexpr size_t kAppointment = 416;
constexpr size_t kExperience = 426;
constexpr size_t kExperienceLength = 22;

constexpr size_t kRate = 496;
constexpr size_t kFullLeave = 500;
constexpr size_t kLeaveTaken = 504;

int64_t workingTimeRecordNumber(int caseNumber, int month) {
    return int64_t{caseNumber - 1} * 12 + month;
}

std::string threeDigits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%03d", n);
    return buffer;
}

std::string trimmed(const std::string& s) {
    const size_t end = s.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

// "bda.txt" of older versions holds case 6.
void moveOldServiceAgeFile(const fs::path& userFolder) {
    const fs::path old = findFileIgnoringCase(userFolder, "bda.txt");
    const fs::path target = findFileIgnoringCase(userFolder, serviceAgeFileName(6));
    std::error_code ec;
    if (!fs::exists(old, ec) || fs::exists(target, ec)) return;
    fs::rename(old, target, ec);
    if (ec)
        throw StorageError("Die Datei " + old.string() + " konnte nicht in " + target.filename().string() +
                           " umbenannt werden (" + ec.message() + ").");
}

} // namespace

std::string serviceAgeFileName(int caseNumber) {
    return "bda." + threeDigits(caseNumber);
}

std::string jubileeFileName(int caseNumber) {
    return "jda." + threeDigits(caseNumber);
}

std::string vacationFileName(int year) {
    return "Urlaub." + threeDigits(year % 100);
}

bool ServiceAgeRecord::empty() const {
    return std::all_of(dates.begin(), dates.end(), [](const std::string& d) { return d.empty(); });
}

RecordBuffer ServiceAgeRecord::pack(RecordBuffer r) const {
    for (size_t i = 0; i < kDateFieldCount; ++i) {
        r.setText(10 * i, 10, dates[i]);
        r.setI16(kOffsets + 2 * i, offsets[i]);
    }
    r.setI16(kOption, option);
    r.setText(kResult, 10, result);
    r.setText(kSecond, 10, second);
    return r;
}

ServiceAgeRecord ServiceAgeRecord::unpack(const RecordBuffer& r) {
    ServiceAgeRecord s;
    if (r.allZero()) return s;
    for (size_t i = 0; i < kDateFieldCount; ++i) {
        s.dates[i] = trimmed(r.text(10 * i, 10));
        s.offsets[i] = r.i16(kOffsets + 2 * i);
    }
    s.option = r.i16(kOption);
    s.result = trimmed(r.text(kResult, 10));
    s.second = trimmed(r.text(kSecond, 10));
    return s;
}

RecordBuffer VacationRecord::pack(RecordBuffer r) const {
    r.setText(kBirthday, 10, birthday);
    r.setText(kPayGroup, 35, payGroup);
    for (size_t i = 0; i < entitlements.size(); ++i)
        r.setI16(kEntitlements + 2 * i, entitlements[i]);
    for (size_t i = 0; i < periodLines.size(); ++i)
        r.setText(kPeriodLines + kPeriodLineLength * i, kPeriodLineLength, periodLines[i]);
    for (size_t i = 0; i < kVacationEntries; ++i)
        r.setText(kEntries + 10 * i, 10, entries[i]);
    return r;
}

VacationRecord VacationRecord::unpack(const RecordBuffer& r) {
    VacationRecord v;
    if (r.allZero()) {
        v.birthday = "01.01.1960";
        v.payGroup = "Vergütungsgruppe";
        return v;
    }
    v.birthday = trimmed(r.text(kBirthday, 10));
    v.payGroup = trimmed(r.text(kPayGroup, 35));
    for (size_t i = 0; i < v.entitlements.size(); ++i)
        v.entitlements[i] = r.i16(kEntitlements + 2 * i);
    for (size_t i = 0; i < v.periodLines.size(); ++i)
        v.periodLines[i] = trimmed(r.text(kPeriodLines + kPeriodLineLength * i, kPeriodLineLength));
    for (size_t i = 0; i < kVacationEntries; ++i)
        v.entries[i] = trimmed(r.text(kEntries + 10 * i, 10));
    return v;
}

ServiceAgeRecord readServiceAgeRecord(const fs::path& userFolder, const std::string& fileName, int year) {
    return ServiceAgeRecord::unpack(readRecordIfExists(findFileIgnoringCase(userFolder, fileName),
                                                       kServiceAgeRecordLength, yearRecordNumber(year)));
}

void writeServiceAgeRecord(const fs::path& userFolder, const std::string& fileName, int year,
                           const ServiceAgeRecord& record) {
    if (fileName == serviceAgeFileName(6)) moveOldServiceAgeFile(userFolder);
    updateRecord(findFileIgnoringCase(userFolder, fileName), kServiceAgeRecordLength, yearRecordNumber(year),
                 [&record](RecordBuffer& r) { r = record.pack(r); });
}

RecordBuffer StepInputsRecord::pack(RecordBuffer r) const {
    r.setI16(kMovement, movementMonths);
    r.setI32(kAllowances, allowanceACents);
    r.setI32(kAllowances + 4, allowanceBCents);
    r.setText(kAppointment, 10, appointment);
    for (size_t i = 0; i < from.size(); ++i) {
        const size_t at = kExperience + kExperienceLength * i;
        r.setText(at, 10, from[i]);
        r.setText(at + 10, 10, to[i]);
        r.setI16(at + 20, percent[i]);
    }
    return r;
}

StepInputsRecord StepInputsRecord::unpack(const RecordBuffer& r) {
    StepInputsRecord s;
    if (r.allZero()) return s;
    s.movementMonths = r.i16(kMovement);
    s.allowanceACents = r.i32(kAllowances);
    s.allowanceBCents = r.i32(kAllowances + 4);
    // Bytes never written read as zeros, not as blanks.
    auto text = [&r](size_t at) { return r.bytes()[at] == 0 ? std::string() : trimmed(r.text(at, 10)); };
    s.appointment = text(kAppointment);
    for (size_t i = 0; i < s.from.size(); ++i) {
        const size_t at = kExperience + kExperienceLength * i;
        s.from[i] = text(at);
        s.to[i] = text(at + 10);
        s.percent[i] = r.i16(at + 20);
    }
    return s;
}

StepInputsRecord readStepInputs(const fs::path& userFolder, int caseNumber, int year) {
    return StepInputsRecord::unpack(
        readRecordIfExists(findFileIgnoringCase(userFolder, serviceAgeFileName(caseNumber)),
                           kServiceAgeRecordLength, yearRecordNumber(year)));
}

void writeStepInputs(const fs::path& userFolder, int caseNumber, int year, const StepInputsRecord& record) {
    if (caseNumber == 6) moveOldServiceAgeFile(userFolder);
    updateRecord(findFileIgnoringCase(userFolder, serviceAgeFileName(caseNumber)), kServiceAgeRecordLength,
                 yearRecordNumber(year), [&record](RecordBuffer& r) {
                     // A record new to the file gets the blank date fields of an empty service age.
                     if (r.allZero()) r = ServiceAgeRecord().pack(r);
                     r = record.pack(r);
                 });
}

std::string workingTimeFileName(int year) {
    return "Arbeitszeit." + threeDigits(year % 100);
}

bool WorkingTimeRecord::empty() const {
    return *this == WorkingTimeRecord{};
}

RecordBuffer WorkingTimeRecord::pack(RecordBuffer r) const {
    size_t at = 0;
    for (const auto& day : blocks)
        for (const auto& [from, to] : day) {
            r.setI16(at, from);
            r.setI16(at + 2, to);
            at += 4;
        }
    r.setI32(kRate, hourlyRateCents);
    r.setI32(kFullLeave, fullLeaveMilli);
    r.setI32(kLeaveTaken, leaveTakenMilli);
    return r;
}

WorkingTimeRecord WorkingTimeRecord::unpack(const RecordBuffer& r) {
    WorkingTimeRecord w;
    size_t at = 0;
    for (auto& day : w.blocks)
        for (auto& [from, to] : day) {
            from = r.i16(at);
            to = r.i16(at + 2);
            at += 4;
        }
    w.hourlyRateCents = r.i32(kRate);
    w.fullLeaveMilli = r.i32(kFullLeave);
    w.leaveTakenMilli = r.i32(kLeaveTaken);
    return w;
}

WorkingTimeRecord readWorkingTimeRecord(const fs::path& userFolder, int year, int caseNumber, int month) {
    return WorkingTimeRecord::unpack(
        readRecordIfExists(findFileIgnoringCase(userFolder, workingTimeFileName(year)),
                           kWorkingTimeRecordLength, workingTimeRecordNumber(caseNumber, month)));
}

void writeWorkingTimeRecord(const fs::path& userFolder, int year, int caseNumber, int month,
                            const WorkingTimeRecord& record) {
    updateRecord(findFileIgnoringCase(userFolder, workingTimeFileName(year)), kWorkingTimeRecordLength,
                 workingTimeRecordNumber(caseNumber, month),
                 [&record](RecordBuffer& r) { r = record.pack(r); });
}

VacationRecord readVacationRecord(const fs::path& userFolder, int year, int caseNumber, bool* found) {
    const RecordBuffer r = readRecordIfExists(findFileIgnoringCase(userFolder, vacationFileName(year)),
                                              kVacationRecordLength, caseNumber);
    if (found) *found = !r.allZero();
    return VacationRecord::unpack(r);
}

void writeVacationRecord(const fs::path& userFolder, int year, int caseNumber, const VacationRecord& record) {
    updateRecord(findFileIgnoringCase(userFolder, vacationFileName(year)), kVacationRecordLength, caseNumber,
                 [&record](RecordBuffer& r) { r = record.pack(r); });
}

std::vector<fs::path> calculatorCaseFiles(const fs::path& userFolder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(userFolder, ec)) {
        const std::string name = entry.path().filename().string();
        const bool digits = name.size() == 7 && std::all_of(name.begin() + 4, name.end(),
                                                            [](char c) { return c >= '0' && c <= '9'; });
        if (digits &&
            (equalIgnoringCase(name.substr(0, 4), "bda.") || equalIgnoringCase(name.substr(0, 4), "jda.")) &&
            entry.is_regular_file(ec))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void clearCalculatorYear(const std::vector<fs::path>& files, int year) {
    const int64_t record = yearRecordNumber(year);
    for (const fs::path& file : files)
        if (!readRecordIfExists(file, kServiceAgeRecordLength, record).allZero())
            updateRecord(file, kServiceAgeRecordLength, record,
                         [](RecordBuffer& r) { r = RecordBuffer(kServiceAgeRecordLength); });
}

std::vector<fs::path> renumberedSideFiles(const fs::path& userFolder, int year, size_t cases) {
    std::vector<fs::path> files;
    for (size_t n = 1; n <= cases; ++n) {
        files.push_back(findFileIgnoringCase(userFolder, serviceAgeFileName(static_cast<int>(n))));
        files.push_back(findFileIgnoringCase(userFolder, jubileeFileName(static_cast<int>(n))));
    }
    files.push_back(findFileIgnoringCase(userFolder, vacationFileName(year)));
    files.push_back(findFileIgnoringCase(userFolder, workingTimeFileName(year)));
    files.push_back(findFileIgnoringCase(userFolder, memoFileName(year)));
    return files;
}

void renumberSideFiles(const fs::path& userFolder, int year, const std::vector<int>& order, size_t listed) {
    const int64_t record = yearRecordNumber(year);
    const RecordBuffer nothing(kServiceAgeRecordLength);
    for (auto name : {serviceAgeFileName, jubileeFileName}) {
        std::vector<RecordBuffer> before;
        for (int n = 1; n <= static_cast<int>(listed); ++n)
            before.push_back(readRecordIfExists(findFileIgnoringCase(userFolder, name(n)),
                                                kServiceAgeRecordLength, record));
        for (size_t i = 0; i < listed; ++i) {
            const RecordBuffer& moved =
                i < order.size() ? before[static_cast<size_t>(order[i] - 1)] : nothing;
            const fs::path target = findFileIgnoringCase(userFolder, name(static_cast<int>(i + 1)));
            std::error_code ec;
            if (moved.bytes() == before[i].bytes() || (moved.allZero() && !fs::exists(target, ec))) continue;
            updateRecord(target, kServiceAgeRecordLength, record, [&moved](RecordBuffer& r) { r = moved; });
        }
    }

    // The vacation file holds one record per case, the working-time file twelve in a row.
    for (const auto& [fileName, length] :
         {std::pair{vacationFileName(year), kVacationRecordLength},
          std::pair{workingTimeFileName(year), 12 * kWorkingTimeRecordLength}}) {
        const fs::path file = findFileIgnoringCase(userFolder, fileName);
        std::error_code ec;
        if (!fs::exists(file, ec)) continue;
        std::vector<uint8_t> bytes = readWholeFile(file);
        const size_t originalSize = bytes.size();
        if (bytes.size() < listed * length) bytes.resize(listed * length, 0);
        std::vector<uint8_t> result = bytes;
        for (size_t i = 0; i < order.size(); ++i)
            std::copy_n(bytes.begin() +
                            static_cast<std::ptrdiff_t>((static_cast<size_t>(order[i]) - 1) * length),
                        length, result.begin() + static_cast<std::ptrdiff_t>(i * length));
        std::fill(result.begin() + static_cast<std::ptrdiff_t>(order.size() * length),
                  result.begin() + static_cast<std::ptrdiff_t>(listed * length), uint8_t{0});
        while (result.size() > originalSize && std::all_of(result.end() - static_cast<std::ptrdiff_t>(length),
                                                           result.end(), [](uint8_t b) { return !b; }))
            result.resize(result.size() - length);
        writeFileAtomically(file, result);
    }

    const std::map<int, std::string> memos = readCaseMemos(userFolder, year);
    if (!memos.empty()) {
        std::map<int, std::string> renumbered;
        for (const auto& [n, text] : memos)
            if (n > static_cast<int>(listed)) renumbered[n] = text;
        for (size_t i = 0; i < order.size(); ++i)
            if (auto at = memos.find(order[i]); at != memos.end())
                renumbered[static_cast<int>(i + 1)] = at->second;
        writeCaseMemos(userFolder, year, renumbered);
    }
}

} // namespace varemo
