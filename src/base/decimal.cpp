#include "base/decimal.h"

#include <algorithm>
#include <stdexcept>

namespace varemo {

namespace {

__extension__ typedef __int128 I128;
__extension__ typedef unsigned __int128 U128;

[[noreturn]] void throwDivisionByZero() {
    throw DecimalUndefined("In der Lohnsteuerberechnung wurde durch null geteilt.");
}

[[noreturn]] void throwOverflow() {
    throw DecimalOverflow("Ein Wert der Lohnsteuerberechnung liegt außerhalb des Bereichs des Programms.");
}

I128 pow10(int n) {
    if (n < 0 || n > Decimal::kMaxScale) throwOverflow();
    I128 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

I128 mulChecked(I128 a, I128 b) {
    I128 r;
    if (__builtin_mul_overflow(a, b, &r)) throwOverflow();
    return r;
}

I128 addChecked(I128 a, I128 b) {
    I128 r;
    if (__builtin_add_overflow(a, b, &r)) throwOverflow();
    return r;
}

I128 subChecked(I128 a, I128 b) {
    I128 r;
    if (__builtin_sub_overflow(a, b, &r)) throwOverflow();
    return r;
}

// m * 10^k, or nullopt-like failure signalled through the return flag.
bool tryScaleUp(I128 m, int k, I128& out) {
    if (m == 0) {
        out = 0;
        return true;
    }
    if (k > Decimal::kMaxScale) return false;
    return !__builtin_mul_overflow(m, pow10(k), &out);
}

I128 scaleUp(I128 m, int k) {
    I128 r;
    if (!tryScaleUp(m, k, r)) throwOverflow();
    return r;
}

U128 magnitude(I128 v) {
    return v < 0 ? U128(0) - U128(v) : U128(v);
}

// num / den rounded to an integer with the given mode; den != 0.
I128 divRound(I128 num, I128 den, Decimal::Rounding mode) {
    if (den == -1) return subChecked(0, num); // the only quotient that can leave the range
    const I128 q = num / den;
    const I128 r = num % den;
    if (r == 0) return q;
    const I128 away = ((num < 0) != (den < 0)) ? -1 : 1;
    switch (mode) {
    case Decimal::Rounding::Down:
        return q;
    case Decimal::Rounding::Up:
        return q + away;
    case Decimal::Rounding::HalfUp: {
        const U128 absR = magnitude(r);
        const U128 absD = magnitude(den);
        return absR >= absD - absR ? q + away : q;
    }
    }
    return q;
}

void checkScale(int scale) {
    if (scale < 0 || scale > Decimal::kMaxScale)
        throw std::invalid_argument("decimal scale out of range: " + std::to_string(scale));
}

U128 gcd(U128 a, U128 b) {
    while (b != 0) {
        const U128 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

} // namespace

Decimal Decimal::fromScaled(std::int64_t unscaled, int scale) {
    checkScale(scale);
    return Decimal(static_cast<Mantissa>(unscaled), scale);
}

Decimal Decimal::parse(std::string_view text) {
    auto fail = [&]() -> Decimal {
        throw DecimalSyntaxError("Der Text \"" + std::string(text) + "\" ist keine Dezimalzahl.");
    };
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    I128 m = 0;
    int digits = 0;
    int scale = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            if (point) return fail();
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return fail();
        m = addChecked(mulChecked(m, 10), c - '0');
        ++digits;
        if (point) ++scale;
    }
    if (digits == 0 || (point && scale == 0)) return fail();
    if (scale > kMaxScale) return fail();
    return Decimal(negative ? -m : m, scale);
}

Decimal Decimal::operator+(const Decimal& other) const {
    const int s = std::max(scale_, other.scale_);
    return Decimal(addChecked(scaleUp(mantissa_, s - scale_), scaleUp(other.mantissa_, s - other.scale_)), s);
}

Decimal Decimal::operator-(const Decimal& other) const {
    const int s = std::max(scale_, other.scale_);
    return Decimal(subChecked(scaleUp(mantissa_, s - scale_), scaleUp(other.mantissa_, s - other.scale_)), s);
}

Decimal Decimal::operator*(const Decimal& other) const {
    I128 m = mulChecked(mantissa_, other.mantissa_);
    int s = scale_ + other.scale_;
    // Only trailing zeros may be given up to stay within the scale limit; the value stays exact.
    while (s > kMaxScale && m % 10 == 0) {
        m /= 10;
        --s;
    }
    if (s > kMaxScale) throwOverflow();
    return Decimal(m, s);
}

Decimal Decimal::operator-() const {
    return Decimal(subChecked(0, mantissa_), scale_);
}

Decimal Decimal::divide(const Decimal& divisor, int scale, Rounding mode) const {
    if (divisor.mantissa_ == 0) throwDivisionByZero();
    checkScale(scale);
    // Result mantissa = m * 10^(divisor.scale + scale - scale_) / divisor.m
    const int e = divisor.scale_ + scale - scale_;
    if (e >= 0) return Decimal(divRound(scaleUp(mantissa_, e), divisor.mantissa_, mode), scale);
    return Decimal(divRound(mantissa_, scaleUp(divisor.mantissa_, -e), mode), scale);
}

Decimal Decimal::divideExact(const Decimal& divisor) const {
    if (divisor.mantissa_ == 0) throwDivisionByZero();
    // The quotient terminates iff the reduced denominator has no prime factor other than 2 and 5.
    U128 den = magnitude(divisor.mantissa_);
    if (mantissa_ != 0)
        den /= gcd(magnitude(mantissa_), den);
    else
        den = 1;
    while (den % 2 == 0)
        den /= 2;
    while (den % 5 == 0)
        den /= 5;
    if (den != 1)
        throw DecimalUndefined("Ein Quotient der Lohnsteuerberechnung ist keine endliche Dezimalzahl.");
    for (int s = std::max(0, scale_ - divisor.scale_); s <= kMaxScale; ++s) {
        const int e = divisor.scale_ + s - scale_;
        I128 num = mantissa_;
        I128 d = divisor.mantissa_;
        if (e >= 0)
            num = scaleUp(num, e);
        else
            d = scaleUp(d, -e);
        if (d == 1 || d == -1 || num % d == 0) return Decimal(divRound(num, d, Rounding::Down), s);
    }
    throwOverflow();
}

Decimal Decimal::setScale(int scale, Rounding mode) const {
    checkScale(scale);
    if (scale >= scale_) return Decimal(scaleUp(mantissa_, scale - scale_), scale);
    return Decimal(divRound(mantissa_, pow10(scale_ - scale), mode), scale);
}

std::int64_t Decimal::toInt64() const {
    const I128 unit = pow10(scale_);
    if (mantissa_ % unit != 0)
        throw DecimalUndefined("Der Wert " + toString() + " der Lohnsteuerberechnung ist keine ganze Zahl.");
    const I128 v = mantissa_ / unit;
    if (v > INT64_MAX || v < INT64_MIN)
        throw DecimalOverflow("Der Wert " + toString() +
                              " der Lohnsteuerberechnung liegt außerhalb des Bereichs des Programms.");
    return static_cast<std::int64_t>(v);
}

bool Decimal::toScaled(int scale, std::int64_t& out) const {
    if (scale < 0 || scale > 18)
        throw std::invalid_argument("decimal scale out of range: " + std::to_string(scale));
    I128 m = mantissa_;
    if (scale >= scale_) {
        if (!tryScaleUp(m, scale - scale_, m)) return false;
    } else {
        const I128 unit = pow10(scale_ - scale);
        if (m % unit != 0) return false;
        m /= unit;
    }
    if (m > INT64_MAX || m < INT64_MIN) return false;
    out = static_cast<std::int64_t>(m);
    return true;
}

std::string Decimal::toString() const {
    U128 mag = magnitude(mantissa_);
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + static_cast<int>(mag % 10)));
        mag /= 10;
    } while (mag != 0);
    while (static_cast<int>(digits.size()) <= scale_)
        digits.push_back('0');
    std::reverse(digits.begin(), digits.end());
    if (scale_ > 0) digits.insert(digits.end() - scale_, '.');
    if (mantissa_ < 0) digits.insert(digits.begin(), '-');
    return digits;
}

int Decimal::compare(const Decimal& a, const Decimal& b) {
    I128 am = a.mantissa_;
    I128 bm = b.mantissa_;
    if (a.scale_ < b.scale_) {
        // A mantissa that cannot be widened is larger in magnitude than anything representable.
        if (!tryScaleUp(am, b.scale_ - a.scale_, am)) return a.signum();
    } else if (b.scale_ < a.scale_) {
        if (!tryScaleUp(bm, a.scale_ - b.scale_, bm)) return -b.signum();
    }
    return am < bm ? -1 : (am > bm ? 1 : 0);
}

} // namespace varemo
