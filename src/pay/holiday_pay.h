#pragma once
// Holiday pay of line 18 (KeySlot::HolidayPay, AmountSlot::HolidayPay), step 9 of the calculation run.
//
// In July, in this order: 255,65; service relationship 0 with a group below 9: 332,34; service
// relationship 5 with a group below 2: 255,65; service relationship 22: 0; then service relationships 8
// and 9: 0, any other 255,65 when the holiday-pay switch is on; region 3: 255,65; service relationship
// 22: 0; 0 when the net pay (AmountSlot::NetPay) of the case's January record is 0; option 1
// ("Urlaubsgeld lt. Eingabe"): the typed amount; options 2 and 3 ("Urlaubsgeld Vergütungsgruppe 1-6" /
// "7-16"): the published holiday pay of the year for those groups, or the typed amount in a year without
// one; options 4 to 7 ("nicht belegt"): nothing.
// Other months: the typed amount when the option is not 0 (nothing for "nicht belegt"), else 0.
// Afterwards: service relationship 26 keeps the typed amount; line 22 "% Ruhegehalt von %" sets the
// amount and the typed amount to 0; service relationship 22 gets 0 unless option 1 keeps the typed one.
//
// The January record is read only when the case files of the session's year and data set are open.

#include "model/globaldaten.h"

#include <optional>

namespace varemo {

namespace holiday {
inline constexpr int kLine = 18;
inline constexpr int kComputed = 0;
inline constexpr int kTyped = 1;
inline constexpr int kHigherGroups = 2; // "Urlaubsgeld Vergütungsgruppe 1-6"
inline constexpr int kLowerGroups = 3;  // "Urlaubsgeld Vergütungsgruppe 7-16"
inline constexpr int kFirstUnused = 4;
inline constexpr int kJulyIndex = 6;
inline constexpr int32_t kStandardCents = 25565;
inline constexpr int32_t kLowerCivilCents = 33234;
} // namespace holiday

// The published holiday pay of a year for option 2 or 3, in cents; nullopt where none is shipped.
std::optional<int32_t> publishedHolidayPay(int year, int option);

void ComputeHolidayPay(Globaldaten& g);

} // namespace varemo
