#pragma once
// Money: a fixed-point amount of euros with four decimal places.
//
// Representation: a signed 64-bit count of ten-thousandths of a euro (1 euro = 10000 units).
// Amounts are stored in cases and files as signed 32-bit whole cents; arithmetic runs on Money and
// converts back to cents when a line amount is stored.
//
// Rounding: every rounding of money goes through mulDiv (below; divideRounded for the rare numerator that
// is no single product) with a Rounding named at the call site; the Money operations name its common uses:
//   - toCents()            nearest cent, a tie goes to the even cent (the default conversion);
//   - toCentsCommercial()  nearest cent, a tie goes away from zero ("kaufmännisch");
//   - toCentsTruncated()   drops the fraction of a cent (toward zero).
//   Products of two amounts and products with factors are rounded to four decimals with a tie to even
//   unless a Rounding is given.
//
// Errors: see the comment on Money.

#include "base/error.h"

#include <compare>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace varemo {

// 128-bit intermediates for products and quotients of amounts.
__extension__ typedef __int128 Int128;

class MoneyOverflow : public Error {
  public:
    MoneyOverflow() : Error("Ein Betrag liegt außerhalb des Bereichs des Programms.") {}
};

// How a quotient that is not whole becomes whole.
enum class Rounding {
    HalfEven,   // nearest, a tie to the even neighbour (the default for amounts)
    HalfUp,     // nearest, a tie away from zero: commercial rounding ("kaufmännisch")
    TowardZero, // drops the fraction (truncation)
};

// value × numerator / denominator, rounded as named: the one rounding primitive on raw units, cents and
// rates. The product is formed in 128 bits, so only the result can overflow; it is narrowed back to 64
// bits with a check and throws MoneyOverflow when it leaves int64_t. The denominator must be positive: a
// zero or negative one is the caller's fault and throws std::invalid_argument (a caller whose divisor may
// be zero decides first what that means).
int64_t mulDiv(int64_t value, int64_t numerator, int64_t denominator, Rounding rounding);

// mulDiv's division for a numerator that is not a single product (the low-wage zone's formula, a sum of
// weighted amounts): numerator / denominator rounded as named, the same checks as mulDiv.
int64_t divideRounded(Int128 numerator, Int128 denominator, Rounding rounding);

// A fixed-point amount; see the top of this file for the representation and the rounding.
//
// What throws what:
//   - MoneyOverflow: every operation whose result leaves the range, never a silent wrap: arithmetic and
//     conversions beyond ±922 trillion euros (int64_t units), toCents* beyond the stored 32-bit range
//     (±21,474,836.47 euros), timesFactor with a factor that is not finite, timesRatio by zero;
//   - std::invalid_argument: parse on text that is no amount; rounded() with a step that is not positive;
//   - nothing else: the remaining operations cannot fail.
// The calculation run catches MoneyOverflow, stops and reports it.
class Money {
  public:
    static constexpr int64_t kUnitsPerCent = 100;
    static constexpr int64_t kUnitsPerEuro = 10000;

    constexpr Money() = default;

    static constexpr Money fromUnits(int64_t units) { return Money(units); }
    static Money fromCents(int64_t cents) { return Money(narrowed(Int128(cents) * kUnitsPerCent)); }
    static Money fromEuros(int64_t euros);
    // Parses "1234,56", "-0.5", "12" (comma or point as decimal mark, at most four decimals;
    // more decimals are rounded half to even). Throws std::invalid_argument on anything else.
    static Money parse(const std::string& text);

    constexpr int64_t units() const { return units_; }

    // Whole cents in the stored 32-bit range, rounded as named.
    int32_t toCents(Rounding rounding) const;
    int32_t toCents() const { return toCents(Rounding::HalfEven); }
    int32_t toCentsCommercial() const { return toCents(Rounding::HalfUp); }
    int32_t toCentsTruncated() const { return toCents(Rounding::TowardZero); }
    // The value rounded to a multiple of unitsStep (> 0) and kept as Money; no 32-bit check.
    Money rounded(int64_t unitsStep, Rounding rounding) const;
    // The value rounded to whole cents (tie to even) but kept as Money; does not check the 32-bit range.
    Money roundedToCent() const { return rounded(kUnitsPerCent, Rounding::HalfEven); }

    // Multiplies by a single-precision factor (part-time, tariff factor, ...). The float's exact binary
    // value is used, the product is rounded to four decimals with a tie to even.
    Money timesFactor(float factor) const;
    // Multiplies by a rational factor num/den, rounded to four decimals as named (a tie to even when
    // not named). den == 0 throws MoneyOverflow; a negative den negates the ratio.
    Money timesRatio(int64_t num, int64_t den, Rounding rounding) const;
    Money timesRatio(int64_t num, int64_t den) const { return timesRatio(num, den, Rounding::HalfEven); }
    // Percent given in hundredths of a percent (10000 = 100 %).
    Money percentHundredths(int64_t hundredths) const { return timesRatio(hundredths, 10000); }

    // Sums and differences inline: the steps of a run add up amounts by the thousand.
    Money operator+(Money other) const { return Money(narrowed(Int128(units_) + other.units_)); }
    Money operator-(Money other) const { return Money(narrowed(Int128(units_) - other.units_)); }
    Money operator-() const;
    Money operator*(int64_t n) const;
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }

    constexpr auto operator<=>(const Money&) const = default;

    // "1.234,56" style with two decimals (rounded half to even), as the sheet shows amounts.
    std::string toDisplay() const;

  private:
    constexpr explicit Money(int64_t units) : units_(units) {}
    static int64_t narrowed(Int128 v) {
        if (v > std::numeric_limits<int64_t>::max() || v < std::numeric_limits<int64_t>::min())
            throwOverflow();
        return static_cast<int64_t>(v);
    }
    [[noreturn]] static void throwOverflow();
    int64_t units_ = 0;
};

// Adds two stored cent amounts; throws MoneyOverflow when the sum leaves the 32-bit range.
int32_t addCents(int32_t a, int32_t b);
// Checks that a 64-bit cent count fits the stored 32-bit range.
int32_t checkedCents(int64_t cents);

// num / den to the nearest integer, a tie to the even one, kept in 128 bits without a range check (for
// the 128-bit arithmetic of parsing and the calculator). den must be positive, else
// std::invalid_argument.
Int128 divideHalfEven(Int128 num, Int128 den);

} // namespace varemo
