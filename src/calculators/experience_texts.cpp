#include "calculators/experience_texts.h"

#include "base/cp1252.h"
#include "base/error.h"
#include "base/file_names.h"
#include "persistence/file_ops.h"
#include "tariffs/service_relationship.h"

#include <sstream>

namespace varemo {
namespace fs = std::filesystem;

const std::vector<std::string>& experienceSections() {
    static const std::vector<std::string> sections = {kExperienceKinds, kRulesTvoed,      kRulesTvl,
                                                      kRulesBbesg,      kTopicAssessment, kTopicServiceAge};
    return sections;
}

ExperienceTexts parseExperienceTexts(const std::string& text, const std::string& fileName) {
    ExperienceTexts out;
    std::vector<std::string>* section = nullptr;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            section = &out[line.substr(1, line.size() - 2)];
            continue;
        }
        if (section) section->push_back(line);
    }
    for (auto& [name, lines] : out)
        while (!lines.empty() && lines.back().find_first_not_of(' ') == std::string::npos)
            lines.pop_back();
    for (const std::string& name : experienceSections())
        if (out[name].empty())
            throw Error("In der Datei " + fileName + " fehlt der Abschnitt [" + name +
                        "]; die Texte der Erfahrungszeiten können nicht angezeigt werden.");
    return out;
}

ExperienceTexts LoadExperienceTexts(const Session& g) {
    const fs::path file =
        findFileIgnoringCase(findFileIgnoringCase(g.dataRootOrProgram(), "Tarife"), kExperienceFile);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        throw Error("Die Datei " + file.string() +
                    " fehlt; die Texte der Erfahrungszeiten können nicht angezeigt werden.");
    const std::vector<uint8_t> bytes = readWholeFile(file);
    return parseExperienceTexts(cp1252ToUtf8(std::string(bytes.begin(), bytes.end())), file.string());
}

std::string experienceRulesSection(const Case& c) {
    using namespace relationship;
    const int sr = c.serviceRelationship();
    if (sr == kTvl || sr == kTvlCare || sr == kTvlSocial) return kRulesTvl;
    if (isEmployee(sr)) return kRulesTvoed;
    return kRulesBbesg;
}

} // namespace varemo
