#include "calc/following_months.h"

#include "calc/calculation_run.h"
#include "pay/one_time_payments.h"

namespace varemo {
namespace {

// A payment typed into lines 18 to 20 is paid in the month it was typed into, not in every month the
// edit is carried into: each following month takes its own typed payments (none where its record
// holds none, or where no case files are open) instead of the shown month's.
void TakeOwnPayments(Globaldaten& g, int monthIndex) {
    Case own;
    if (g.store.holds(g.year, g.dataSet)) g.store.loadMonth(monthIndex + 1, g.caseNumber, own);
    for (AmountSlot s : kPaymentSlots)
        g.workingCase.enterAmount(s, typedPaymentAmount(own, s));
}

} // namespace

bool RunFollowingMonths(Globaldaten& g) {
    // What the window and the detail views show afterwards is the shown month: its case and the
    // worksheets its own run left, not those of December.
    const WorkingCaseMonth shown = g;
    const StepHandOver shownResults = g;
    const auto restoreShown = [&] {
        const bool overflow = g.overflow;
        static_cast<WorkingCaseMonth&>(g) = shown;
        static_cast<StepHandOver&>(g) = shownResults;
        g.overflow = overflow;
    };
    bool ok = true;
    const CaseYearInMemory heldCase(g.store, g.caseNumber);
    try {
        for (int month = shown.workingCase.monthIndex() + 1; month <= 11 && ok; ++month) {
            g.workingCase.setKey(KeySlot::Month, static_cast<int16_t>(month));
            TakeOwnPayments(g, month);
            ok = RunCalculation(g);
        }
    } catch (...) {
        // A month record that cannot be read belongs to the operation around the run, as a failed write
        // does; the shown month stays what it was.
        restoreShown();
        throw;
    }
    restoreShown();
    return ok;
}

} // namespace varemo
