#pragma once
// The layer rules of src/: which folder may include which, checked on the sources themselves so that
// no include can go up or sideways and no cycle can come back.

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace varemo::architecture {

struct LayerRules {
    // Layer (a folder directly under src/) -> the layers it may include besides itself.
    std::map<std::string, std::set<std::string>> mayInclude;
    // Layers that may include Qt headers.
    std::set<std::string> qtLayers;
};

// The rules of this program (docs/architecture.md).
const LayerRules& programRules();

struct Violation {
    std::string file; // relative to the source root
    int line = 0;
    std::string include; // what it includes
    std::string reason;
};

// Every include under srcRoot that breaks the rules: a project include ("layer/file.h") of a layer not
// allowed, a Qt include outside the window layers, and any file in a folder the rules do not know.
std::vector<Violation> checkIncludes(const std::filesystem::path& srcRoot, const LayerRules& rules);

std::string describe(const Violation& v);

} // namespace varemo::architecture
