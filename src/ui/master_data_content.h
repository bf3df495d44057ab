#pragma once
// The panel content "Stammdaten von " + name (session/master_data.h): the person's personal number, tax
// ID, birthday, address and bank account as labelled text fields with "Änderungen speichern".

#include "ui/tablett.h"

#include <memory>

namespace varemo::ui {

std::unique_ptr<PanelContent> makeMasterDataContent(PanelHost& host);

} // namespace varemo::ui
