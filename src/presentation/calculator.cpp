#include "presentation/calculator.h"

#include <algorithm>

namespace varemo {
namespace {

constexpr Int128 scaleOf(int decimals) {
    Int128 s = 1;
    for (int i = 0; i < decimals; ++i)
        s *= 10;
    return s;
}
constexpr Int128 kScale = scaleOf(Calculator::kDecimals);
// Results beyond 10^18 are refused: far beyond any amount, and products stay inside 128 bits.
constexpr Int128 kLimit = scaleOf(18) * kScale;

std::string symbol(char op) {
    switch (op) {
    case '+':
        return " + ";
    case '-':
        return " - ";
    case 'X':
        return " x ";
    case '/':
        return " / ";
    default:
        return " ";
    }
}

std::string int128ToString(Int128 v) {
    if (v == 0) return "0";
    std::string s;
    while (v > 0) {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    }
    return s;
}

} // namespace

std::string formatCalculatorValue(Int128 scaled) {
    bool negative = scaled < 0;
    Int128 magnitude = negative ? -scaled : scaled;
    std::string whole = int128ToString(magnitude / kScale);
    std::string frac = int128ToString(magnitude % kScale);
    frac.insert(0, static_cast<size_t>(Calculator::kDecimals) - frac.size(), '0');
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    std::string out = negative ? "-" + whole : whole;
    if (!frac.empty()) out += "," + frac;
    return out;
}

Int128 Calculator::current() const {
    Int128 whole = 0, frac = 0;
    int fracDigits = 0;
    bool inFrac = false;
    for (char ch : display_) {
        if (ch == ',')
            inFrac = true;
        else if (ch >= '0' && ch <= '9') {
            if (inFrac) {
                frac = frac * 10 + (ch - '0');
                ++fracDigits;
            } else {
                whole = whole * 10 + (ch - '0');
            }
        }
    }
    Int128 value = whole * kScale + frac * scaleOf(kDecimals - fracDigits);
    return display_.starts_with("-") ? -value : value;
}

void Calculator::show(Int128 value) {
    display_ = formatCalculatorValue(value);
}

void Calculator::overflow() {
    prompter_.tell("Rechner", {"Das Ergebnis ist zu groß für den Rechner."}, PromptIcon::Warning);
    cancel();
}

void Calculator::digit(int d) {
    if (d < 0 || d > 9) return;
    if (last_ != Input::Number) {
        display_ = "0";
        last_ = Input::Number;
    }
    auto digits =
        std::count_if(display_.begin(), display_.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits >= kMaxDigits) return;
    size_t comma = display_.find(',');
    if (comma != std::string::npos && display_.size() - comma - 1 >= static_cast<size_t>(kDecimals)) return;
    if (display_ == "0")
        display_.clear();
    else if (display_ == "-0")
        display_ = "-";
    display_ += static_cast<char>('0' + d);
}

void Calculator::decimalComma() {
    if (last_ != Input::Number) {
        display_ = "0";
        last_ = Input::Number;
    }
    if (display_.find(',') == std::string::npos) display_ += ',';
}

bool Calculator::apply(Int128 left, char op, Int128 right, Int128& result) {
    switch (op) {
    case '+':
        result = left + right;
        break;
    case '-':
        result = left - right;
        break;
    case 'X': {
        // (left * right) / scale without leaving 128 bits: split right into whole and fraction.
        Int128 hi = right / kScale, lo = right % kScale;
        Int128 wholePart;
        if (__builtin_mul_overflow(left, hi, &wholePart) || wholePart > kLimit || wholePart < -kLimit) {
            overflow();
            return false;
        }
        result = wholePart + divideHalfEven(left * lo, kScale);
        break;
    }
    case '/':
        if (right == 0) {
            prompter_.tell("Rechner", {"Division durch Null ist nicht möglich"}, PromptIcon::Warning);
            cancel();
            return false;
        }
        result = divideHalfEven(left * kScale, right < 0 ? -right : right);
        if (right < 0) result = -result;
        break;
    default:
        result = right;
        break;
    }
    if (result > kLimit || result < -kLimit) {
        overflow();
        return false;
    }
    return true;
}

void Calculator::operation(char op) {
    if (op == 'x' || op == '*') op = 'X';
    if (op != '+' && op != '-' && op != 'X' && op != '/') return;
    if (last_ == Input::Operator) {
        // A second operator replaces the first.
        pending_ = op;
        if (!tape_.empty()) tape_.back() = display_ + symbol(op);
        return;
    }
    Int128 value = current();
    tape_.push_back(display_ + symbol(op));
    if (pending_ != 0) {
        Int128 result;
        if (!apply(accumulator_, pending_, value, result)) return;
        accumulator_ = result;
        show(result);
    } else {
        accumulator_ = value;
    }
    pending_ = op;
    last_ = Input::Operator;
}

void Calculator::equals() {
    if (pending_ == 0) return;
    Int128 value = current();
    Int128 result;
    std::string operand = display_;
    if (!apply(accumulator_, pending_, value, result)) return;
    show(result);
    tape_.push_back(operand + " = " + display_);
    accumulator_ = 0;
    pending_ = 0;
    last_ = Input::None;
}

void Calculator::percent() {
    std::string before = display_;
    Int128 result = divideHalfEven(current(), 100);
    show(result);
    tape_.push_back(before + " / 100 = " + display_);
    last_ = Input::Number;
}

void Calculator::negate() {
    std::string before = display_;
    show(-current());
    tape_.push_back(before + " x -1 = " + display_);
    last_ = Input::Number;
}

void Calculator::cancel() {
    display_ = "0";
    accumulator_ = 0;
    pending_ = 0;
    last_ = Input::None;
}

void Calculator::cancelEntry() {
    display_ = "0";
    last_ = Input::Number;
}

void Calculator::backspace() {
    // A result or an operator is no typing to take back.
    if (last_ != Input::Number) return;
    display_.pop_back();
    if (display_.empty() || display_ == "-") display_ = "0";
}

std::string Calculator::transferText() const {
    std::string out = display_;
    std::replace(out.begin(), out.end(), ',', '.');
    return out;
}

} // namespace varemo
