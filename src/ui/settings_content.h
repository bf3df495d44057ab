#pragma once
// The contents of the panel window that edit the user's settings of the year (the panel models of
// presentation/settings_panel.h): a table of the settings with their meaning and value, the month from
// which values kept per month apply, "Vorgabewerte" and "Änderungen speichern".

#include "ui/tablett.h"

#include <memory>

namespace varemo::ui {

// nullptr when the code is no settings content (47, 63, 65, 77, 85, 108, 117).
std::unique_ptr<PanelContent> makeSettingsContent(int code, PanelHost& host);

} // namespace varemo::ui
