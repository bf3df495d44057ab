#pragma once
// The user's settings of a year (persistence/year_settings.h) in the session: read when the files of a
// year are opened, handed to the steps through Globaldaten (the tax step's church tax values, the
// contribution step's defaults, fund list and levy liability, the pension step's fund settings, the pay
// steps' multipliers and switches), and written by the panels and the command line.

#include "persistence/year_settings.h"
#include "session/session.h"

namespace varemo {

// Hands the settings to the steps; they take effect from the next run on.
void applyYearSettings(Globaldaten& g, const YearSettings& s);

// Reads the settings of g.year from the user folder and hands them to the steps. A damaged file
// throws RecordFileError with the message naming it; the session keeps what it had.
void LoadYearSettings(Session& g);

// The settings of g.year as the steps use them now.
YearSettings currentYearSettings(const Globaldaten& g);

// Writes the settings into the files of their year, under the user folder's lock: all files or, when
// one cannot be written, none of them (the message names the cause). Settings of g.year are handed to
// the steps. Stored cases keep their figures until they are calculated again.
void SaveYearSettings(Session& g, const YearSettings& s);

} // namespace varemo
