#pragma once
// The case files of one year and data set in a user folder: twelve month files and the year file.
// Names are "V" + year + letter + "." + month (13 for the year file), letters I, P, R for INFO, PLAN,
// REAL. Existing files are found whatever the case of their name ("V2020r.3" is the March REAL file);
// missing files are created with the upper-case letter. Record n holds case n.

#include "core/record_file.h"
#include "storage/year_record.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace varemo {

enum class DataSet : int { Info = 0, Plan = 1, Real = 2 };

char dataSetLetter(DataSet set);
std::string dataSetName(DataSet set);                 // "INFO", "PLAN", "REAL"
std::optional<DataSet> parseDataSet(const std::string& name); // case-insensitive

// "V2020R.3" for March 2020 REAL (month 13: the year file).
std::string caseFileName(int year, DataSet set, int month);

// The existing file in folder whose name equals name without regard to case, else folder / name.
std::filesystem::path findFileIgnoringCase(const std::filesystem::path& folder, const std::string& name);

class CaseFiles {
public:
    // Opens (creating where missing) the month files 1 to 12 and the year file 13.
    void open(const std::filesystem::path& userFolder, int year, DataSet set);
    void close();
    bool isOpen() const { return year_ != 0; }
    int year() const { return year_; }
    DataSet dataSet() const { return set_; }

    RecordBuffer readMonth(int month, int caseNumber);
    void writeMonth(int month, int caseNumber, const RecordBuffer& record);
    YearRecord readYear(int caseNumber);
    void writeYear(int caseNumber, const YearRecord& record);

private:
    RecordFile& monthFile(int month);
    std::array<RecordFile, 12> months_;
    RecordFile yearFile_;
    int year_ = 0;
    DataSet set_ = DataSet::Real;
};

} // namespace varemo
