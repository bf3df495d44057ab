#include "base/file_names.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace varemo {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::filesystem::path findFileIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
    std::error_code ec;
    std::filesystem::path exact = folder / name;
    if (std::filesystem::exists(exact, ec)) return exact;
    // Most names asked for are of files not (yet) made, so the folder is read in full each time: with the
    // plain entry names, not a path object per entry, which costs several times as much.
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return exact;
    std::filesystem::path found = exact;
    while (const dirent* entry = ::readdir(dir)) {
        const char* entryName = entry->d_name;
        if (std::strcmp(entryName, ".") == 0 || std::strcmp(entryName, "..") == 0) continue;
        if (std::strlen(entryName) == name.size() && equalIgnoringCase(entryName, name)) {
            found = folder / entryName;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace varemo
