#pragma once
// The panel of a group of settings, without the window: the values it shows, the entry of a value with
// its German refusal, "Vorgabewerte" and "Änderungen speichern". The window shows the fields of
// fields() with their values and passes the user's entries to enter().

#include "presentation/settings_catalogue.h"
#include "session/session.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

class SettingsPanel {
  public:
    // The panel shows the settings of the session's year as the steps use them now.
    SettingsPanel(const Globaldaten& g, SettingsPanelKind kind);

    SettingsPanelKind kind() const { return kind_; }
    std::string title() const;
    // The settings of the panel that the year has, with their meaning in it.
    const std::vector<SettingInfo>& fields() const { return fields_; }
    // What the panel says after "Änderungen speichern" (empty: nothing).
    std::vector<std::string> savedNotice() const;

    std::string value(const std::string& name, int month = 1) const;
    // Nothing when the value was taken; otherwise the message, and the panel is unchanged.
    std::optional<std::string> enter(const std::string& name, const std::string& text, int month = 1);
    // "Vorgabewerte": the panel's values become the shipped ones of the year (not yet saved).
    void restoreDefaults();
    // "Umlagesätze aktualisieren" (health funds): the U1 and U2 rates of every fund and month and the
    // Insolvenzgeld rate become the program's list of the year; the other rates, the names and the
    // liability stay as they are (not yet saved).
    void updateLevyRates();
    bool changed() const { return changed_; }
    // "Änderungen speichern": writes the settings and hands them to the steps (session/year_settings_ops.h).
    void save(Session& g);

  private:
    SettingsPanelKind kind_;
    YearSettings settings_;
    std::vector<SettingInfo> fields_;
    bool changed_ = false;
};

} // namespace varemo
