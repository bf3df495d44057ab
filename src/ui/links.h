#pragma once
// Opening the web page of a link item with the system's browser. The addresses are a setting of the
// installation (presentation/menu_dispatch.h, LinkSettings); an item without one says so.

#include "session/session.h"

#include <string>

namespace varemo::ui {

// code: "Y80", "f19"; caption: the item's caption, for the message when no address is configured.
void openLink(Session& g, const std::string& code, const std::string& caption);

} // namespace varemo::ui
