#include "session/pay_line_input.h"

#include "pay/basic_pay.h"
#include "pay/steps.h"
#include "session/case_load.h"

#include <algorithm>

namespace varemo {

bool PayLineChoice(Session& g, int line, int position) {
    if (line < 1 || line > kSheetLines) return true;
    const std::optional<KeySlot> keySlot = lineInfo(line).key;
    if (!keySlot) return true;
    const int limit = highestKey(*keySlot, g.year);
    if (position < 0 || (limit >= 0 && position > limit)) return true;

    Case& c = g.workingCase;
    const int month = std::clamp(c.monthIndex() + 1, 1, 12);
    switch (line) {
    case 4:
        if (usesPayTables(position) && !hasTariffTables(g, position, c.region(), month))
            g.prompter.tell("Sorry ... ",
                            {"Derzeit sind für dieses Dienstverhältnis noch keine Tariftabellen verfügbar."});
        return true;
    case 7:
        if (hasStepMovement(c.serviceRelationship()))
            c.enterAmount(AmountSlot::StepMovement, stepMovementMonths(position));
        return true;
    case 8: {
        if (position == c.key(KeySlot::Step) || !automaticStepApplies(c, g.year, month)) return true;
        PromptAnswer answer = g.prompter.ask(PromptMessage{
            PromptIcon::Question,
            "Berechnung der Grundgehaltsstufen ausschalten?",
            {"Das Programm berechnet die Grundgehaltsstufe in Zeile 8 nach dem Datum in Zeile 6.",
             "Wenn Sie die Grundgehaltsstufe in Zeile 8 ändern,",
             "wird die automatische Berechnung der Grundgehaltsstufe ausgeschaltet",
             "und das Datum in Zeile 6 wird gelöscht.", "Wollen Sie das?"},
            PromptButtons::YesNo});
        if (answer != PromptAnswer::Yes) return false;
        c.dateText.clear();
        c.enterAmount(AmountSlot::StepReserve, 0);
        c.enterAmount(AmountSlot::StepMovement, 0);
        return true;
    }
    default:
        return true;
    }
}

} // namespace varemo
