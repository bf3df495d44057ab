#pragma once
// Carrying an edit into the rest of the year: the working case runs again as each following month.

#include "model/globaldaten.h"

namespace varemo {

// Runs the working case again for each month after the shown one up to December, so that each
// month's record takes over the edited inputs; the shown month's case is restored afterwards. The
// payments typed into lines 18 to 20 are not carried: each month keeps the ones its record holds.
// Returns false when one of the runs failed (g.overflow tells whether it left the range of the
// program); the months after it are not run. The shown month's case and the worksheets of its own
// run are restored afterwards.
[[nodiscard]] bool RunFollowingMonths(Globaldaten& g);

} // namespace varemo
