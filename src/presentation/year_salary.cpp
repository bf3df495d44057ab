#include "presentation/year_salary.h"

#include "persistence/month_record.h"
#include "session/case_load.h"
#include "session/recalculate.h"

#include <limits>
#include <string>
#include <vector>

namespace varemo {

std::vector<std::string> yearSalaryOverflowText(const std::vector<int>& lines) {
    std::string which = lines.size() == 1 ? "der Zeile " : "der Zeilen ";
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) which += i + 1 == lines.size() ? " und " : ", ";
        which += std::to_string(lines[i]);
    }
    const std::string low = Money::fromCents(std::numeric_limits<int32_t>::min()).toDisplay();
    const std::string high = Money::fromCents(std::numeric_limits<int32_t>::max()).toDisplay();
    return {"Die Jahressumme " + which + " liegt außerhalb des Wertebereichs des Programms",
            "(" + low + " bis " + high + ") und wird deshalb nicht angezeigt."};
}

bool isAnnualTotalLine(int line) {
    return (line >= 8 && line <= 26) || (line >= 34 && line <= 47);
}

bool LoadYearSalary(Session& g) {
    g.selectMonth(12);
    LoadCaseMonth(g);
    g.selectMonth(kYearSalaryMonth);
    Case& c = g.workingCase;
    c.setKey(KeySlot::Month, static_cast<int16_t>(kYearSalaryMonth - 1));

    std::array<int64_t, kAmountSlots> sums{};
    std::array<int64_t, kGrossLines> lineSums{};
    for (int m = 1; m <= 12; ++m) {
        Case month;
        unpackMonthRecord(g.files.readMonth(m, g.caseNumber), month);
        for (int line = 1; line <= kSheetLines; ++line) {
            auto s = lineInfo(line).amount;
            if (s && isAnnualTotalLine(line)) sums[slotIndex(*s)] += month.amount(*s);
        }
        for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line)
            lineSums[static_cast<size_t>(line - kFirstGrossLine)] += month.grossLine(line).amount.units();
    }
    std::vector<int> outOfRange;
    for (int line = 1; line <= kSheetLines; ++line) {
        auto s = lineInfo(line).amount;
        if (!s || !isAnnualTotalLine(line)) continue;
        int64_t sum = sums[slotIndex(*s)];
        if (sum > std::numeric_limits<int32_t>::max() || sum < std::numeric_limits<int32_t>::min()) {
            outOfRange.push_back(line);
            sum = 0;
        }
        c.enterAmount(*s, static_cast<int32_t>(sum));
    }
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        Money total = Money::fromUnits(lineSums[static_cast<size_t>(line - kFirstGrossLine)]);
        c.grossLine(line).amount = total;
        c.grossLine(line).reducedAmount = total;
    }
    Redisplay(g);
    // A total the program cannot hold shows no amount rather than a 0 beside the true totals of the
    // other lines; the message names the lines.
    for (int line : outOfRange)
        g.sheet.line(line).amountCents.reset();
    if (!outOfRange.empty())
        g.prompter.tell(kYearSalaryTitle, yearSalaryOverflowText(outOfRange), PromptIcon::Warning);
    return outOfRange.empty();
}

} // namespace varemo
