#pragma once
// The key filter of the panel dialogs' text fields. Every typed character (and Enter and Backspace)
// is tested against the field's kind and the text already in the field before it is taken; a refused
// key is discarded after a message box.
//
// Key codes are those of a typed character: 8 Backspace, 13 Enter, 32 and above the character.

#include <optional>
#include <string>

namespace varemo {

enum class PanelFieldKind {
    Free,             // no rule
    Amount,           // a number not above 50000
    DateLong,         // TT.MM.JJJJ
    DateShort,        // TT.MM.JJ
    Digits,           // 0 to 9
    MonthsWithoutPay, // at most four digits
    MonthNumber,      // 1 to 12
};

inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;

struct KeyRefusal {
    std::string title;
    std::string text;
    bool silent = false; // discarded without a message (characters that can never be part of a number)
};

// nullopt when the key may be taken into a field of the kind that holds `current`.
std::optional<KeyRefusal> filterPanelKey(PanelFieldKind kind, const std::string& current, int key);

} // namespace varemo
