#pragma once
// The employer and window record "varemo20.dim" of a user folder: one record of 594 bytes,
// texts blank-padded Windows-1252, numbers little-endian.
//
//   offset  length  field
//        0      35  employer line 1 (print header)
//       35       5  numeric text used by the print header
//       40      41  employer line 2
//       81      39  employer line 3
//      120      40  employer line 4 (default "- Personalstelle -")
//      160      20  employer line 5
//      180     150  closing remark of printouts (default "Die Berechnung dient der Information und ergeht
//                   ohne Gewähr.")
//      330      20  street
//      350      20  town
//      370      40  further line (kept as read)
//      410      25  further line
//      435      15  further line
//      450       2  numeric setting, 16-bit (kept as read)
//      452       2  numeric setting, 16-bit (kept as read)
//      466       2  automatic update check after start: 1 on, 0 off
//      472       2  year shown last
//      474       2  case number shown last
//      476       2  month shown last (1 to 13)
//      478       2  data set shown last (0 INFO, 1 PLAN, 2 REAL)
//      500      10  number of cases of the years 2017 to 2021 (five 16-bit values); the count includes the
//                   empty entry at the end of the case list, so a year with cases 1 to 4 counts 5
//      510       6  main window: left, top, height (16-bit twips)
//      518       6  panel window: left, top, height
//      526       6  three 16-bit display settings (kept as read)
//      534       4  two 16-bit display settings (kept as read)
//      546       2  backups of the user data at program end: 1 on, 0 off
//      550       4  main window width (32-bit twips)
//      554       4  panel window width (32-bit)
//      558       4  32-bit setting (kept as read)
// Every other byte is kept as read; a new record has them zero.

#include "base/record_file.h"
#include "persistence/case_files.h"

#include <array>
#include <cstdint>
#include <string>

namespace varemo {

inline constexpr size_t kWindowRecordLength = 594;
inline constexpr const char* kWindowRecordFile = "varemo20.dim";

enum class EmployerText { Line1, HeaderNumber, Line2, Line3, Line4, Line5, ClosingRemark, Street, Town };

class WindowRecord {
  public:
    static constexpr size_t kAutoUpdate = 466;
    static constexpr size_t kYear = 472;
    static constexpr size_t kCase = 474;
    static constexpr size_t kMonth = 476;
    static constexpr size_t kDataSet = 478;
    static constexpr size_t kCaseCounts = 500;
    static constexpr size_t kMainGeometry = 510;
    static constexpr size_t kPanelGeometry = 518;
    static constexpr size_t kBackupsOn = 546;
    static constexpr size_t kMainWidth = 550;
    static constexpr size_t kPanelWidth = 554;

    WindowRecord() : record_(kWindowRecordLength) {}
    explicit WindowRecord(RecordBuffer record);
    // The record written when the file is missing or empty: the default texts, other texts blank,
    // numbers 0.
    static WindowRecord defaults();

    const RecordBuffer& buffer() const { return record_; }

    std::string employerText(EmployerText field) const;
    void setEmployerText(EmployerText field, const std::string& utf8);

    int lastYear() const { return record_.i16(kYear); }
    int lastCase() const { return record_.i16(kCase); }
    int lastMonth() const { return record_.i16(kMonth); }
    int lastDataSet() const { return record_.i16(kDataSet); }
    void setLastShown(int year, int caseNumber, int month, DataSet set);

    // Number of cases of a year 2017 to 2021 (0 for other years).
    int caseCount(int year) const;
    void setCaseCount(int year, int count);

    bool autoUpdateCheck() const { return record_.i16(kAutoUpdate) == 1; }
    void setAutoUpdateCheck(bool on) { record_.setI16(kAutoUpdate, on ? 1 : 0); }
    bool backupsOn() const { return record_.i16(kBackupsOn) == 1; }
    void setBackupsOn(bool on) { record_.setI16(kBackupsOn, on ? 1 : 0); }

    // left, top, height, width in twips.
    std::array<int32_t, 4> mainGeometry() const { return geometry(kMainGeometry, kMainWidth); }
    void setMainGeometry(const std::array<int32_t, 4>& g) { setGeometry(kMainGeometry, kMainWidth, g); }
    std::array<int32_t, 4> panelGeometry() const { return geometry(kPanelGeometry, kPanelWidth); }
    void setPanelGeometry(const std::array<int32_t, 4>& g) { setGeometry(kPanelGeometry, kPanelWidth, g); }

  private:
    std::array<int32_t, 4> geometry(size_t at, size_t widthAt) const;
    void setGeometry(size_t at, size_t widthAt, const std::array<int32_t, 4>& g);
    RecordBuffer record_;
};

// Reads the record of a user folder (zeros where the file is missing or short).
WindowRecord readWindowRecord(const std::filesystem::path& userFolder);

// Writes "varemo20.dim" of the user folder: the record w as read and changed by the session (employer
// texts, case counts, switches, geometry), with the selection shown now (year, case, month, data set),
// which is entered into w as well. Bytes the program does not interpret stay as read. The file is
// replaced as a whole (temporary name, then renamed); throws StorageError when it cannot be written.
void saveWindowRecord(WindowRecord& w, const std::filesystem::path& userFolder, int year, int caseNumber,
                      int month, DataSet set);

} // namespace varemo
