#pragma once
// The program's session: one object, created by the program (or a test) and passed by reference. It is
// the Globaldaten the calculation steps share, with the open case files of the selected year and data
// set and what the program keeps of its settings and the user folder.

#include "model/globaldaten.h"
#include "persistence/case_files.h"
#include "persistence/storage_state.h"

namespace varemo {

// The case files come first so that they exist before Globaldaten refers to them.
struct SessionFiles {
    CaseFiles files;
};

struct Session : SessionFiles, Globaldaten {
    explicit Session(Prompter& p) : SessionFiles{}, Globaldaten(p, files) {}

    StorageState storage; // settings, window record and start-up switches
};

// Writes the user folder's window record with the selection shown now (persistence/window_record.h).
void SaveWindowRecord(Session& g);

} // namespace varemo
