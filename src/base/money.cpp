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

Int128 divideTruncated(Int128 num, Int128 den) { return num / den; }

Int128 divideCommercial(Int128 num, Int128 den) {
    Int128 q = num / den;
    Int128 r = num % den;
    if (2 * (r < 0 ? -r : r) >= den) q += (num < 0) ? -1 : 1;
    return q;
}

} // namespace

Int128 divideHalfEven(Int128 num, Int128 den) {
    Int128 q = num / den;
    Int128 r = num % den;
    Int128 twice = 2 * (r < 0 ? -r : r);
    if (twice > den || (twice == den && (q % 2 != 0))) q += (num < 0) ? -1 : 1;
    return q;
}

int32_t checkedCents(int64_t cents) {
    if (cents > std::numeric_limits<int32_t>::max() || cents < std::numeric_limits<int32_t>::min())
        throw MoneyOverflow();
    return static_cast<int32_t>(cents);
}

int32_t addCents(int32_t a, int32_t b) { return checkedCents(int64_t{a} + int64_t{b}); }

Money Money::fromCents(int64_t cents) { return Money(checked64(Int128(cents) * kUnitsPerCent)); }

Money Money::fromEuros(int64_t euros) { return Money(checked64(Int128(euros) * kUnitsPerEuro)); }

Money Money::parse(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    while (i < text.size() && text[i] == ' ') ++i;
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
            while (i < text.size() && text[i] == ' ') ++i;
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

int32_t Money::toCents() const {
    return checkedCents(static_cast<int64_t>(divideHalfEven(units_, kUnitsPerCent)));
}

int32_t Money::toCentsCommercial() const {
    return checkedCents(static_cast<int64_t>(divideCommercial(units_, kUnitsPerCent)));
}

int32_t Money::toCentsTruncated() const {
    return checkedCents(static_cast<int64_t>(divideTruncated(units_, kUnitsPerCent)));
}

Money Money::roundedToCent() const {
    return Money(checked64(divideHalfEven(units_, kUnitsPerCent) * kUnitsPerCent));
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
    return Money(checked64(divideHalfEven(product, Int128(1) << (-shift))));
}

Money Money::timesRatio(int64_t num, int64_t den) const {
    if (den == 0) throw MoneyOverflow();
    Int128 n = Int128(units_) * num;
    if (den < 0) {
        n = -n;
        den = -den;
    }
    return Money(checked64(divideHalfEven(n, den)));
}

Money Money::operator+(Money other) const { return Money(checked64(Int128(units_) + other.units_)); }
Money Money::operator-(Money other) const { return Money(checked64(Int128(units_) - other.units_)); }
Money Money::operator-() const { return Money(checked64(-Int128(units_))); }
Money Money::operator*(int64_t n) const { return Money(checked64(Int128(units_) * n)); }

std::string Money::toDisplay() const {
    Int128 cents = divideHalfEven(units_, kUnitsPerCent);
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
