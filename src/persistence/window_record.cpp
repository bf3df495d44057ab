#include "persistence/window_record.h"

#include "model/data_set.h"
#include "persistence/file_ops.h"

#include <algorithm>

namespace varemo {
namespace {

struct TextField {
    size_t offset;
    size_t length;
};

constexpr std::array<TextField, 9> kTextFields = {{
    {0, 35},    // Line1
    {35, 5},    // HeaderNumber
    {40, 41},   // Line2
    {81, 39},   // Line3
    {120, 40},  // Line4
    {160, 20},  // Line5
    {180, 150}, // ClosingRemark
    {330, 20},  // Street
    {350, 20},  // Town
}};

// The text fields of a new record run from 0 to 450 without a gap.
constexpr size_t kTextEnd = 450;

const TextField& field(EmployerText f) {
    return kTextFields[static_cast<size_t>(f)];
}

} // namespace

WindowRecord::WindowRecord(RecordBuffer record) : record_(std::move(record)) {
    if (record_.size() != kWindowRecordLength)
        throw RecordFileError("Der Satz der Fenstereinstellungen hat " + std::to_string(record_.size()) +
                              " statt " + std::to_string(kWindowRecordLength) + " Bytes.");
}

WindowRecord WindowRecord::defaults() {
    WindowRecord r;
    r.record_.setText(0, kTextEnd, "");
    r.setEmployerText(EmployerText::Line4, "- Personalstelle -");
    r.setEmployerText(EmployerText::ClosingRemark,
                      "Die Berechnung dient der Information und ergeht ohne Gewähr.");
    return r;
}

std::string WindowRecord::employerText(EmployerText f) const {
    return record_.text(field(f).offset, field(f).length);
}

void WindowRecord::setEmployerText(EmployerText f, const std::string& utf8) {
    record_.setText(field(f).offset, field(f).length, utf8);
}

void WindowRecord::setLastShown(int year, int caseNumber, int month, DataSet set) {
    auto clamp16 = [](int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); };
    record_.setI16(kYear, clamp16(year));
    record_.setI16(kCase, clamp16(caseNumber));
    record_.setI16(kMonth, clamp16(month));
    record_.setI16(kDataSet, static_cast<int16_t>(set));
}

int WindowRecord::caseCount(int year) const {
    if (year < kFirstYear || year > kLastYear) return 0;
    return record_.i16(kCaseCounts + 2 * static_cast<size_t>(year - kFirstYear));
}

void WindowRecord::setCaseCount(int year, int count) {
    if (year < kFirstYear || year > kLastYear) return;
    record_.setI16(kCaseCounts + 2 * static_cast<size_t>(year - kFirstYear),
                   static_cast<int16_t>(std::clamp(count, 0, 32767)));
}

std::array<int32_t, 4> WindowRecord::geometry(size_t at, size_t widthAt) const {
    return {record_.i16(at), record_.i16(at + 2), record_.i16(at + 4), record_.i32(widthAt)};
}

void WindowRecord::setGeometry(size_t at, size_t widthAt, const std::array<int32_t, 4>& g) {
    for (size_t k = 0; k < 3; ++k)
        record_.setI16(at + 2 * k, static_cast<int16_t>(std::clamp<int32_t>(g[k], -32768, 32767)));
    record_.setI32(widthAt, g[3]);
}

WindowRecord readWindowRecord(const std::filesystem::path& userFolder) {
    return WindowRecord(
        readRecordIfExists(findFileIgnoringCase(userFolder, kWindowRecordFile), kWindowRecordLength, 1));
}

void saveWindowRecord(WindowRecord& w, const std::filesystem::path& userFolder, int year, int caseNumber,
                      int month, DataSet set) {
    w.setLastShown(year, caseNumber, month, set);
    updateRecord(findFileIgnoringCase(userFolder, kWindowRecordFile), kWindowRecordLength, 1,
                 [&w](RecordBuffer& r) { r = w.buffer(); });
}

} // namespace varemo
