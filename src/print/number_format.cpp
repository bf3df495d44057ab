#include "print/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace varemo::print {

std::string amountText(Money m) {
    return m.toDisplay();
}

std::string centsText(int64_t cents) {
    return Money::fromCents(cents).toDisplay();
}

namespace {

std::string fixed(int64_t scaled, int decimals) {
    const bool negative = scaled < 0;
    const uint64_t v = negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    uint64_t unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    std::string frac = std::to_string(v % unit);
    frac.insert(0, static_cast<size_t>(decimals) - frac.size(), '0');
    return (negative ? "-" : "") + std::to_string(v / unit) + "," + frac;
}

} // namespace

std::string factorText(int64_t numerator, int64_t denominator) {
    if (denominator <= 0) return "?";
    if (numerator == denominator) return "  1";
    return fixed(mulDiv(numerator, 100000, denominator, Rounding::HalfUp), 5);
}

std::string factorText(float factor) {
    if (factor == 1.0f) return "  1";
    // The float's own value to five decimals; a factor is no amount of money.
    return fixed(std::llround(static_cast<double>(factor) * 100000.0), 5);
}

std::string percentText(int64_t hundredths) {
    return fixed(hundredths, 2);
}

namespace {
const char* const kMonths[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                               "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
} // namespace

std::string monthOfYear(int month, int year) {
    if (month == 13) return "Jahresgehalt " + std::to_string(year);
    if (month < 1 || month > 12) return std::to_string(year);
    return kMonths[month - 1] + (" " + std::to_string(year));
}

std::string longDate(int day, int month, int year) {
    if (month < 1 || month > 12) return {};
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d. ", day);
    return buffer + std::string(kMonths[month - 1]) + " " + std::to_string(year);
}

std::string longDate(const std::string& text) {
    if (text.size() != 10 || text[2] != '.' || text[5] != '.') return text;
    for (size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (text[i] < '0' || text[i] > '9') return text;
    return longDate(std::atoi(text.substr(0, 2).c_str()), std::atoi(text.substr(3, 2).c_str()),
                    std::atoi(text.substr(6, 4).c_str()));
}

} // namespace varemo::print
