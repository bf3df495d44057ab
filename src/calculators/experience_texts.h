#pragma once
// The texts of the experience-period window, shipped in "EDZ.ttt" of the tariff folder: the kinds of
// period, the recognition rules of each legal basis and the help topics "27-Bemessung" and
// "28-Besoldungsdienstalter". The file is Windows-1252 text; a line "[Name]" starts a section, the
// lines up to the next one are its text.

#include "session/session.h"

#include <map>
#include <string>
#include <vector>

namespace varemo {

inline constexpr const char* kExperienceFile = "EDZ.ttt";

// The sections every file has.
inline constexpr const char* kExperienceKinds = "Arten";
inline constexpr const char* kRulesTvoed = "Anrechnung § 16 TVöD";
inline constexpr const char* kRulesTvl = "Anrechnung § 16 TV-L";
inline constexpr const char* kRulesBbesg = "Anrechnung § 28 BBesG";
inline constexpr const char* kTopicAssessment = "27-Bemessung";
inline constexpr const char* kTopicServiceAge = "28-Besoldungsdienstalter";
const std::vector<std::string>& experienceSections();

using ExperienceTexts = std::map<std::string, std::vector<std::string>>;

// The sections of a file's text (UTF-8); blank lines at a section's end are dropped. Throws Error naming
// `fileName` and the first required section it lacks.
ExperienceTexts parseExperienceTexts(const std::string& text, const std::string& fileName);

// Reads the file of the tariff folder. Throws Error naming the file when it is missing or incomplete.
ExperienceTexts LoadExperienceTexts(const Session& g);

// The section of recognition rules for the case: TV-L, the other collective agreements, civil servants.
std::string experienceRulesSection(const Case& c);

} // namespace varemo
