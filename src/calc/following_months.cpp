#include "calc/following_months.h"

#include "calc/calculation_run.h"

namespace varemo {

bool RunFollowingMonths(Globaldaten& g) {
    const Case shown = g.workingCase;
    bool ok = true;
    for (int month = shown.monthIndex() + 1; month <= 11 && ok; ++month) {
        g.workingCase.setKey(KeySlot::Month, static_cast<int16_t>(month));
        ok = RunCalculation(g);
    }
    g.workingCase = shown;
    return ok;
}

} // namespace varemo
