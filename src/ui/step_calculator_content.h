#pragma once
// The panel content "Stufenrechner": from the beginning of step 1 and a step movement, the beginning of
// every step of the case's step table before and after the movement, the step in force in the month
// shown (yellow) and the next one. It changes nothing; the step-duration window writes a new beginning.

#include "ui/tablett.h"

#include <memory>

namespace varemo::ui {

std::unique_ptr<PanelContent> makeStepCalculatorContent(PanelHost& host);

} // namespace varemo::ui
