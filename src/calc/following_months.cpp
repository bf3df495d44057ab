#include "calc/following_months.h"

#include "calc/calculation_run.h"

namespace varemo {

bool RunFollowingMonths(Globaldaten& g) {
    // What the window and the detail views show afterwards is the shown month: its case and the
    // worksheets its own run left, not those of December.
    const WorkingCaseMonth shown = g;
    const StepHandOver shownResults = g;
    bool ok = true;
    for (int month = shown.workingCase.monthIndex() + 1; month <= 11 && ok; ++month) {
        g.workingCase.setKey(KeySlot::Month, static_cast<int16_t>(month));
        ok = RunCalculation(g);
    }
    const bool overflow = g.overflow;
    static_cast<WorkingCaseMonth&>(g) = shown;
    static_cast<StepHandOver&>(g) = shownResults;
    g.overflow = overflow;
    return ok;
}

} // namespace varemo
