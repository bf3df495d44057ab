#pragma once
// File names as users and other programs leave them: the program finds its files whatever the case of
// their names.

#include <filesystem>
#include <string>

namespace varemo {

// True when a and b are equal without regard to the case of ASCII letters.
bool equalIgnoringCase(const std::string& a, const std::string& b);

// The existing file in folder whose name equals name without regard to case, else folder / name.
std::filesystem::path findFileIgnoringCase(const std::filesystem::path& folder, const std::string& name);

} // namespace varemo
