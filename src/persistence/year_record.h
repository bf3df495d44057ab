#pragma once
// The year record of a case (file ".13", 1920 bytes per case): master data of the person and the
// per-month results of the three data sets.
//
// Layout, in order (t = text, n = numeric block):
//      0  t 10,10,10,11,6,3,24,6,24,6,12,8,40,1,15,1,1,24,14,10,48,48,47,1 — master data; the 3-character
//         field at 51 holds the case number as text, the 6-character fields at 78 and 108 are cleared
//         for a new case; the three dates at 0, 10 and 20 are the service dates the calculators fill:
//         0 the beginning of the service age, 10 the birthday, 20 the appointment or service start
//    380  n 328: per-month results, 32-bit little-endian:
//           month m (0..11), data set d (0 INFO, 1 PLAN, 2 REAL), value v (0 gross of line 23,
//           1 net pay of line 47) at 380 + 4 × (6 × m + 2 × d + v);
//           then per data set d the year values k (0 sum of gross, 1 sum of net pay, 2 number of months
//           calculated) at 668 + 4 × (3 × d + k); 4 bytes kept as read
//    708  t 50;  758 n 2;  760 n 48;  808 t 100;  908 t 95;  1003 t 1 × 12
//   1015  t 35 × 8 — the first (1015) is the case name
//   1295  t 6 × 5;  1325 t 35 × 4;  1465 n 28;  1493 t 10;  1503 n 6;  1509 n 10;  1519 n 4;  1523 t 12
//   1535  t 35 × 4;  1675 n 14;  1689 t 13;  1702 t 2;  1704 n 68;  1772 t 6;  1778 n 26;  1804 n 24
//   1828  t 7;  1835 n 10;  1845 t 75
// Within the master data the program keeps the person's further data in bytes no other field of it uses
// (blank-padded Windows-1252; a record written before holds blanks or NULs there, read as empty):
//    114  t 12 personal number;  126 t 11 tax ID;  137 t 35 and 172 t 35 address lines;
//    207  t 34 IBAN (without blanks);  241 t 11 BIC;  the birthday is the service date at 10;
//         all but the birthday are cleared for a new case
// Bytes the program does not interpret are kept as read.

#include "base/record_file.h"

#include <string>

namespace varemo {

inline constexpr size_t kYearRecordLength = 1920;

class YearRecord {
  public:
    static constexpr size_t kCaseNumberText = 51;
    static constexpr size_t kClearedForNewCase1 = 78;
    static constexpr size_t kClearedForNewCase2 = 108;
    static constexpr size_t kMonthValues = 380;
    static constexpr size_t kYearValues = 668;
    static constexpr size_t kName = 1015;
    static constexpr size_t kNameLength = 35;

    YearRecord() : record_(kYearRecordLength) {}
    explicit YearRecord(RecordBuffer record);

    const RecordBuffer& buffer() const { return record_; }

    std::string name() const { return record_.text(kName, kNameLength); }
    // The name as stored, untrimmed (the load check looks at its first characters).
    std::string rawName() const;
    void setName(const std::string& name) { record_.setText(kName, kNameLength, name); }
    void setCaseNumber(int n);
    // Service dates "TT.MM.JJJJ" (trimmed, empty when blank).
    enum class ServiceDate { ServiceAgeBegin = 0, Birthday = 1, Appointment = 2 };
    std::string serviceDate(ServiceDate which) const;
    void setServiceDate(ServiceDate which, const std::string& date);
    void clearNewCaseFields();

    // The person's further master data (texts as stored, trimmed).
    enum class PersonText { PersonalNumber, TaxId, Address1, Address2, Iban, Bic };
    static size_t personTextLength(PersonText which);
    std::string personText(PersonText which) const;
    void setPersonText(PersonText which, const std::string& text);

    // value 0: gross (line 23), 1: net pay (line 47); month 0..11; dataSet 0..2.
    int32_t monthValue(int month, int dataSet, int value) const;
    void setMonthValue(int month, int dataSet, int value, int32_t cents);
    // value 0: sum of gross, 1: sum of net pay, 2: months calculated.
    int32_t yearValue(int dataSet, int value) const;
    // Recomputes the year values of a data set from its twelve months.
    void updateYearValues(int dataSet);

  private:
    static size_t monthOffset(int month, int dataSet, int value);
    static size_t yearOffset(int dataSet, int value);
    RecordBuffer record_;
};

} // namespace varemo
