#pragma once
// The panel content "Texte der Auswahllisten" (Y08; presentation/option_text_editor.h): the records of
// the year's option-text file in a table chosen by a range of the sheet's lists, record numbers or a
// search text, a field for the text of the chosen record, "Vorgabewerte" for that record and "Änderungen
// speichern" for all changed records together.

#include "ui/tablett.h"

#include <memory>

namespace varemo::ui {

std::unique_ptr<PanelContent> makeOptionTextContent(PanelHost& host);

} // namespace varemo::ui
