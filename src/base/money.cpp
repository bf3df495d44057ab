#include "base/money.h"

#include <cmath>
#include <limits>

namespace varemo {
namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

int64_t checked64(Int128 v) {
    if (v > kMax || v < kMin) throw MoneyOverflow();
    return static_cast<int64_t>(v);
}

// num / den (den > 0) rounded as named, in the type of the terms. |num| may reach 2^127 and den 2^127 - 1:
// the tie test compares the remainder with its distance to den instead of doubling it, which could
// overflow. A quotient that is rounded away has den >= 2, so stepping it cannot overflow either.
template <typename Int> Int roundedQuotient(Int num, Int den, Rounding rounding) {
    Int q = num / den;
    const Int rem = num % den;
    const Int r = rem < 0 ? -rem : rem;
    if (r == 0 || rounding == Rounding::TowardZero) return q;
    const Int rest = den - r;
    const bool tie = r == rest;
    const bool away = r > rest || (tie && (rounding == Rounding::HalfUp || q % 2 != 0));
    if (away) q += num < 0 ? -1 : 1;
    return q;
}

Int128 quotient(Int128 num, Int128 den, Rounding rounding) {
    if (den <= 0) throw std::invalid_argument("divisor is not positive");
    // Nearly every amount, rate and cent conversion fits 64 bits, where the division costs a fraction
    // of the 128-bit one.
    if (num >= kMin && num <= kMax && den <= kMax)
        return roundedQuotient<int64_t>(static_cast<int64_t>(num), static_cast<int64_t>(den), rounding);
    return roundedQuotient<Int128>(num, den, rounding);
}

} // namespace

int64_t divideRounded(Int128 numerator, Int128 denominator, Rounding rounding) {
    return checked64(quotient(numerator, denominator, rounding));
}

int64_t mulDiv(int64_t value, int64_t numerator, int64_t denominator, Rounding rounding) {
    return divideRounded(Int128(value) * numerator, denominator, rounding);
}

Int128 divideHalfEven(Int128 num, Int128 den) {
    return quotient(num, den, Rounding::HalfEven);
}

int32_t checkedCents(int64_t cents) {
    if (cents > std::numeric_limits<int32_t>::max() || cents < std::numeric_limits<int32_t>::min())
        throw MoneyOverflow();
    return static_cast<int32_t>(cents);
}

int32_t addCents(int32_t a, int32_t b) {
    return checkedCents(int64_t{a} + int64_t{b});
}

Money Money::fromEuros(int64_t euros) {
    return Money(checked64(Int128(euros) * kUnitsPerEuro));
}

Money Money::parse(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    Int128 whole = 0;
    Int128 frac = 0;
    Int128 fracScale = 1;
    bool digits = false;
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            if (inFraction) {
                if (fracScale > Int128(1) << 100) throw std::invalid_argument("too many decimals: " + text);
                frac = frac * 10 + (c - '0');
                fracScale *= 10;
            } else {
                whole = whole * 10 + (c - '0');
                if (whole > kMax) throw MoneyOverflow();
            }
        } else if ((c == ',' || c == '.') && !inFraction) {
            inFraction = true;
        } else if (c == ' ') {
            while (i < text.size() && text[i] == ' ')
                ++i;
            if (i != text.size()) throw std::invalid_argument("not an amount: " + text);
            break;
        } else {
            throw std::invalid_argument("not an amount: " + text);
        }
    }
    if (!digits) throw std::invalid_argument("not an amount: " + text);
    Int128 units = whole * kUnitsPerEuro + divideHalfEven(frac * kUnitsPerEuro, fracScale);
    return Money(checked64(negative ? -units : units));
}

int32_t Money::toCents(Rounding rounding) const {
    return checkedCents(mulDiv(units_, 1, kUnitsPerCent, rounding));
}

Money Money::rounded(int64_t unitsStep, Rounding rounding) const {
    return Money(checked64(Int128(mulDiv(units_, 1, unitsStep, rounding)) * unitsStep));
}

Money Money::timesFactor(float factor) const {
    if (!std::isfinite(factor)) throw MoneyOverflow();
    if (factor == 0.0f || units_ == 0) return Money();
    int exponent = 0;
    // factor = mantissa * 2^(exponent - 24) exactly, with |mantissa| < 2^24.
    float fraction = std::frexp(factor, &exponent);
    auto mantissa = static_cast<int64_t>(std::ldexp(fraction, 24));
    int shift = exponent - 24;
    Int128 product = Int128(units_) * mantissa;
    if (shift >= 0) {
        if (shift > 60) throw MoneyOverflow();
        Int128 scaled = product * (Int128(1) << shift);
        if (shift > 0 && scaled / (Int128(1) << shift) != product) throw MoneyOverflow();
        return Money(checked64(scaled));
    }
    if (shift < -120) return Money();
    return Money(divideRounded(product, Int128(1) << (-shift), Rounding::HalfEven));
}

Money Money::timesRatio(int64_t num, int64_t den, Rounding rounding) const {
    if (den == 0) throw MoneyOverflow();
    if (den > 0) return Money(mulDiv(units_, num, den, rounding));
    // Both terms negated keep the ratio; in 128 bits neither negation can overflow.
    return Money(divideRounded(-(Int128(units_) * num), -Int128(den), rounding));
}

void Money::throwOverflow() {
    throw MoneyOverflow();
}

Money Money::operator-() const {
    return Money(checked64(-Int128(units_)));
}
Money Money::operator*(int64_t n) const {
    return Money(checked64(Int128(units_) * n));
}

std::string Money::toDisplay() const {
    Int128 cents = mulDiv(units_, 1, kUnitsPerCent, Rounding::HalfEven);
    bool negative = cents < 0;
    if (negative) cents = -cents;
    auto euros = static_cast<uint64_t>(cents / 100);
    auto rest = static_cast<unsigned>(cents % 100);
    std::string digits = std::to_string(euros);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
        grouped += digits[i];
    }
    std::string out = negative ? "-" : "";
    out += grouped + ',' + char('0' + rest / 10) + char('0' + rest % 10);
    return out;
}

} // namespace varemo
