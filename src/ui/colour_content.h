#pragma once
// The panel content "Farben der Fensterbereiche" (presentation/colour_panel.h): per window area a button
// in its colour that opens the colour choice, "Vorgabewerte" and "Änderungen speichern"; the main window
// shows saved colours at once.

#include "ui/tablett.h"

#include <memory>

namespace varemo::ui {

std::unique_ptr<PanelContent> makeColourContent(PanelHost& host);

} // namespace varemo::ui
