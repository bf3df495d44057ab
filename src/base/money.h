#pragma once
// Money: a fixed-point amount of euros with four decimal places.
//
// Representation: a signed 64-bit count of ten-thousandths of a euro (1 euro = 10000 units).
// Amounts are stored in cases and files as signed 32-bit whole cents; arithmetic runs on Money and
// converts back to cents when a line amount is stored.
//
// Rounding policy (always visible at the call site):
//   - toCents()            nearest cent, a tie goes to the even cent (the default conversion);
//   - toCentsCommercial()  nearest cent, a tie goes away from zero ("kaufmännisch");
//   - toCentsTruncated()   drops the fraction of a cent (toward zero).
//   Products of two amounts and products with factors are rounded to four decimals with a tie to even.
//
// Errors: every operation that would leave the range throws MoneyOverflow. Money itself holds up to
// about ±922 billion euros; a conversion to stored cents throws when the result leaves the signed
// 32-bit range (±21,474,836.47 euros). The calculation run catches MoneyOverflow, stops and reports it.

#include "base/error.h"

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace varemo {

// 128-bit intermediates for products and quotients of amounts.
__extension__ typedef __int128 Int128;

class MoneyOverflow : public Error {
public:
    MoneyOverflow() : Error("Ein Betrag liegt außerhalb des Bereichs des Programms.") {}
};

class Money {
public:
    static constexpr int64_t kUnitsPerCent = 100;
    static constexpr int64_t kUnitsPerEuro = 10000;

    constexpr Money() = default;

    static constexpr Money fromUnits(int64_t units) { return Money(units); }
    static Money fromCents(int64_t cents);
    static Money fromEuros(int64_t euros);
    // Parses "1234,56", "-0.5", "12" (comma or point as decimal mark, at most four decimals;
    // more decimals are rounded half to even). Throws std::invalid_argument on anything else.
    static Money parse(const std::string& text);

    constexpr int64_t units() const { return units_; }

    int32_t toCents() const;
    int32_t toCentsCommercial() const;
    int32_t toCentsTruncated() const;
    // The value rounded to whole cents (tie to even) but kept as Money; does not check the 32-bit range.
    Money roundedToCent() const;

    // Multiplies by a single-precision factor (part-time, tariff factor, ...). The float's exact binary
    // value is used, the product is rounded to four decimals with a tie to even.
    Money timesFactor(float factor) const;
    // Multiplies by a rational factor num/den, rounded to four decimals with a tie to even.
    Money timesRatio(int64_t num, int64_t den) const;
    // Percent given in hundredths of a percent (10000 = 100 %).
    Money percentHundredths(int64_t hundredths) const { return timesRatio(hundredths, 10000); }

    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money operator-() const;
    Money operator*(int64_t n) const;
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }

    constexpr auto operator<=>(const Money&) const = default;

    // "1.234,56" style with two decimals (rounded half to even), as the sheet shows amounts.
    std::string toDisplay() const;

private:
    constexpr explicit Money(int64_t units) : units_(units) {}
    int64_t units_ = 0;
};

// Adds two stored cent amounts; throws MoneyOverflow when the sum leaves the 32-bit range.
int32_t addCents(int32_t a, int32_t b);
// Checks that a 64-bit cent count fits the stored 32-bit range.
int32_t checkedCents(int64_t cents);

// Divides with rounding to nearest, a tie to the even quotient. den must be positive.
Int128 divideHalfEven(Int128 num, Int128 den);

} // namespace varemo
