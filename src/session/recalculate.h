#pragma once
// The sequence every edit ends with: run the month, rebuild the sheet, and carry the edit into the
// following months of the year.

#include "calc/following_months.h"
#include "session/session.h"

namespace varemo {

inline constexpr const char* kOverflowTitle = "Eingabefehler";
inline constexpr const char* kOverflowText =
    "Der Wertebereich des Programms wurde überschritten. Alle Werte ab Zeile 45 können deshalb nicht "
    "berechnet werden.";

// Rebuilds the sheet from the working case (the window redraws itself from the sheet).
void Redisplay(Session& g);

// Shows the message for an amount that left the range of the program.
void ShowOverflow(Session& g);

// Runs the shown month and redisplays it; shows the overflow message when the run left the range, the
// notice of a basic pay the month's table does not hold (missingBasicPayNotice) and those of levy and
// contribution rates the settings do not know (missingRateNotices).
// This is the cycle after loading a case-month: the following months are not touched, so that looking
// at a month never overwrites the months after it with its inputs. Returns false when the run failed
// (its message has been shown).
[[nodiscard]] bool RecalculateShownMonth(Session& g);

// Run, redisplay, and for January to November the following months and the year record.
// Returns false when a run failed or an amount left the range of the program (the message has been
// shown).
[[nodiscard]] bool RecalculateAndRedisplay(Session& g);

} // namespace varemo
