#pragma once
// The side files of the calculators in the user folder.
//
// "bda." + case number in three digits (service age) and "jda." + case number (jubilee service age):
// fixed records of 730 bytes, record (year − 2016) holding the inputs of that year's case, so that
// renumbering the cases of one year moves only that year's records. Layout of both:
//      0  t 10 × 32  date fields "TT.MM.JJJJ" (blank when empty)
//    320  n 2 × 32   day offset of each date field from the birthday (field 0), 16-bit; 0 when empty
//    384  n 2        service age: entry-office option 0 to 3; jubilee: 0
//    386  t 10       the result (BDA or JDA beginning)
//    396  t 10       service age: the regular BDA; jubilee: the retirement date
//    406  — 324 bytes kept as read; in "bda." the step calculators of the case use the first 152:
//    406  n 2        step duration ("Stufenlaufzeit"): months of lengthening (+) or shortening (−)
//    408  n 4 × 2    promotion ("Höhergruppierung"): allowances A and B in cents
//    416  t 10       experience periods ("EDZeit"): date of the first appointment
//    426  (t 10, t 10, n 2) × 6  experience periods: from, to, percentage (0: not entered)
//    558  — 172 bytes kept as read
// Date fields of the service age: 0 birthday, 1 appointment, 2 and 3 the half phase, 4 and 5 the
// quarter phase, 6 to 17 six creditable periods (from, to) of the half phase, 18 to 31 seven of the
// quarter phase. Of the jubilee service age: 0 birthday, 1 start of pay with us, 2 retirement (when
// given), 3 to 14 six periods with earlier employers, 15 to 26 six periods that do not count.
// An older single file "bda.txt" is the file of case 6: it is moved to "bda.006" before the first write.
//
// "Urlaub.0yy" (vacation): one record of 791 bytes per case (record = case number):
//      0  t 10       birthday
//     10  t 35       pay group at the start of the leave year
//     45  n 2 × 3    entitlement of a five-day week (row 3), second and third value (defaults 30, 25, 30)
//     51  t 40 × 6   period lines of row 6 "von TT.MM.JJJJ bis TT.MM.JJJJ = n": from (offset 4), to
//                    (offset 19) and the working days n of the period (offset 32, whole days); a part not
//                    entered is blank, an unused line all blank (calculators/vacation.h, periodLineText)
//    291  t 10 × 50  further entries: 0 days-per-week index, 1 correction index, 2 additional leave
//                    (row 4), 3 further additional leave (row 7), 4 full months (row 9), 5 months of
//                    row 10, 6 months of row 11, 7 rest of the previous year (row 17), 8 leave taken
//                    (row 18), 9 monthly vacation pay, 10 days to pay off (row 20); blank = not entered
//
// "Arbeitszeit.0yy" (working-time recorder): one record of 512 bytes per case and month, record
// (case − 1) × 12 + month, so that a month's table is read and written alone:
//      0  n 2 × 248  31 days × 4 blocks × (from, to) in minutes after midnight; a block counts when its
//                    to lies after its from (both zero when never written)
//    496  n 4        hourly rate in cents ("Satz")
//    500  n 4        full annual leave in thousandths of a day ("vollerUrlaub")
//    504  n 4        leave taken in thousandths of a day ("Urlaubstage")
//    508  — 4 bytes kept as read

#include "base/record_file.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace varemo {

inline constexpr size_t kDateFieldCount = 32;
inline constexpr size_t kServiceAgeRecordLength = 730;
inline constexpr size_t kVacationRecordLength = 791;
inline constexpr size_t kVacationEntries = 50;
inline constexpr size_t kWorkingTimeRecordLength = 512;
inline constexpr int kWorkBlocks = 4;
inline constexpr int kWorkDays = 31;

std::string serviceAgeFileName(int caseNumber); // "bda.007"
std::string jubileeFileName(int caseNumber);    // "jda.007"
std::string vacationFileName(int year);         // "Urlaub.020"
std::string workingTimeFileName(int year);      // "Arbeitszeit.020"

struct ServiceAgeRecord {
    std::array<std::string, kDateFieldCount> dates; // UTF-8, trimmed; empty when not entered
    std::array<int16_t, kDateFieldCount> offsets{};
    int16_t option = 0;
    std::string result;
    std::string second;

