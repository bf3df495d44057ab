#pragma once
// Where the calculation finds the stored months of the case it calculates and where its results go.
// The case files implement it; the run and its steps know only this interface, so they never touch a
// file and can be tested over months kept in memory.

#include "model/case.h"
#include "model/data_set.h"

namespace varemo {

class CaseStore {
  public:
    virtual ~CaseStore() = default;

    // The year and data set whose months can be read; nothing can be read while closed.
    virtual bool isOpen() const = 0;
    virtual int year() const = 0;
    virtual DataSet dataSet() const = 0;
    bool holds(int y, DataSet set) const { return isOpen() && year() == y && dataSet() == set; }

    // Unpacks the stored record of a month (1 to 12) of a case into c: keys, amounts (current and
    // previous), line attributes, texts, key codes and date; name, KeySlot::Month and key 0 stay as they are.
    virtual void loadMonth(int month, int caseNumber, Case& c) = 0;
    // The same for a month of the year before the open one, same data set (§ 23a Abs. 4 SGB IV looks
    // back at it); false, c untouched, when that record was never written. Reading creates no file.
    virtual bool loadMonthOfYearBefore(int month, int caseNumber, Case& c) = 0;
    // Stores c as the record of its month.
    virtual void storeMonth(int caseNumber, const Case& c) = 0;
    // Enters c's name and, for months 1 to 12, its gross and net pay into the case's year record.
    virtual void storeYearResults(int caseNumber, DataSet set, const Case& c) = 0;

    // While a case is held (CaseYearInMemory), the store may keep what it read of that case in memory
    // and answer later reads of the same records from there; every write still reaches the files at
    // once and replaces what is kept. Holds nest; the last release forgets everything kept.
    virtual void holdCase(int caseNumber) { (void)caseNumber; }
    virtual void releaseCase() {}
};

// Holds a case in a store for the time of one operation (a run, the following months of an edit, the
// recalculation of a case's year), so that its months are read and unpacked once instead of by every
// step that looks back at them.
class CaseYearInMemory {
  public:
    CaseYearInMemory(CaseStore& store, int caseNumber) : store_(store) { store_.holdCase(caseNumber); }
    ~CaseYearInMemory() { store_.releaseCase(); }
    CaseYearInMemory(const CaseYearInMemory&) = delete;
    CaseYearInMemory& operator=(const CaseYearInMemory&) = delete;

  private:
    CaseStore& store_;
};

} // namespace varemo
