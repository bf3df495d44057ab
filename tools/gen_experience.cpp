// experience/EDZ.txt: the texts of the experience-period window. Lines starting with "#" are remarks of
// the source and are left out; every other line belongs to the section whose "[Name]" line precedes it.
// The file is written as the program reads it: Windows-1252, CR LF.

#include "generators.h"

#include "base/cp1252.h"

#include <set>

namespace varemo::datagen {

std::string experienceFile(const SourceText& source) {
    std::string out;
    std::set<std::string> sections;
    for (int n = 1; n <= source.lineCount(); ++n) {
        const std::string& line = source.line(n);
        if (!line.empty() && line[0] == '#') continue;
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            if (!sections.insert(line).second) source.fail(n, "the section is listed twice");
        } else if (sections.empty() && !line.empty()) {
            source.fail(n, "a section \"[Name]\" expected before the text");
        }
        if (!fitsWindows1252(line)) source.fail(n, "not representable in Windows-1252");
        out += utf8ToCp1252(line) + "\r\n";
    }
    if (sections.empty()) source.fail(source.lineCount(), "no section");
    return out;
}

} // namespace varemo::datagen
