#include "support/session.h"

#include "session/case_load.h"

namespace varemo::test {

TestSession::TestSession(int year, DataSet set, int caseNumber, int month) : g(prompter) {
    g.programDir = dir.path();
    g.userFolder = dir.path() / "User001";
    g.year = year;
    g.dataSet = set;
    g.caseNumber = caseNumber;
    g.selectMonth(month);
    OpenYearFiles(g);
}

std::vector<std::string> TestSession::messageTexts() const {
    std::vector<std::string> out;
    for (const auto& m : prompter.messages())
        out.push_back(m.title + ": " + m.text());
    return out;
}

} // namespace varemo::test
