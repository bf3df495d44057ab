#pragma once
// The calculators on the session: their inputs kept in the side files of the current case and year, and
// the transfer of a result into the case, which runs the calculation as a confirmed input does.

#include "calculators/service_age.h"
#include "calculators/vacation.h"
#include "persistence/calculator_files.h"
#include "session/session.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace varemo {

// The service-age inputs of the current case: the side file's, the birthday and appointment taken from
// the case's service dates while the side file has none.
ServiceAgeInput LoadServiceAgeInput(const Session& g);
// Writes the inputs (and, when given, the result) to the case's "bda." file.
void StoreServiceAgeInput(Session& g, const ServiceAgeInput& in, const ServiceAgeResult* result);

// The transfer: line 6 becomes "Beginn des BDA" with the BDA date, the case's service dates receive the
// BDA, the birthday and the appointment, the inputs are stored, and the month is calculated. All or
// nothing: a refused date or a failed run leaves every file as it was (false, the message shown).
[[nodiscard]] bool TransferServiceAge(Session& g, const ServiceAgeInput& in);

// The frame of every transfer of a beginning of service: line 6 becomes "Beginn des BDA" / "Beginn der
// Stufe 1" / "Beginn der Stufenlaufzeit" (label 0) with `begin`, the month and the following ones are
// calculated, the case's service dates receive `begin` and the other dates given, and alsoWrite stores
// what the calculator keeps. All or nothing: the month files, the year file and alsoTouched are put back
// when anything fails or the date is refused (false, the message shown).
// The frame of every transfer of a calculator's result into the case: under the user folder's lock the
// month files from month on, and alsoTouched, are saved first; when change returns false (refused, the
// message has been shown) or throws, they and the working case are put back.
[[nodiscard]] bool transferIntoCase(Session& g, int month,
                                    const std::vector<std::filesystem::path>& alsoTouched,
                                    const std::function<bool()>& change);

[[nodiscard]] bool TransferServiceDates(Session& g, const CalendarDate& begin,
                                        const std::optional<CalendarDate>& birthday,
                                        const std::optional<CalendarDate>& appointment,
                                        const std::vector<std::filesystem::path>& alsoTouched,
                                        const std::function<void()>& alsoWrite);

JubileeInput LoadJubileeInput(const Session& g);
void StoreJubileeInput(Session& g, const JubileeInput& in, const JubileeResult* result);

// The vacation inputs of the current case from "Urlaub.0yy" (defaults when absent): the birthday of the
// case's service dates when set, else the side file's.
VacationInput LoadVacationInput(const Session& g, std::string* payGroup);
// Keeps the inputs as given, period lines still incomplete among them; only the entitlement of row 3
// must be known (entitlementOf throws otherwise, and nothing is written).
void StoreVacationInput(Session& g, const VacationInput& in, const std::string& payGroup);

// The legal-remedy paragraph of the service age's notice: "Texte/Belehrung.txt" of the data root (the one
// the program ships in its own folder while the data root has none), a text of at most kRemedyTextLength
// characters in which "$" separates the lines (Windows-1252 in the file). Saving writes the data root's.
inline constexpr size_t kRemedyTextLength = 1400;
std::string LoadRemedyText(const Session& g); // empty when there is none
// Throws Error for a longer text; nothing is written then.
void StoreRemedyText(Session& g, const std::string& text);
// Characters, not bytes, as the editor counts them.
size_t remedyTextLength(const std::string& text);

// The inputs of the step-duration, promotion and experience windows of the current case and year.
StepInputsRecord LoadStepInputs(const Session& g);
void StoreStepInputs(Session& g, const StepInputsRecord& r);

ServiceAgeRecord toRecord(const ServiceAgeInput& in, const ServiceAgeResult* result);
ServiceAgeInput serviceAgeInputOf(const ServiceAgeRecord& r);

} // namespace varemo
