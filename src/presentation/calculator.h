#pragma once
// The four-function calculator of the main window: digits, decimal comma, "+", "-", "X", "/", "=",
// "%" and "+/-". It works like a pocket calculator with immediate execution: an operator applies the
// pending one to the running result. Numbers are exact decimals with ten places (quotients are
// rounded half to even at the tenth place), so that a result taken into an amount field is what the
// display shows. A paper tape lists every step.

#include "base/money.h"
#include "base/prompter.h"

#include <string>
#include <vector>

namespace varemo {

class Calculator {
  public:
    explicit Calculator(Prompter& prompter) : prompter_(prompter) {}

    void digit(int d);
    void decimalComma();
    void operation(char op); // '+', '-', 'X' (or 'x', '*'), '/'
    void equals();
    void percent();     // the display / 100 (tape " / 100 = ")
    void negate();      // the display × -1 (tape " x -1 = ")
    void cancel();      // clears everything
    void cancelEntry(); // clears the number being typed
    void backspace();   // takes back the last character of the number being typed

    // The readout, with a decimal comma ("12,5", "-0,3333333333").
    const std::string& display() const { return display_; }
    // The readout as the amount field takes it: the comma becomes a point.
    std::string transferText() const;
    const std::vector<std::string>& tape() const { return tape_; }

    static constexpr int kDecimals = 10;
    static constexpr int kMaxDigits = 15;

  private:
    enum class Input { None, Number, Operator };
    Int128 current() const; // the readout as a scaled value
    void show(Int128 value);
    bool apply(Int128 left, char op, Int128 right, Int128& result); // false: refused (message shown)
    void overflow();

    Prompter& prompter_;
    std::string display_ = "0";
    Int128 accumulator_ = 0;
    char pending_ = 0;
    Input last_ = Input::None;
    std::vector<std::string> tape_;
};

// Formats a value scaled by 10^Calculator::kDecimals with a decimal comma and no trailing zeros.
std::string formatCalculatorValue(Int128 scaled);

} // namespace varemo
