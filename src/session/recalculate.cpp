#include "session/recalculate.h"

#include "calc/calculation_run.h"
#include "pay/pay_options.h"

namespace varemo {

void Redisplay(Session& g) {
    PayOptionLists source(g);
    buildSheet(g.workingCase, g.sheet, &source);
}

void ShowOverflow(Session& g) {
    g.prompter.ask(PromptMessage{PromptIcon::Critical, kOverflowTitle, {kOverflowText}, PromptButtons::Ok});
}

bool RunFollowingMonths(Session& g) {
    const Case shown = g.workingCase;
    bool ok = true;
    for (int month = shown.monthIndex() + 1; month <= 11 && ok; ++month) {
        g.workingCase.setKey(KeySlot::Month, static_cast<int16_t>(month));
        ok = RunCalculation(g);
    }
    g.workingCase = shown;
    return ok;
}

bool RecalculateShownMonth(Session& g) {
    bool ok = RunCalculation(g);
    Redisplay(g);
    if (!ok) ShowOverflow(g);
    return ok;
}

bool RecalculateAndRedisplay(Session& g) {
    // After an overflow the following months would leave the range the same way; the message is
    // shown once.
    if (!RecalculateShownMonth(g)) return false;
    bool ok = true;
    int monthIndex = g.workingCase.monthIndex();
    if (monthIndex <= 10) {
        bool amountOfDays = g.editCode == 202 || g.editCode == 203;
        if (g.followingMonthsOn && !amountOfDays) {
            if (!RunFollowingMonths(g)) {
                ShowOverflow(g);
                ok = false;
            }
        }
        if (!g.closingStepSuspended && g.modeField != 12) WriteYearRecord(g);
    }
    g.editCode = 0;
    return ok;
}

} // namespace varemo
