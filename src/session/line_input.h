#pragma once
// Changes to the working case as the user makes them: a typed amount, an option chosen for a line,
// a key set directly, the date of line 6 and the case name. Every accepted change is stored and ends
// with RecalculateAndRedisplay; a refused one shows its message and changes nothing.

#include "session/session.h"

#include <optional>
#include <string>

namespace varemo {

// Parses a typed number ("1.234,56", "38,5", "-12.5") and multiplies it by factor, rounding to the
// nearest integer with a tie to even. nullopt when the text is no number or the result leaves int64.
std::optional<int64_t> parseScaledNumber(const std::string& text, int64_t factor);

// The stored value of a number typed into the amount field of a slot: the working time × 100000,
// the money slots (slots::kFirstMoney to kLastMoney, Reserved58, Reserved59) × 100, the capped
// percentages (isCappedPercentage) capped at 200 and × 100, the class-IV factor × 1000 (three decimals,
// "0,950" or "0.950"). nullopt for slots that take no typed
// amount, for text that is no number and for values beyond the 32-bit range.
struct TypedAmount {
    int32_t stored = 0;
    std::string shown; // what the field shows afterwards (the cap replaces a larger number)
};
std::optional<TypedAmount> convertTypedAmount(AmountSlot slot, const std::string& text);

bool EnterAmount(Session& g, AmountSlot slot, const std::string& text);
// An entry of a line's list. Line 27 applies the chosen fund's defaults (ApplyPensionDefaults);
// line 42 stores the employee-share code of its entry (EmployeeShareCodeOfOption).
bool ChooseOption(Session& g, int line, int position);
bool SetKey(Session& g, KeySlot slot, int value);

// The same for a slot given by number (the command line's --key and --amount, the window's fields):
// a number that names no slot is refused like a value the slot does not take.
std::optional<TypedAmount> convertTypedAmount(int slot, const std::string& text);
bool EnterAmount(Session& g, int slot, const std::string& text);
bool SetKey(Session& g, int slot, int value);
// The date of line 6: empty (no date) or a calendar date "TT.MM.JJJJ" from 1800 to 2099; anything
// else is refused with "Kein Datum möglich." and the case keeps its date. A date that would compute the
// step of line 8 while its basic pay is typed is refused with the explanation titled "Kein Datum
// möglich."; a date that computes no step is taken with the notice that it is only a note.
bool EnterDate(Session& g, const std::string& text);
bool RenameCase(Session& g, const std::string& name);

} // namespace varemo
