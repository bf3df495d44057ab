#include "session/year_settings_ops.h"

#include "model/user_file_names.h"
#include "persistence/file_ops.h"
#include "session/guarded.h"

namespace varemo {

void applyYearSettings(Globaldaten& g, const YearSettings& s) {
    g.pay.multipliers = s.pay.multipliers;
    g.pay.familyAllowanceComputed = s.pay.familyAllowanceComputed;
    g.pay.traineeName = s.pay.traineeName;
    g.extras.holidayPaySwitch = s.pay.holidayPay;
    g.extras.keepSpecialPaymentsOwnTable = s.pay.keepSpecialPaymentsOwnTable;
    g.extras.landShareBase = s.pay.landShareBase;
    g.extras.landSharePerChild = s.pay.landSharePerChild;
    g.tax.soliByFlowChart = s.pay.soliByFlowChart;
    g.social.defaults = s.sv;
    g.social.defaults.year = s.year;
    g.social.liability = s.liability;
    g.funds = s.funds;
    g.tax.lands = s.churchTax;
    g.tax.churchDataYear = s.year;
    g.pension.settings = s.pension;
    g.pension.settingsYear = s.year;
    g.extras.annualPercentages = s.annualPayments;
    g.extras.annualPercentagesFolder = g.userFolder;
    g.extras.annualPercentagesLoaded = true;
    g.colours = s.colours;
    g.pay.tables = s.tables;
    g.pay.tablesYear = s.year;
    g.retirement.percents = s.retirement;
    g.extras.civilRules = s.civilRules;
    g.extras.civilRulesYear = s.year;
}

void LoadYearSettings(Session& g) {
    const YearSettings s = readYearSettings(g.userFolder, g.year);
    applyYearSettings(g, s);
    if (!s.civilRulesProblem.empty())
        g.prompter.tell("Sonderzahlung der Beamten", {s.civilRulesProblem}, PromptIcon::Warning);
}

YearSettings currentYearSettings(const Globaldaten& g) {
    // Parts a step has not taken for the year yet are the stored ones of the year.
    YearSettings s = YearSettings::shipped(g.year);
    s.pay.multipliers = g.pay.multipliers;
    s.pay.familyAllowanceComputed = g.pay.familyAllowanceComputed;
    s.pay.traineeName = g.pay.traineeName;
    s.pay.holidayPay = g.extras.holidayPaySwitch;
    s.pay.keepSpecialPaymentsOwnTable = g.extras.keepSpecialPaymentsOwnTable;
    s.pay.landShareBase = g.extras.landShareBase;
    s.pay.landSharePerChild = g.extras.landSharePerChild;
    s.pay.soliByFlowChart = g.tax.soliByFlowChart;
    if (g.social.defaults.year == g.year) s.sv = g.social.defaults;
    s.liability = g.social.liability;
    if (g.funds.year() == g.year) s.funds = g.funds;
    if (g.tax.churchDataYear == g.year) s.churchTax = g.tax.lands;
    if (g.pension.settingsYear == g.year) s.pension = g.pension.settings;
    if (g.extras.annualPercentagesLoaded && g.extras.annualPercentagesFolder == g.userFolder)
        s.annualPayments = g.extras.annualPercentages;
    s.colours = g.colours;
    if (g.pay.tablesYear == g.year) s.tables = g.pay.tables;
    s.retirement = g.retirement.percents;
    if (g.extras.civilRulesYear == g.year) s.civilRules = g.extras.civilRules;
    return s;
}

void SaveYearSettings(Session& g, const YearSettings& s) {
    UserFolderWrite lock(g);
    if (!g.userFolder.empty()) {
        FileSnapshot snapshot(g.userFolder);
        const auto file = [&g](const char* name) { return findFileIgnoringCase(g.userFolder, name); };
        snapshot.add({file(kYearDefaultsFile), file(kChurchTaxFile), file(kPensionDefaultsFile),
                      file(kAnnualPaymentFile), file(kSpecialPaymentFile), file(kPartialRetirementFile),
                      file(kCivilServantPaymentFile)});
        try {
            // Only the files whose part changed are written.
            const YearSettings stored = readYearSettings(g.userFolder, s.year);
            if (!sameYearDefaults(s, stored)) writeYearDefaultsSettings(g.userFolder, s);
            if (s.churchTax != stored.churchTax) writeChurchTaxSettings(g.userFolder, s);
            if (s.pension != stored.pension) writePensionSettings(g.userFolder, s);
            if (s.annualPayments != stored.annualPayments) writeAnnualPaymentSettings(g.userFolder, s);
            if (s.tables != stored.tables) writeYearTableSettings(g.userFolder, s);
            if (s.retirement != stored.retirement) writePartialRetirementSettings(g.userFolder, s);
            if (s.civilRules != stored.civilRules) writeCivilServantRuleSettings(g.userFolder, s);
        } catch (const std::exception& e) {
            const bool restored = snapshot.restore();
            throw StorageError("Die Einstellungen des Jahres " + std::to_string(s.year) +
                               " konnten nicht gespeichert werden. Ursache: " + failureCause(e) +
                               (restored ? " Es wurde nichts geändert."
                                         : " Die Dateien konnten nicht vollständig zurückgesetzt werden."));
        }
    }
    if (s.year == g.year) applyYearSettings(g, s);
}

} // namespace varemo
