#include "include_rules.h"

#include <fstream>
#include <regex>

namespace varemo::architecture {
namespace {

std::set<std::string> plus(std::set<std::string> below, std::initializer_list<std::string> more) {
    below.insert(more.begin(), more.end());
    return below;
}

LayerRules makeProgramRules() {
    LayerRules r;
    auto& m = r.mayInclude;
    m["base"] = {};
    m["law"] = {"base"};
    m["tariffs"] = {"base"};
    m["model"] = {"base", "law", "tariffs"};
    m["pay"] = plus(m["model"], {"model"});
    m["deductions"] = plus(m["pay"], {"pay"});
    m["calc"] = plus(m["deductions"], {"deductions"});
    m["persistence"] = plus(m["calc"], {"calc"});
    m["session"] = plus(m["persistence"], {"persistence"});
    m["presentation"] = plus(m["session"], {"session"});
    // Beside presentation, each on the session and below; the printouts of the calculators need their
    // results, so calculators stands below print.
    m["calculators"] = m["presentation"];
    m["print"] = plus(m["calculators"], {"calculators"});
    m["update"] = m["presentation"];
    m["ui"] = plus(m["presentation"], {"presentation", "print", "calculators", "update"});
    m["app"] = plus(m["ui"], {"ui"});
    r.qtLayers = {"ui", "app"};
    return r;
}

std::string layerOf(const std::string& relative) {
    const auto slash = relative.find('/');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash);
}

} // namespace

const LayerRules& programRules() {
    static const LayerRules rules = makeProgramRules();
    return rules;
}

std::vector<Violation> checkIncludes(const std::filesystem::path& srcRoot, const LayerRules& rules) {
    static const std::regex projectInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
    static const std::regex qtInclude(R"re(^\s*#\s*include\s*<(Q[A-Za-z]*(/[^>]*)?)>)re");
    std::vector<Violation> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(srcRoot)) {
        if (!entry.is_regular_file()) continue;
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp" && ext != ".in") continue;
        const std::string file = std::filesystem::relative(entry.path(), srcRoot).generic_string();
        const std::string layer = layerOf(file);
        const auto allowed = rules.mayInclude.find(layer);
        if (allowed == rules.mayInclude.end()) {
            found.push_back({file, 0, "", "the folder \"" + layer + "\" is not a layer"});
            continue;
        }
        std::ifstream in(entry.path());
        std::string text;
        for (int number = 1; std::getline(in, text); ++number) {
            std::smatch m;
            if (std::regex_search(text, m, projectInclude)) {
                const std::string target = layerOf(m[1].str());
                if (target.empty() || target == layer) continue; // same folder or a generated neighbour
                if (!rules.mayInclude.count(target))
                    found.push_back({file, number, m[1].str(), "includes from an unknown folder"});
                else if (!allowed->second.count(target))
                    found.push_back({file, number, m[1].str(), layer + " may not include " + target});
            } else if (std::regex_search(text, m, qtInclude) && !rules.qtLayers.count(layer)) {
                found.push_back({file, number, m[1].str(), "Qt outside the window layers"});
            }
        }
    }
    return found;
}

std::string describe(const Violation& v) {
    return v.file + ":" + std::to_string(v.line) + ": " +
           (v.include.empty() ? "" : "#include " + v.include + ": ") + v.reason;
}

} // namespace varemo::architecture
