#pragma once
// The menu bar (groups ys, yb, ya, yn, yp, yv, yi with items Y01 to Y97) and the function bar
// (f01 to f24) of the main window: codes, captions, hints and whether the function is in the program
// yet. A function that is announced but not there answers with one of two messages, never silently.

#include "base/prompter.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

enum class Availability {
    Built,    // the window executes it
    Later,    // planned: "Sorry" ... "Bitte gedulden Sie sich noch etwas."
    OnDemand, // built when users ask for it: "Interesse?"
};

struct MenuGroup {
    char letter;         // 's', 'b', 'a', 'n', 'p', 'v', 'i'
    const char* caption; // menu bar caption
    const char* hint;
};

struct MenuItem {
    int code; // Y + two digits
    char group;
    const char* caption;
    Availability availability;
};

struct FunctionButton {
    int code; // f + two digits
    const char* caption;
    const char* hint;
    Availability availability;
};

// The year view of the shown case (views 40, 41, 39 and the control listing) and the cost-centre
// overview of all cases, in the group "Drucken".
inline constexpr int kMenuYearSalaries = 30;
inline constexpr int kMenuYearEmployerCost = 31;
inline constexpr int kMenuYearCombined = 32;
inline constexpr int kMenuYearSettings = 33;
inline constexpr int kMenuCostCentres = 34;

// The groups in menu-bar order.
const std::vector<MenuGroup>& menuGroups();
const std::vector<MenuItem>& menuItems();
const std::vector<FunctionButton>& functionButtons();
std::optional<MenuItem> findMenuItem(int code);
std::optional<FunctionButton> findFunctionButton(int code);

// "Y05", "f21", "m13": a letter and two digits.
std::string codeText(char letter, int number);

// The answer of a function that is not in the program yet.
PromptMessage unavailableMessage(Availability availability);

// The refusal of a menu function that would change the case while the year salary is shown.
PromptMessage yearSalaryMenuRefusal();

} // namespace varemo
