#pragma once
// The printouts of the calculators: the service age's calculation (58) and notice (59), the jubilee
// service age's notice (47) and the certificate of the employment time (48), the vacation calculation
// (46), the promotion's comparison (52), the step-duration letter (56), the leave and leave pay of the
// working-time recorder (60) and its working times of a month (61). Each reads the inputs the calculator
// keeps in its side file for the current case (the step-duration letter and the promotion what the caller
// laid out with them, in PrintOptions) and draws in inches.

#include "print/print_kind.h"

#include <optional>

namespace varemo::print {

inline constexpr int kVacationCalculation = 46;
inline constexpr int kJubileeNotice = 47;
inline constexpr int kEmploymentTime = 48;
inline constexpr int kPromotion = 52;
inline constexpr int kStepDurationLetter = 56;
inline constexpr int kServiceAgeCalculation = 58;
inline constexpr int kServiceAgeNotice = 59;
inline constexpr int kLeaveStatement = 60;
inline constexpr int kWorkingTimes = 61;

void urlaubsberechnung(const Session& g, PrintSurface& s, const PrintOptions& options);   // 46
void jdabescheid(const Session& g, PrintSurface& s, const PrintOptions& options);         // 47
void DruckBeschaeftigung(const Session& g, PrintSurface& s, const PrintOptions& options); // 48
void hoehergruppierung(const Session& g, PrintSurface& s, const PrintOptions& options);   // 52
void druckstufenlaufzeit(const Session& g, PrintSurface& s, const PrintOptions& options); // 56
void bdaberechnung(const Session& g, PrintSurface& s, const PrintOptions& options);       // 58
void bdabescheid(const Session& g, PrintSurface& s, const PrintOptions& options);         // 59
void arbeitszeitdruck(const Session& g, PrintSurface& s, const PrintOptions& options);    // 60
void zeiterfassung(const Session& g, PrintSurface& s, const PrintOptions& options);       // 61

// "Dateneingabe fehlt" ("Bitte vorher Daten eingeben") when the calculator of kind has nothing to print
// for the current case, with what is missing; nothing for other kinds.
std::optional<PromptMessage> calculatorInputMissing(const Session& g, int kind, const PrintOptions& options);

} // namespace varemo::print
