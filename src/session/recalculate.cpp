#include "session/recalculate.h"

#include "calc/calculation_run.h"
#include "deductions/missing_rates.h"
#include "deductions/sheet_options.h"
#include "pay/basic_pay.h"
#include "session/guarded.h"

namespace varemo {

void Redisplay(Session& g) {
    SheetOptionLists source(g);
    buildSheet(g.workingCase, g.sheet, &source);
}

void ShowOverflow(Session& g) {
    g.prompter.ask(PromptMessage{PromptIcon::Critical, kOverflowTitle, {kOverflowText}, PromptButtons::Ok});
}

bool RecalculateShownMonth(Session& g) {
    bool ok = RunCalculation(g);
    Redisplay(g);
    if (g.overflow) ShowOverflow(g); // a run that failed otherwise has shown its own message
    // Told for the shown month only: the following months of an edit would repeat it once a month; and
    // once while that month is shown, not again after each edit of it.
    if (ok) {
        const std::string shown = g.userFolder.string() + "|" + std::to_string(g.year) + "|" +
                                  std::to_string(static_cast<int>(g.dataSet)) + "|" +
                                  std::to_string(g.caseNumber) + "|" + std::to_string(g.month());
        if (shown != g.told.shown) g.told = ToldNotices{shown, {}};
        auto tell = [&g](const PromptMessage& notice) {
            if (g.told.texts.insert(notice.title + "\n" + notice.text()).second) g.prompter.ask(notice);
        };
        if (auto notice = missingBasicPayNotice(g)) tell(*notice);
        for (const PromptMessage& notice : missingRateNotices(g))
            tell(notice);
    }
    return ok;
}

bool RecalculateAndRedisplay(Session& g) {
    UserFolderWrite lock(g);
    // After an overflow the following months would leave the range the same way; the message is
    // shown once. A failed run does not carry its inputs into the following months either.
    if (!RecalculateShownMonth(g)) return false;
    bool ok = true;
    int monthIndex = g.workingCase.monthIndex();
    if (monthIndex <= 10) {
        bool amountOfDays = g.editCode == 202 || g.editCode == 203;
        if (g.followingMonthsOn && !amountOfDays) {
            if (!RunFollowingMonths(g)) {
                if (g.overflow) ShowOverflow(g);
                ok = false;
            }
        }
        if (!g.closingStepSuspended && g.modeField != 12) WriteYearRecord(g);
    }
    g.editCode = 0;
    return ok;
}

} // namespace varemo
