#pragma once
// The frame of every storage operation that changes more than one record: the files it may touch are
// saved first; if anything fails on the way, every one of them is put back byte for byte and the
// failure is reported as a failure. Operations first check what they need and ask their questions,
// and only then enter this frame.

#include "persistence/file_ops.h"
#include "session/session.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace varemo {

// The data root of the session (the program folder before StartUp has run).
std::filesystem::path dataRootOf(const Session& g);

// The current selection, to return to after an operation that walks through other years or data sets.
struct ShownSelection {
    int year = 0;
    int month = 1;
    int caseNumber = 1;
    DataSet dataSet = DataSet::Real;
    bool filesOpen = false;
};
ShownSelection rememberSelection(const Session& g);
// Restores the selection and reopens the case files of its year and data set, with the year's tables
// and defaults (when they were open). The working case is not loaded again: the caller shows the case
// as after any change of selection.
void returnToSelection(Session& g, const ShownSelection& s);

// The calculation writes its results while an operation runs, whatever the mode fields say; they are
// restored afterwards.
class CalculationWrites {
  public:
    explicit CalculationWrites(Session& g);
    ~CalculationWrites();
    CalculationWrites(const CalculationWrites&) = delete;
    CalculationWrites& operator=(const CalculationWrites&) = delete;

  private:
    Session& g_;
    bool suspended_;
    int mode_;
};

// Holds the lock of the session's user folder (persistence/folder_lock.h) while a write operation runs;
// an operation inside another one shares the outer one's lock. Without a user folder (before the
// start-up) there is nothing to lock. Throws FolderBusyError when another program keeps the folder.
class UserFolderWrite {
  public:
    explicit UserFolderWrite(Session& g);
    ~UserFolderWrite();
    UserFolderWrite(const UserFolderWrite&) = delete;
    UserFolderWrite& operator=(const UserFolderWrite&) = delete;

  private:
    StorageState& s_;
};

// Takes the user folder's lock, saves the files, closes the case files and runs body. When another
// program keeps the folder, the message names the operation and the result is Failed with nothing
// changed. When body throws, the files are restored, the
// message "Fehler" names the operation and the cause, the selection is restored and the result is
// Failed. On success the body leaves the selection as the operation wants it.
StorageResult runGuarded(Session& g, const std::string& operation,
                         const std::vector<std::filesystem::path>& files, const std::function<void()>& body);

// The case files (months 1 to 13) of a year and data set in the user folder, as they are named there.
std::vector<std::filesystem::path> caseFilePaths(const std::filesystem::path& userFolder, int year,
                                                 DataSet set);
// The same for all three data sets.
std::vector<std::filesystem::path> caseFilePaths(const std::filesystem::path& userFolder, int year);

inline constexpr DataSet kAllDataSets[] = {DataSet::Info, DataSet::Plan, DataSet::Real};

} // namespace varemo
