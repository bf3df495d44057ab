#pragma once
// The program's session: one object, created by the program (or a test) and passed by reference. It is
// the Globaldaten the calculation steps share, with the open case files of the selected year and data
// set and what the program keeps of its settings and the user folder.

#include "model/globaldaten.h"
#include "persistence/case_files.h"
#include "persistence/storage_state.h"

#include <set>
#include <string>

namespace varemo {

// The case files come first so that they exist before Globaldaten refers to them.
struct SessionFiles {
    CaseFiles files;
};

// The notices of missing values already told for the shown case-month: each is told once while the
// clerk works on that month, not again after every edit.
struct ToldNotices {
    std::string shown; // folder, year, data set, case and month the texts belong to
    std::set<std::string> texts;
};

struct Session : SessionFiles, Globaldaten {
    explicit Session(Prompter& p) : SessionFiles{}, Globaldaten(p, files) {}

    StorageState storage; // settings, window record and start-up switches
    ToldNotices told;
};

// Writes the user folder's window record with the selection shown now (persistence/window_record.h).
void SaveWindowRecord(Session& g);

} // namespace varemo
