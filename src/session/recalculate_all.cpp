#include "session/recalculate_all.h"

#include "calc/calculation_run.h"
#include "deductions/supplementary_pension.h"
#include "pay/steps.h"
#include "persistence/user_files.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/guarded.h"

#include <algorithm>

namespace varemo {
namespace {

constexpr int kFundEnteredRate = 33;
constexpr int kReducedRateKind = 10;
constexpr int kSubsidyKind = 1; // "KV-AG-Zuschuß": one position above the rate

} // namespace

PromptMessage recalculationQuestion(const Session& g) {
    const std::string folder = g.userFolder.filename().string();
    return PromptMessage{PromptIcon::Question,
                         kRecalculationTitle,
                         {"Das Neuberechnen   a l l e r   Personalfälle bezieht sich",
                          "nach den derzeitigen Einstellungen auf", "- " + folder,
                          "- das Jahr " + std::to_string(g.year),
                          "- die Arbeitsebene " + dataSetName(g.dataSet) + ".",
                          "Der Vorgang kann nicht rückgängig gemacht werden!",
                          "Der Fortschritt wird in der Fußzeile angezeigt."},
                         PromptButtons::OkCancel,
                         /*refusalIsDefault=*/true};
}

std::string recalculationProgress(int caseNumber, int month) {
    return "Personalfall " + std::to_string(caseNumber) + ", " + std::to_string(month) + ". Monat";
}

int recalculationCaseCount(const Session& g) {
    const int count = g.year >= kFirstYear && g.year <= kLastYear ? caseCount(g, g.year) : 0;
    return std::max(count, 2);
}

void ResetHealthRatePosition(Session& g) {
    Case& c = g.workingCase;
    const int kind = c.key(KeySlot::ContributionKind);
    const int fund = c.key(KeySlot::HealthFund);
    if (fund >= 0 && fund < kHealthFunds && (fund < kFundEnteredRate || fund == 34)) {
        if (g.funds.year() != g.year) g.funds = FundTable::defaultsFor(g.year);
        const FundRates& r = g.funds.rates(fund, std::clamp(c.monthIndex(), 0, 11));
        const int32_t rate = kind >= kReducedRateKind ? r.reduced : r.general;
        c.setKey(KeySlot::HealthRate, static_cast<int16_t>(divideHalfEven(rate - 1000, 5)));
    }
    // Funds 33 and 35 keep the position the case holds.
    if (kind == kSubsidyKind)
        c.setKey(KeySlot::HealthRate, static_cast<int16_t>(c.key(KeySlot::HealthRate) + 1));
    else if (int fixed = fixedHealthRatePosition(kind); fixed >= 0)
        c.setKey(KeySlot::HealthRate, static_cast<int16_t>(fixed));
}

RecalculationSummary RecalculateAllCases(Session& g) {
    RecalculationSummary summary;
    if (refuseDamagedCaseFiles(g, g.year)) return summary;
    if (g.prompter.ask(recalculationQuestion(g)) != PromptAnswer::Ok) return summary;
    UserFolderWrite lock(g);
    summary.done = true;

    // The yearly defaults of the user, read again.
    if (!g.userFolder.empty())
        g.yearDefaults = readRecordIfExists(findFileIgnoringCase(g.userFolder, kYearDefaultsFile),
                                            kYearDefaultsRecordLength, yearRecordNumber(g.year));
    g.extras.keyCodeRulesYear = 0;
    g.extras.annualPercentagesLoaded = false;

    if (!g.files.isOpen() || g.files.year() != g.year || g.files.dataSet() != g.dataSet) OpenYearFiles(g);
    const int count = recalculationCaseCount(g);
    // The run writes every case-month whatever the window was showing.
    const bool suspended = g.closingStepSuspended;
    const int mode = g.modeField;
    g.closingStepSuspended = false;
    g.modeField = 0;
    const StoredCases stored(g, g.year);
    for (int caseNumber = 1; caseNumber < count; ++caseNumber) {
        // A number without any record (a gap in the list) is no case; loading it would make one.
        if (caseNumber > 1 && !stored.contains(caseNumber)) continue;
        const CaseYearInMemory heldCase(g.files, caseNumber);
        for (int month = 1; month <= 12; ++month) {
            // Loading replaces the whole working case: the defaults ("Grundstellung") need no copy of
            // their own, and a record the checks reset is loaded as the defaults.
            g.caseNumber = caseNumber;
            g.selectMonth(month);
            LoadCaseMonth(g);
            g.workingCase.setKey(KeySlot::Month, static_cast<int16_t>(month - 1));
            ApplyPensionDefaults(g);
            ComputeStep(g);
            ResetHealthRatePosition(g);
            if (!RunCalculation(g)) {
                if (g.overflow)
                    ++summary.outOfRange;
                else
                    ++summary.failed;
            }
            ++summary.monthsRun;
            g.storage.showStatus(recalculationProgress(caseNumber, month));
        }
        ++summary.cases;
    }
    g.closingStepSuspended = suspended;
    g.modeField = mode;

    // Case 1, month 1 as after a choice in line 1.
    g.caseNumber = 1;
    g.selectMonth(1);
    SelectCaseMonth(g);
    return summary;
}

} // namespace varemo
