#include "persistence/year_record.h"

#include "base/money.h"

#include <stdexcept>

namespace varemo {

YearRecord::YearRecord(RecordBuffer record) : record_(std::move(record)) {
    if (record_.size() != kYearRecordLength)
        throw RecordFileError("Der Jahressatz eines Personalfalls hat " + std::to_string(record_.size()) +
                              " statt " + std::to_string(kYearRecordLength) + " Bytes.");
}

std::string YearRecord::rawName() const {
    const auto& b = record_.bytes();
    return std::string(b.begin() + kName, b.begin() + kName + kNameLength);
}

void YearRecord::setCaseNumber(int n) {
    record_.setText(kCaseNumberText, 3, std::to_string(n));
}

void YearRecord::clearNewCaseFields() {
    record_.setText(kClearedForNewCase1, 6, "");
    record_.setText(kClearedForNewCase2, 6, "");
    // A model case taken from a person's case must not hand its tax ID or bank account to the next one.
    for (PersonText which : {PersonText::PersonalNumber, PersonText::TaxId, PersonText::Address1,
                             PersonText::Address2, PersonText::Iban, PersonText::Bic})
        setPersonText(which, "");
}

namespace {

struct PersonField {
    size_t offset;
    size_t length;
};

constexpr PersonField kPersonFields[] = {{114, 12}, {126, 11}, {137, 35}, {172, 35}, {207, 34}, {241, 11}};

PersonField personField(YearRecord::PersonText which) {
    return kPersonFields[static_cast<size_t>(which)];
}

} // namespace

size_t YearRecord::personTextLength(PersonText which) {
    return personField(which).length;
}

std::string YearRecord::personText(PersonText which) const {
    const PersonField f = personField(which);
    std::string text = record_.text(f.offset, f.length);
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

void YearRecord::setPersonText(PersonText which, const std::string& text) {
    const PersonField f = personField(which);
    record_.setText(f.offset, f.length, text);
}

size_t YearRecord::monthOffset(int month, int dataSet, int value) {
    if (month < 0 || month > 11 || dataSet < 0 || dataSet > 2 || value < 0 || value > 1)
        throw std::out_of_range("year record month value");
    return kMonthValues + 4 * static_cast<size_t>(6 * month + 2 * dataSet + value);
}

size_t YearRecord::yearOffset(int dataSet, int value) {
    if (dataSet < 0 || dataSet > 2 || value < 0 || value > 2) throw std::out_of_range("year record value");
    return kYearValues + 4 * static_cast<size_t>(3 * dataSet + value);
}

int32_t YearRecord::monthValue(int month, int dataSet, int value) const {
    return record_.i32(monthOffset(month, dataSet, value));
}

void YearRecord::setMonthValue(int month, int dataSet, int value, int32_t cents) {
    record_.setI32(monthOffset(month, dataSet, value), cents);
}

int32_t YearRecord::yearValue(int dataSet, int value) const {
    return record_.i32(yearOffset(dataSet, value));
}

void YearRecord::updateYearValues(int dataSet) {
    int64_t gross = 0;
    int64_t net = 0;
    int32_t months = 0;
    for (int m = 0; m < 12; ++m) {
        int32_t g = monthValue(m, dataSet, 0);
        int32_t n = monthValue(m, dataSet, 1);
        gross += g;
        net += n;
        if (g != 0 || n != 0) ++months;
    }
    // A year sum beyond the stored range is kept at the range's edge rather than wrapped.
    auto clamp = [](int64_t v) {
        try {
            return checkedCents(v);
        } catch (const MoneyOverflow&) {
            return v < 0 ? INT32_MIN : INT32_MAX;
        }
    };
    record_.setI32(yearOffset(dataSet, 0), clamp(gross));
    record_.setI32(yearOffset(dataSet, 1), clamp(net));
    record_.setI32(yearOffset(dataSet, 2), months);
}

std::string YearRecord::serviceDate(ServiceDate which) const {
    std::string text = record_.text(10 * static_cast<size_t>(which), 10);
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

void YearRecord::setServiceDate(ServiceDate which, const std::string& date) {
    record_.setText(10 * static_cast<size_t>(which), 10, date);
}

} // namespace varemo
