#pragma once
// The exclusive lock on a user folder that every write operation holds, so that two programs working
// in the same folder (two windows, a window and the command line, two workstations on a server share)
// never interleave their writes: without it both would hand out the same case numbers.
//
// The lock is an flock on the empty file ".varemo-sperre" in the folder. A second file,
// ".varemo-sperre-wartet", is held only while a program waits for the first: a program that has just
// released the lock and wants it again waits behind it, so that a batch of operations (ten new
// cases) cannot keep a waiting program out until its patience runs out. Both names start with a dot:
// no case file or user file is named so, and the backups copy named files only. The files stay in the
// folder; a program that ends, however it ends, releases its locks with its open files.

#include "persistence/file_ops.h"

#include <chrono>
#include <filesystem>

namespace varemo {

inline constexpr const char* kFolderLockFile = ".varemo-sperre";
inline constexpr const char* kFolderLockQueueFile = ".varemo-sperre-wartet";
inline constexpr const char* kFolderBusyText =
    "Die Daten werden gerade von einem anderen Programm bearbeitet.";
// How long an operation waits for another program's write before it gives up.
inline constexpr std::chrono::milliseconds kFolderLockPatience{2000};

// The lock is held by another program longer than the patience of the operation; nothing was changed.
class FolderBusyError : public StorageError {
  public:
    FolderBusyError();
};

class FolderLock {
  public:
    // Waits up to patience for the lock of the folder (created when missing). Throws FolderBusyError
    // when it stays taken, StorageError when the lock file cannot be opened.
    explicit FolderLock(const std::filesystem::path& folder,
                        std::chrono::milliseconds patience = kFolderLockPatience);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd_ = -1;
};

} // namespace varemo
