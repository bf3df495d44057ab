#include "presentation/settings_panel.h"

#include "session/year_settings_ops.h"

namespace varemo {

SettingsPanel::SettingsPanel(const Globaldaten& g, SettingsPanelKind kind)
    : kind_(kind), settings_(currentYearSettings(g)) {
    for (const SettingInfo& info : settingsCatalogue())
        if (info.panel == kind) fields_.push_back(&info);
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
    }
    return "";
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
    for (const SettingInfo* info : fields_)
        // Month by month, so that values kept per month take the shipped value of each month.
        for (int month = 1; month <= 12; ++month)
            (void)enterSetting(settings_, info->name, settingText(shipped, info->name, month), month);
    changed_ = true;
}

void SettingsPanel::save(Session& g) {
    SaveYearSettings(g, settings_);
    changed_ = false;
}

} // namespace varemo
