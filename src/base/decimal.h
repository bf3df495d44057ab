#pragma once
// Decimal: an exact signed decimal number for the wage-tax flow chart (LOHNSTR) only.
//
// Representation: a signed 128-bit integer mantissa m and a scale s (0 <= s <= kMaxScale); the value
// is m / 10^s. The scale is part of the number, as in the flow chart's own arithmetic, but equality
// and ordering are numeric (1.5 == 1.50).
//
// Rounding policy: nothing rounds implicitly.
//   - +, - and * are exact; the result scale is the larger scale (+, -) or the sum of the scales (*).
//   - divide(d, scale, mode) rounds the exact quotient to `scale` decimals with `mode`;
//     divideExact(d) returns the exact quotient and refuses a quotient that does not terminate.
//   - setScale(scale, mode) rounds to fewer decimals with `mode`; more decimals are always exact.
//   Modes: Down = toward zero (-4.567 -> -4.56), Up = away from zero (-4.561 -> -4.57),
//   HalfUp = to nearest, a tie away from zero (2.5 -> 3, -2.5 -> -3).
//
// Errors (all thrown, nothing is clamped or wrapped; the first three carry the German message):
//   - DecimalOverflow       a mantissa leaves the 128-bit range or a scale exceeds kMaxScale;
//                           toInt64() of a value outside the 64-bit range.
//   - DecimalUndefined      division by zero; divideExact() of a non-terminating quotient;
//                           toInt64() of a value with a non-zero fraction (it never rounds silently).
//   - DecimalSyntaxError    parse() of malformed text.
//   - std::invalid_argument a negative or too large requested scale (a fault of the calling code).
// The flow chart's values (cent amounts up to the 64-bit range annualised, rates with a few decimals,
// tariff terms up to 14 decimals) stay far inside these limits.

#include "base/error.h"

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace varemo {

class DecimalOverflow : public Error {
  public:
    using Error::Error;
};

class DecimalUndefined : public Error {
  public:
    using Error::Error;
};

class DecimalSyntaxError : public Error {
  public:
    using Error::Error;
};

class Decimal {
  public:
    enum class Rounding { Down, Up, HalfUp };

    static constexpr int kMaxScale = 38;

    constexpr Decimal() = default;
    // A whole number (scale 0). Implicit so that constants read naturally: `if (ZVE < 1)`.
    constexpr Decimal(std::int64_t value) : mantissa_(value) {}

    // unscaled / 10^scale, e.g. fromScaled(1275, 5) == 0.01275.
    static Decimal fromScaled(std::int64_t unscaled, int scale);
    // "12", "-0.5", "+1.30": optional sign, digits, optional point with digits. The scale is the
    // number of digits written after the point. No exponent, no grouping, no surrounding blanks.
    static Decimal parse(std::string_view text);

    int scale() const { return scale_; }
    int signum() const { return mantissa_ > 0 ? 1 : (mantissa_ < 0 ? -1 : 0); }

    Decimal operator+(const Decimal& other) const;
    Decimal operator-(const Decimal& other) const;
    Decimal operator*(const Decimal& other) const;
    Decimal operator-() const;

    Decimal divide(const Decimal& divisor, int scale, Rounding mode) const;
    Decimal divideExact(const Decimal& divisor) const;
    Decimal setScale(int scale, Rounding mode) const;

    // The value as a 64-bit integer; the value must be whole.
    std::int64_t toInt64() const;
    // The value times 10^scale into `out` when that is a whole number within the 64-bit range (0 <= scale
    // <= 18); false, `out` untouched, otherwise. Never rounds.
    bool toScaled(int scale, std::int64_t& out) const;
    // Plain notation with exactly scale() decimals, e.g. "-0.050".
    std::string toString() const;

    friend bool operator==(const Decimal& a, const Decimal& b) { return compare(a, b) == 0; }
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
        return compare(a, b) <=> 0;
    }

  private:
    __extension__ typedef __int128 Mantissa;

    Decimal(Mantissa mantissa, int scale) : mantissa_(mantissa), scale_(scale) {}
    static int compare(const Decimal& a, const Decimal& b);

    Mantissa mantissa_ = 0;
    int scale_ = 0;
};

} // namespace varemo
