#pragma once
// What the line dispatcher does when an option of a pay line is chosen, before the option is stored:
//   line 4  a service relationship without tariff tables in the month shows "Sorry ... " /
//           "Derzeit sind für dieses Dienstverhältnis noch keine Tariftabellen verfügbar." (the choice
//           is kept: the amounts can be typed);
//   line 7  for the employees with step movements the option's months go to AmountSlot::StepMovement;
//   line 8  while the step is computed from the date of line 6, changing it asks
//           "Berechnung der Grundgehaltsstufen ausschalten?"; yes clears the date, AmountSlot::StepReserve
//           and AmountSlot::StepMovement, no keeps the computed step.

#include "session/session.h"

namespace varemo {

// Returns false when the choice is not taken (nothing was changed). Positions out of the slot's range
// are left to the caller's check.
bool PayLineChoice(Session& g, int line, int position);

} // namespace varemo
