#pragma once
// Edits of the sheet beyond amounts and options: the flag columns of lines 8 to 20, renaming the
// first entry of a line's list, the checks the line dispatcher applies before it stores an option,
// and the number helpers of the amount fields (quick arithmetic, display).

#include "model/flag_column.h"
#include "session/session.h"

#include <optional>
#include <string>

namespace varemo {

// Toggles a flag of a gross-pay line (the category column advances by one); sets the edit code and
// recalculates. Refused on the year salary and for lines outside 8 to 20.
bool ToggleFlag(Session& g, int line, FlagColumn column);

// Renames the user-defined first entry of a line's list (line 1 renames the case). The cost centre's
// first entry is protected. Recalculates.
bool RenameFirstEntry(Session& g, int line, const std::string& text);

// The line dispatcher's checks before an option is stored: shows the line's notice and returns false
// when the choice is not possible in the case as it stands.
bool CheckLineChoice(Session& g, int line, int position);

// The end of the guided entry of a new case (after the service-age assistant): tells the user to go on
// line by line from line 13.
void ShowGuidedEntryEnd(Session& g);

// Whether an option list may be opened now; shows why not.
bool CanChangeLines(Session& g);

// The amount fields typed as a percentage capped at 200: the tariff factor and line 12's percentage.
bool isCappedPercentage(AmountSlot slot);
// The factor an amount field of a slot stores its number with (100000, 100), 0 when it stores none.
int64_t typedAmountFactor(AmountSlot slot);
// Whether text is a number that the slot's conversion cannot store in 32 bits.
bool typedAmountOutOfRange(AmountSlot slot, const std::string& text);
// The message for such a number (title "Eingabefehler").
void ShowAmountOutOfRange(Session& g, AmountSlot slot, const std::string& text);

// "1234,5" style: value / 10^decimals with a decimal comma, no thousands separators, at least
// minDecimals and at most `decimals` places (trailing zeros beyond minDecimals dropped).
std::string formatFixed(int64_t value, int decimals, int minDecimals = 2);
// What the amount field of a slot shows for a stored value: the working time of lines 22 and 23 in
// units of 1/100000, the percentages and all others in cents ("1.234,56").
std::string amountFieldText(AmountSlot slot, int32_t stored);

// Ctrl+Plus / Ctrl+Minus in an amount field: base + operand or base - operand, exact to five
// decimals. nullopt when either text is no number.
std::optional<std::string> quickArithmetic(const std::string& base, char op, const std::string& operand);

} // namespace varemo
