#pragma once
// Keyboard codes of the main window: every function has a code of one letter and two digits
// ("a04" opens the option list of line 4, "g04" the list of its pay group, "m13" the year salary,
// "f21" the transfer into the following year, "d01" to "d03" the data sets INFO, PLAN and REAL,
// "k01" to "k06" the copy buttons). The machine below collects the keys as they are typed (Form_KeyDown);
// tastenauswertung executes a completed code on the window; tastencode places a line's elements.
//
// States: 0 waits for a letter; 1 for the tens digit (or, after Y, a group letter); 2 for the units
// digit; 3 and 4 take the two digits of an entry of the option list that an A or G code opened;
// 101 to 107 are the menu groups ys, yb, ya, yn, yp, yv, yi opened by Y and a letter, after which two
// digits choose an item. Escape clears everything; any other key ends a pending code without effect.

#include "model/flag_column.h"

#include <string>

namespace varemo {

enum class KeyKind { Letter, Digit, Escape, Control, Other };

struct KeyPress {
    KeyKind kind = KeyKind::Other;
    char ch = 0; // 'A' to 'Z' for letters (either case is accepted), '0' to '9' for digits

    static KeyPress letter(char c) { return {KeyKind::Letter, c}; }
    static KeyPress digit(int d) { return {KeyKind::Digit, static_cast<char>('0' + d)}; }
    static KeyPress escape() { return {KeyKind::Escape, 0}; }
    static KeyPress control() { return {KeyKind::Control, 0}; }
    static KeyPress other() { return {KeyKind::Other, 0}; }
};

// A completed code: the letter (upper case; Ctrl counts as Y) and the number.
struct KeyCode {
    char letter = 0;
    int number = 0;
    bool operator==(const KeyCode&) const = default;
};

enum class KeyOutcome {
    Ignored,       // not part of a code; the key goes on to the element that has the focus
    Consumed,      // taken into the pending code
    Cancelled,     // ended a pending code without effect
    Execute,       // a code is complete: run tastenauswertung(code)
    OpenMenuGroup, // Y and a group letter: open the group now
    ChooseEntry,   // two digits after an A code: choose entry number `entry` of the open list
    Escape,        // close panels and the option list, focus line 1
};

struct KeyResult {
    KeyOutcome outcome = KeyOutcome::Ignored;
    KeyCode code;
    char group = 0;                // 's', 'b', 'a', 'n', 'p', 'v' or 'i' with OpenMenuGroup
    int entry = 0;                 // with ChooseEntry: the number as typed (the list shows entries from 1)
    bool prepareOptionBox = false; // A was typed: the option box of the coming line is prepared
};

class KeyCodeMachine {
  public:
    KeyResult press(KeyPress key);
    void reset();
    // An option list was opened by mouse: two digits choose its entry as after an A code.
    void awaitEntry();
    int state() const { return state_; }
    // What the key state label shows: the characters of the pending code ("a0", "ya").
    const std::string& pending() const { return shown_; }

  private:
    KeyResult cancel();
    int state_ = 0;
    char letter_ = 0;
    int tens_ = 0;
    std::string shown_;
};

// The letters that start a code.
bool isCodeLetter(char upper);
// The menu-group state (101 to 107) of a group letter after Y, 0 for other letters.
int menuGroupState(char upper);

// What a code can do on the window. Each method is one element's click.
class SheetActions {
  public:
    virtual ~SheetActions() = default;
    virtual void openOptionList(int line) = 0;                // A
    virtual void advanceCategory(int line) = 0;               // B
    virtual void focusAmount(int line) = 0;                   // E
    virtual void functionButton(int number) = 0;              // F
    virtual void lineHelp(int line) = 0;                      // H
    virtual void infoButton(int number) = 0;                  // I
    virtual void yearButton(int year) = 0;                    // J
    virtual void toggleFlag(int line, FlagColumn column) = 0; // L S T Z W P
    virtual void monthButton(int month) = 0;                  // M
    virtual void renameEntry(int line) = 0;                   // N
    virtual void regulation(int line) = 0;                    // V
    virtual void menuItem(int number) = 0;                    // Y and Ctrl
    virtual void openPayGroupList() = 0;                      // G04
    virtual void chooseDataSet(int number) = 0;               // D01 INFO, D02 PLAN, D03 REAL
    virtual void copyButton(int number) = 0;                  // K01 to K06, as copyDirection(number - 1)
};

// Executes a completed code. Numbers that name no element (line 48, month 14, flag of line 21)
// do nothing; returns whether an element was reached.
bool tastenauswertung(const KeyCode& code, SheetActions& actions);

// Where a line's elements stand: the gross side (column 0) holds lines 1 to 23 with the heading of
// the flag columns between lines 7 and 8, the net side (column 1) lines 24 to 47; 24 rows each.
struct LinePlacement {
    int column = 0;
    int row = 0;
};
inline constexpr int kSheetRows = 24;
inline constexpr int kFlagHeadingRow = 7;
LinePlacement tastencode(int line);

// Lines whose first list entry the user may rename (code N), and line 6 whose N opens the date.
bool hasRenamableEntry(int line);

} // namespace varemo