    bool empty() const;
    RecordBuffer pack(RecordBuffer into) const;
    static ServiceAgeRecord unpack(const RecordBuffer& r);
};

struct VacationRecord {
    std::string birthday;
    std::string payGroup;
    std::array<int16_t, 3> entitlements{30, 25, 30};
    std::array<std::string, 6> periodLines;
    std::array<std::string, kVacationEntries> entries;

    RecordBuffer pack(RecordBuffer into) const;
    // A record never written (all zero) gives the defaults.
    static VacationRecord unpack(const RecordBuffer& r);
};

struct WorkingTimeRecord {
    // Per day and block: from and to in minutes after midnight (counted when to > from).
    std::array<std::array<std::pair<int16_t, int16_t>, kWorkBlocks>, kWorkDays> blocks{};
    int32_t hourlyRateCents = 0;
    int32_t fullLeaveMilli = 0;
    int32_t leaveTakenMilli = 0;

    bool operator==(const WorkingTimeRecord&) const = default;
    bool empty() const;
    RecordBuffer pack(RecordBuffer into) const;
    static WorkingTimeRecord unpack(const RecordBuffer& r);
};

// The inputs of the step calculators, kept in the case's "bda." record of the year.
struct StepInputsRecord {
    int16_t movementMonths = 0;
    int32_t allowanceACents = 0;
    int32_t allowanceBCents = 0;
    std::string appointment;
    std::array<std::string, 6> from;
    std::array<std::string, 6> to;
    std::array<int16_t, 6> percent{};

    bool operator==(const StepInputsRecord&) const = default;
    RecordBuffer pack(RecordBuffer into) const;
    static StepInputsRecord unpack(const RecordBuffer& r);
};

// Reading never creates a file; a missing record reads as empty (ServiceAgeRecord::empty()).
ServiceAgeRecord readServiceAgeRecord(const std::filesystem::path& userFolder, const std::string& fileName,
                                      int year);
void writeServiceAgeRecord(const std::filesystem::path& userFolder, const std::string& fileName, int year,
                           const ServiceAgeRecord& record);
// nullopt-like: `found` false when the case has no record yet.
VacationRecord readVacationRecord(const std::filesystem::path& userFolder, int year, int caseNumber,
                                  bool* found);
void writeVacationRecord(const std::filesystem::path& userFolder, int year, int caseNumber,
                         const VacationRecord& record);

StepInputsRecord readStepInputs(const std::filesystem::path& userFolder, int caseNumber, int year);
void writeStepInputs(const std::filesystem::path& userFolder, int caseNumber, int year,
                     const StepInputsRecord& record);

WorkingTimeRecord readWorkingTimeRecord(const std::filesystem::path& userFolder, int year, int caseNumber,
                                        int month);
void writeWorkingTimeRecord(const std::filesystem::path& userFolder, int year, int caseNumber, int month,
                            const WorkingTimeRecord& record);

// The service-age and jubilee files of the cases found in the user folder ("bda.nnn", "jda.nnn").
std::vector<std::filesystem::path> calculatorCaseFiles(const std::filesystem::path& userFolder);
// Empties the year's record in each of them (deleting a year deletes the inputs of its cases only).
void clearCalculatorYear(const std::vector<std::filesystem::path>& files, int year);

// The files a renumbering of the cases 1 to order.size() of a year rewrites: "bda."/"jda." of those
// cases, "Urlaub.0yy", "Arbeitszeit.0yy" and the memo file "Merkfeld.0yy", as named in the folder.
std::vector<std::filesystem::path> renumberedSideFiles(const std::filesystem::path& userFolder, int year,
                                                       size_t cases);
// Moves the year's records of the side files with their cases: the case at new position i (1-based)
// was order[i − 1]. `listed` is the number of cases before (order.size(), or one more when a case is
// deleted: what belonged to the case left out of the order goes with it). Entries of cases beyond
// `listed` keep their numbers. Files that hold nothing for any of the cases are left alone. Throws on
// failure.
void renumberSideFiles(const std::filesystem::path& userFolder, int year, const std::vector<int>& order,
                       size_t listed);

} // namespace varemo
