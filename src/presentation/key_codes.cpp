#include "presentation/key_codes.h"

#include <cctype>
#include <stdexcept>

namespace varemo {
namespace {

char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}
char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

KeyResult outcome(KeyOutcome o) {
    KeyResult r;
    r.outcome = o;
    return r;
}

constexpr int kAwaitEntryTens = 3;
constexpr int kAwaitEntryUnits = 4;

bool isFlagLine(int line) {
    return line >= kFirstGrossLine && line <= kLastGrossLine;
}
bool isSheetLine(int line) {
    return line >= 1 && line <= 47;
}

} // namespace

bool isCodeLetter(char c) {
    switch (upper(c)) {
    case 'A':
    case 'B':
    case 'D':
    case 'E':
    case 'F':
    case 'G':
    case 'H':
    case 'I':
    case 'J':
    case 'K':
    case 'L':
    case 'M':
    case 'N':
    case 'P':
    case 'S':
    case 'T':
    case 'V':
    case 'W':
    case 'Y':
    case 'Z':
        return true;
    default:
        return false;
    }
}

int menuGroupState(char c) {
    switch (upper(c)) {
    case 'S':
        return 101;
    case 'B':
        return 102;
    case 'A':
        return 103;
    case 'N':
        return 104;
    case 'P':
        return 105;
    case 'V':
        return 106;
    case 'I':
        return 107;
    default:
        return 0;
    }
}

void KeyCodeMachine::awaitEntry() {
    state_ = kAwaitEntryTens;
    letter_ = 0;
    tens_ = 0;
}

void KeyCodeMachine::reset() {
    state_ = 0;
    letter_ = 0;
    tens_ = 0;
    shown_.clear();
}

KeyResult KeyCodeMachine::cancel() {
    bool pending = state_ != 0;
    reset();
    return outcome(pending ? KeyOutcome::Cancelled : KeyOutcome::Ignored);
}

KeyResult KeyCodeMachine::press(KeyPress key) {
    if (key.kind == KeyKind::Escape) {
        reset();
        return outcome(KeyOutcome::Escape);
    }
    const bool digit = key.kind == KeyKind::Digit && key.ch >= '0' && key.ch <= '9';
    const int value = digit ? key.ch - '0' : 0;

    if (state_ == 0 || state_ == kAwaitEntryTens) {
        // A new code may start while an A code waits for its entry digits.
        bool startsCode =
            (key.kind == KeyKind::Letter && isCodeLetter(key.ch)) || key.kind == KeyKind::Control;
        if (state_ == kAwaitEntryTens && digit) {
            tens_ = value;
            shown_ += key.ch;
            state_ = kAwaitEntryUnits;
            return outcome(KeyOutcome::Consumed);
        }
        if (!startsCode) return cancel();
        reset();
        letter_ = key.kind == KeyKind::Control ? 'Y' : upper(key.ch);
        shown_ = std::string(1, lower(letter_));
        state_ = 1;
        KeyResult r = outcome(KeyOutcome::Consumed);
        r.prepareOptionBox = letter_ == 'A';
        return r;
    }
    if (state_ == 1) {
        if (letter_ == 'Y' && key.kind == KeyKind::Letter && menuGroupState(key.ch) != 0) {
            state_ = menuGroupState(key.ch);
            shown_ += lower(key.ch);
            KeyResult r = outcome(KeyOutcome::OpenMenuGroup);
            r.group = lower(key.ch);
            return r;
        }
        if (!digit) return cancel();
        tens_ = value;
        shown_ += key.ch;
        state_ = 2;
        return outcome(KeyOutcome::Consumed);
    }
    if (state_ == 2) {
        if (!digit) return cancel();
        KeyResult r = outcome(KeyOutcome::Execute);
        r.code = KeyCode{letter_, tens_ * 10 + value};
        if (letter_ == 'A' || letter_ == 'G') {
            // The list is open now; two more digits choose an entry.
            shown_ += key.ch;
            state_ = kAwaitEntryTens;
            letter_ = 0;
            tens_ = 0;
        } else {
            reset();
        }
        return r;
    }
    if (state_ == kAwaitEntryUnits) {
        if (!digit) return cancel();
        KeyResult r = outcome(KeyOutcome::ChooseEntry);
        r.entry = tens_ * 10 + value;
        reset();
        return r;
    }
    if (state_ >= 101 && state_ <= 107) {
        // An open menu group: two digits choose its item Ynn.
        if (!digit) return cancel();
        letter_ = 'Y';
        tens_ = value;
        shown_ = "y";
        shown_ += key.ch;
        state_ = 2;
        return outcome(KeyOutcome::Consumed);
    }
    return cancel();
}

bool tastenauswertung(const KeyCode& code, SheetActions& a) {
    const int n = code.number;
    auto flag = [&](FlagColumn column) {
        if (!isFlagLine(n)) return false;
        a.toggleFlag(n, column);
        return true;
    };
    switch (code.letter) {
    case 'A':
        if (!isSheetLine(n)) return false;
        a.openOptionList(n);
        return true;
    case 'B':
        if (!isFlagLine(n)) return false;
        a.advanceCategory(n);
        return true;
    case 'D':
        if (n < 1 || n > 3) return false;
        a.chooseDataSet(n);
        return true;
    case 'E':
        if (!isSheetLine(n)) return false;
        a.focusAmount(n);
        return true;
    case 'G':
        // The pay group is the second box of line 4.
        if (n != 4) return false;
        a.openPayGroupList();
        return true;
    case 'K':
        if (n < 1 || n > 6) return false;
        a.copyButton(n);
        return true;
    case 'F':
        if (n < 1 || n > 24) return false;
        a.functionButton(n);
        return true;
    case 'H':
        if (!isSheetLine(n)) return false;
        a.lineHelp(n);
        return true;
    case 'I':
        if (n > 34) return false;
        a.infoButton(n);
        return true;
    case 'J':
        // The year buttons carry the last two digits of their year: j17 to j21.
        if (n < 17 || n > 21) return false;
        a.yearButton(2000 + n);
        return true;
    case 'L':
        return flag(FlagColumn::WageTax);
    case 'S':
        return flag(FlagColumn::SocialInsurance);
    case 'Z':
        return flag(FlagColumn::SupplementaryPension);
    case 'T':
        return flag(FlagColumn::PartTime);
    case 'W':
        return flag(FlagColumn::AnnualPayment);
    case 'P':
        return flag(FlagColumn::PerformancePay);
    case 'M':
        if (n < 1 || n > 13) return false;
        a.monthButton(n);
        return true;
    case 'N':
        if (!hasRenamableEntry(n) && n != 6) return false;
        a.renameEntry(n);
        return true;
    case 'V':
        if (!isSheetLine(n)) return false;
        a.regulation(n);
        return true;
    case 'Y':
        a.menuItem(n);
        return true;
    default:
        return false;
    }
}

LinePlacement tastencode(int line) {
    if (!isSheetLine(line)) throw std::out_of_range("sheet line " + std::to_string(line));
    if (line <= 7) return {0, line - 1};
    if (line <= 23) return {0, line}; // below the flag heading row
    return {1, line - 24};
}

bool hasRenamableEntry(int line) {
    switch (line) {
    case 1:
    case 3:
    case 5:
    case 13:
    case 14:
    case 15:
    case 20:
    case 25:
    case 26:
    case 28:
    case 44:
    case 45:
    case 46:
        return true;
    default:
        return false;
    }
}

} // namespace varemo
