#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace varemo::test {

// A fresh folder under the system's temporary folder, removed with everything in it on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The bytes of a file; empty when it cannot be read.
std::string fileBytes(const std::filesystem::path& path);

// Every regular file below a folder (relative name -> its bytes), to check that nothing changed.
using FolderFiles = std::map<std::string, std::string>;
FolderFiles filesBelow(const std::filesystem::path& root);
// The names of the files that differ between two snapshots (changed, added or gone): an empty list
// reads well in a failing test, where a whole snapshot would not.
std::vector<std::string> changedFiles(const FolderFiles& before, const FolderFiles& after);

} // namespace varemo::test
