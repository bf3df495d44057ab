#pragma once
// The case files of one year and data set in a user folder: twelve month files and the year file.
// Names are "V" + year + letter + "." + month (13 for the year file), letters I, P, R for INFO, PLAN,
// REAL. Existing files are found whatever the case of their name ("V2020r.3" is the March REAL file);
// missing files are created with the upper-case letter. Record n holds case n.

#include "base/file_names.h"
#include "base/record_file.h"
#include "model/case_store.h"
#include "persistence/year_record.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace varemo {

// "V2020R.3" for March 2020 REAL (month 13: the year file).
std::string caseFileName(int year, DataSet set, int month);

class CaseFiles : public CaseStore {
  public:
    // Opens (creating where missing) the month files 1 to 12 and the year file 13.
    void open(const std::filesystem::path& userFolder, int year, DataSet set);
    void close();
    bool isOpen() const override { return year_ != 0; }
    int year() const override { return year_; }
    DataSet dataSet() const override { return set_; }

    void loadMonth(int month, int caseNumber, Case& c) override;
    std::shared_ptr<const Case> storedMonth(int month, int caseNumber) override;
    bool loadMonthOfYearBefore(int month, int caseNumber, Case& c) override;
    void storeMonth(int caseNumber, const Case& c) override;
    void storeYearResults(int caseNumber, DataSet set, const Case& c) override;
    // While a case is held, its month records, the records of the year before and its year record
    // are read from the files once and kept, each month also unpacked once; writes go to the files and
    // replace the kept record. Opening or closing forgets the held case.
    void holdCase(int caseNumber) override;
    void releaseCase() override;
    const LookBackPay* keptPay(int caseNumber, int month, bool yearBefore) override;
    void keepPay(int caseNumber, int month, bool yearBefore, const LookBackPay& pay) override;

    RecordBuffer readMonth(int month, int caseNumber);
    void writeMonth(int month, int caseNumber, const RecordBuffer& record);
    YearRecord readYear(int caseNumber);
    void writeYear(int caseNumber, const YearRecord& record);

  private:
    struct HeldCase {
        int caseNumber = 0;
        std::array<std::optional<RecordBuffer>, 12> months;
        std::array<std::shared_ptr<const Case>, 12> unpacked; // of months, until the month is written
        std::array<bool, 12> yearBeforeRead{};
        std::array<std::unique_ptr<Case>, 12> yearBefore; // unpacked; null where never written
        // The contribution step's figures of months and of the months of the year before; a month's
        // are dropped when it is written.
        std::array<std::optional<LookBackPay>, 12> pay;
        std::array<std::optional<LookBackPay>, 12> payBefore;
        std::optional<YearRecord> year;
    };
    RecordFile& monthFile(int month);
    HeldCase* held(int caseNumber);
    const RecordBuffer& heldMonth(HeldCase& h, int month);
    const std::shared_ptr<const Case>& unpackedMonth(HeldCase& h, int month);
    std::optional<LookBackPay>* keptPaySlot(int caseNumber, int month, bool yearBefore);

    std::unique_ptr<HeldCase> held_;
    int holdDepth_ = 0;
    std::array<RecordFile, 12> months_;
    RecordFile yearFile_;
    std::filesystem::path folder_;
    int year_ = 0;
    DataSet set_ = DataSet::Real;
};

} // namespace varemo
