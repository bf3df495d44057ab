#pragma once
// A session on a fresh temporary program folder with scripted answers.

#include "session/session.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace varemo::test {

struct TestSession {
    explicit TestSession(int year = 2020, DataSet set = DataSet::Real, int caseNumber = 1, int month = 1);

    TempDir dir;
    ScriptedPrompter prompter;
    Session g;

    // Texts of all messages shown so far, each as "title: line1\nline2".
    std::vector<std::string> messageTexts() const;
};

} // namespace varemo::test
