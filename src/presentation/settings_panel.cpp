#include "presentation/settings_panel.h"

#include "base/prompter.h"
#include "pay/special_payment_tables.h"
#include "session/year_settings_ops.h"

namespace varemo {

SettingsPanel::SettingsPanel(const Globaldaten& g, SettingsPanelKind kind)
    : kind_(kind), settings_(currentYearSettings(g)) {
    for (SettingInfo& info : settingsOfYear(settings_.year))
        if (info.panel == kind) fields_.push_back(std::move(info));
}

std::string SettingsPanel::title() const {
    const std::string year = std::to_string(settings_.year);
    switch (kind_) {
    case SettingsPanelKind::TariffMultipliers:
        return "Einsatz der Tariftabellen im Jahr " + year;
    case SettingsPanelKind::SupplementaryPension:
        return "Betriebliche Altersvorsorge " + year;
    case SettingsPanelKind::HealthFunds:
        return "K R A N K E N K A S S E N";
    case SettingsPanelKind::SocialInsurance:
        return "Vorgaben für die Sozialversicherung im Jahr " + year;
    case SettingsPanelKind::ChurchTax:
        return "Vorgabewerte für die Kirchensteuer " + year;
    case SettingsPanelKind::FamilyAllowance:
        return "Familienzuschlag";
    case SettingsPanelKind::SpecialPayments:
        return "Jahressonderzahlung " + year;
    case SettingsPanelKind::WeeklyHours:
        return "Regelmäßige Wochenarbeitszeit in Stunden im Jahr " + year;
    case SettingsPanelKind::ChristmasBonus:
        return "Weihnachtsgeld (BAT, MT-Arb) im Jahr " + year;
    case SettingsPanelKind::TimeSupplements:
        return "Stundensätze der Zeitzuschläge (Zeilen 16, 17) im Jahr " + year;
    case SettingsPanelKind::ChildBenefit:
        return "Vorgaben für das Kindergeld";
    case SettingsPanelKind::PensionLevy:
        return "Pensionsumlage bzw. Versorgungsrücklage im Jahr " + year;
    case SettingsPanelKind::PartialRetirement:
        return "Altersteilzeit ";
    case SettingsPanelKind::CivilServantRules:
        return "Sonderzahlung der Beamten im Jahr " + year;
    }
    return "";
}

std::vector<std::string> SettingsPanel::savedNotice() const {
    if (kind_ != SettingsPanelKind::CivilServantRules) return {};
    return {"Die Regeln gelten für die Monate, die von jetzt an berechnet werden.",
            "Gespeicherte Personalfälle behalten ihre Sonderzahlung, bis sie neu berechnet werden:",
            "Mit \"Daten/Alle Fälle neu durchrechnen\" werden alle Personalfälle des Jahres neu berechnet."};
}

std::string SettingsPanel::value(const std::string& name, int month) const {
    return settingText(settings_, name, month);
}

std::optional<std::string> SettingsPanel::enter(const std::string& name, const std::string& text, int month) {
    const SettingInfo* info = findSetting(name);
    if (!info || info->panel != kind_)
        return "Die Einstellung \"" + name + "\" gehört nicht zu diesem Fenster.";
    auto refused = enterSetting(settings_, name, text, month);
    if (!refused) changed_ = true;
    return refused;
}

void SettingsPanel::restoreDefaults() {
    const YearSettings shipped = YearSettings::shipped(settings_.year);
    YearSettings& s = settings_;
    switch (kind_) {
    case SettingsPanelKind::TariffMultipliers:
        s.pay.multipliers = shipped.pay.multipliers;
        break;
    case SettingsPanelKind::FamilyAllowance:
        s.pay.familyAllowanceComputed = shipped.pay.familyAllowanceComputed;
        s.pay.traineeName = shipped.pay.traineeName;
        break;
    case SettingsPanelKind::SpecialPayments:
        s.pay.holidayPay = shipped.pay.holidayPay;
        s.pay.keepSpecialPaymentsOwnTable = shipped.pay.keepSpecialPaymentsOwnTable;
        s.pay.landShareBase = shipped.pay.landShareBase;
        s.pay.landSharePerChild = shipped.pay.landSharePerChild;
        // Only the year's percentages: the other years keep theirs.
        for (int agreement = 0; agreement < kAgreementEntries; ++agreement)
            restoreShippedPercentages(s.annualPayments, agreement, s.year);
        break;
    case SettingsPanelKind::ChurchTax:
        s.churchTax = shipped.churchTax;
        s.pay.soliByFlowChart = shipped.pay.soliByFlowChart;
        break;
    case SettingsPanelKind::SocialInsurance:
        s.sv = shipped.sv;
        break;
    case SettingsPanelKind::HealthFunds:
        s.funds = shipped.funds;
        s.liability = shipped.liability;
        break;
    case SettingsPanelKind::SupplementaryPension:
        s.pension = shipped.pension;
        break;
    case SettingsPanelKind::WeeklyHours:
        s.tables.weeklyHours = shipped.tables.weeklyHours;
        break;
    case SettingsPanelKind::ChristmasBonus:
        s.tables.christmasBonus = shipped.tables.christmasBonus;
        break;
    case SettingsPanelKind::TimeSupplements:
        s.tables.hourlyRates = shipped.tables.hourlyRates;
        break;
    case SettingsPanelKind::ChildBenefit:
        s.tables.childBenefit = shipped.tables.childBenefit;
        break;
    case SettingsPanelKind::PensionLevy:
        s.tables.pensionReservePercent = shipped.tables.pensionReservePercent;
        s.tables.pensionFundLevyPercent = shipped.tables.pensionFundLevyPercent;
        break;
    case SettingsPanelKind::PartialRetirement:
        s.retirement = shipped.retirement;
        break;
    case SettingsPanelKind::CivilServantRules:
        s.civilRules = shipped.civilRules;
        break;
    }
    changed_ = true;
}

void SettingsPanel::updateLevyRates() {
    if (kind_ != SettingsPanelKind::HealthFunds) return;
    const FundTable shipped = FundTable::defaultsFor(settings_.year);
    RecordingPrompter quiet; // the shipped rates lie within the entry bounds
    FundTable& funds = settings_.funds;
    for (int fund = 0; fund < kHealthFunds; ++fund)
        for (int m = 0; m < 12; ++m) {
            const FundRates& from = shipped.rates(fund, m);
            (void)funds.enter(quiet, fund, m, FundField::U1, from.u1, false);
            (void)funds.enter(quiet, fund, m, FundField::U2, from.u2, false);
        }
    (void)funds.enterInsolvencyRate(quiet, shipped.insolvencyRate());
    changed_ = true;
}

void SettingsPanel::save(Session& g) {
    SaveYearSettings(g, settings_);
    changed_ = false;
}

} // namespace varemo
