#include "base/file_names.h"

#include <algorithm>
#include <cctype>

namespace varemo {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::filesystem::path findFileIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
    std::error_code ec;
    if (std::filesystem::exists(folder / name, ec)) return folder / name;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (equalIgnoringCase(entry.path().filename().string(), name)) return entry.path();
    }
    return folder / name;
}

} // namespace varemo
