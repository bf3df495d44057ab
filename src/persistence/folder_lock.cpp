#include "persistence/folder_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace varemo {
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kPollInterval{5};

int openLockFile(const fs::path& path) {
    int fd;
    do
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw StorageError("Die Sperrdatei " + path.string() + " konnte nicht geöffnet werden (" +
                           std::strerror(errno) + ").");
    return fd;
}

void closeFile(int fd) {
    if (fd >= 0) ::close(fd);
}

// Takes the flock on fd, trying until deadline; false when it stayed taken.
bool lockUntil(int fd, Clock::time_point deadline, const fs::path& path) {
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            throw StorageError("Die Sperrdatei " + path.string() + " kann nicht gesperrt werden (" +
                               std::strerror(errno) + ").");
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

} // namespace

FolderBusyError::FolderBusyError()
    : StorageError(std::string(kFolderBusyText) + " Es wurde nichts verändert.") {}

FolderLock::FolderLock(const fs::path& folder, std::chrono::milliseconds patience) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    const Clock::time_point deadline = Clock::now() + patience;
    const fs::path queuePath = folder / kFolderLockQueueFile;
    const fs::path lockPath = folder / kFolderLockFile;
    const int queue = openLockFile(queuePath);
    int lock = -1;
    try {
        lock = openLockFile(lockPath);
        // The queue first: whoever waits for the lock holds it, so a program that released the lock a
        // moment ago lines up behind the waiting one instead of taking the lock again at once.
        bool taken = lockUntil(queue, deadline, queuePath) && lockUntil(lock, deadline, lockPath);
        if (!taken) throw FolderBusyError();
    } catch (...) {
        closeFile(lock);
        closeFile(queue);
        throw;
    }
    closeFile(queue); // releases the queue for the next waiting program
    fd_ = lock;
}

FolderLock::~FolderLock() {
    closeFile(fd_);
}

} // namespace varemo
