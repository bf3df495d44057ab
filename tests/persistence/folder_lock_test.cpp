#include "persistence/folder_lock.h"
#include "support/temp_dir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <optional>

using namespace varemo;
using namespace std::chrono_literals;

// Each FolderLock opens the file anew, so two of them in one process exclude each other as two
// programs do. The waiting one gives up after its patience, not before.
TEST(FolderLock, ExcludesASecondHolderUntilReleased) {
    test::TempDir dir;
    std::optional<FolderLock> first(std::in_place, dir.path());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(FolderLock(dir.path(), 100ms), FolderBusyError);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
    first.reset();
    EXPECT_NO_THROW(FolderLock(dir.path(), 100ms));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / kFolderLockFile));
}
