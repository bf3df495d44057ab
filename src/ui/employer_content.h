#pragma once
// The panel content "Arbeitgeberdaten für die Ausdrucke" (presentation/employer_data_panel.h): the
// employer's texts of the print header and the closing remark as labelled text fields, "Vorgabewerte"
// and "Änderungen speichern".

#include "ui/tablett.h"

#include <memory>

namespace varemo::ui {

std::unique_ptr<PanelContent> makeEmployerContent(PanelHost& host);

} // namespace varemo::ui
