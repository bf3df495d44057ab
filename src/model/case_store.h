#pragma once
// Where the calculation finds the stored months of the case it calculates and where its results go.
// The case files implement it; the run and its steps know only this interface, so they never touch a
// file and can be tested over months kept in memory.

#include "model/case.h"
#include "model/data_set.h"

#include <memory>

namespace varemo {

// What the contribution step takes from a stored month when it looks back at it for the annual ceiling
// (§ 23a SGB IV): the month's pay subject to contributions as its own run found it (its key codes and
// supplementary-pension levy worked out again from the record) and what its ceiling depends on.
struct LookBackPay {
    bool stored = true;       // false: a month of the year before whose record was never written
    bool contributes = false; // the month's service relationship pays contributions
    Money regular;
    Money oneTime;
    int svDays = 30;
    bool east = false;
    bool operator==(const LookBackPay&) const = default;
};

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
    // The stored record of a month (1 to 12) of a case, unpacked as loadMonth unpacks it into a new Case,
    // for a step that only reads it. While the case is held it is the store's own unpacked month, shared
    // instead of copied with its texts and record bytes; it stays as it was when the month is written
    // afterwards (later reads get the new record).
    virtual std::shared_ptr<const Case> storedMonth(int month, int caseNumber) {
        auto c = std::make_shared<Case>();
        loadMonth(month, caseNumber, *c);
        return c;
    }
    // Stores c as the record of its month.
    virtual void storeMonth(int caseNumber, const Case& c) = 0;
    // Enters c's name and, for months 1 to 12, its gross and net pay into the case's year record.
    virtual void storeYearResults(int caseNumber, DataSet set, const Case& c) = 0;

    // While a case is held (CaseYearInMemory), the store may keep what it read of that case in memory
    // and answer later reads of the same records from there; every write still reaches the files at
    // once and replaces what is kept. Holds nest; the last release forgets everything kept.
    virtual void holdCase(int caseNumber) { (void)caseNumber; }
    virtual void releaseCase() {}

    // While a case is held, the store may also keep what the contribution step worked out from a stored
    // month of it (month 1 to 12 of the open year, or with yearBefore of the year before), so that each
    // later month of a recalculation or of the following months of an edit does not work out every
    // earlier month again. Invalidation: what is kept for a month is dropped when that month is written
    // (it was worked out from the record alone) and with the last release. It also depends on the year's
    // settings (fund settings, social-insurance values), which no operation changes while it holds a
    // case. Nothing is kept for a case that is not held.
    virtual const LookBackPay* keptPay(int caseNumber, int month, bool yearBefore) {
        (void)caseNumber, (void)month, (void)yearBefore;
        return nullptr;
    }
    virtual void keepPay(int caseNumber, int month, bool yearBefore, const LookBackPay& pay) {
        (void)caseNumber, (void)month, (void)yearBefore, (void)pay;
    }
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
