#include "law/partial_retirement.h"

#include <algorithm>

namespace varemo {

bool categoryEntersTopUp(char category, TopUpBase base) {
    // Columns: AtG 20 %, AtG 70 %, TV ATZ 20 %, TV ATZ 83 %; the lower-case categories follow the
    // upper-case ones but for "g", the amount of the Protokollerklärung to § 5 (2) TV ATZ.
    static constexpr bool kTable[7][kTopUpBases] = {
        {true, true, true, true},     // A, a
        {false, true, true, true},    // B, b
        {false, true, false, true},   // C, c
        {true, false, true, false},   // D, d
        {false, false, false, true},  // E, e
        {false, false, false, false}, // F, f
        {false, false, false, true},  // g
    };
    int row = 0;
    if (category >= 'A' && category <= 'F')
        row = category - 'A';
    else if (category >= 'a' && category <= 'g')
        row = category - 'a';
    return kTable[row][static_cast<int>(base)];
}

StatutoryPensionTopUp statutoryPensionTopUp(Money regularPay, Money ceiling, int baseHundredths,
                                            int capHundredths) {
    const auto share = [](Money m, int hundredths) {
        return Money::fromCents(
            mulDiv(m.units(), hundredths, 10000 * Money::kUnitsPerCent, Rounding::HalfUp));
    };
    StatutoryPensionTopUp p;
    p.regular = std::min(std::max(regularPay, Money()), ceiling);
    p.limit = share(ceiling, capHundredths);
    p.room = std::max(p.limit - p.regular, Money());
    p.target = share(p.regular, baseHundredths);
    p.base = std::min(p.room, p.target);
    return p;
}

bool minimumNetTablesInForce(int year) {
    return year <= 2019;
}

int minimumNetRecord(Money gross) {
    if (gross <= Money()) return 0;
    const int64_t fives = mulDiv(gross.units(), 1, 5 * 100 * Money::kUnitsPerCent, Rounding::HalfUp);
    return static_cast<int>(std::clamp<int64_t>(fives, 1, kMinimumNetLastRecord));
}

int minimumNetColumn(int taxClass) {
    switch (taxClass) {
    case 2:
        return 1;
    case 3:
        return 2;
    case 5:
        return 3;
    case 6:
        return 4;
    default:
        return 0; // I and IV
    }
}

int pensionRateHundredths(int year) {
    if (year <= 2006) return 1950;
    if (year <= 2011) return 1990;
    if (year == 2012) return 1960;
    if (year <= 2014) return 1890;
    if (year <= 2017) return 1870;
    return 1860;
}

std::string pensionRateName(int year) {
    const int rate = pensionRateHundredths(year);
    return std::to_string(rate / 100) + "," + std::to_string(rate % 100 / 10);
}

Money monthlySolidaritySurcharge(int year, Money wageTax, bool classThree) {
    const int64_t limitEuros = year <= 2020 ? 81 : 1413;
    const Money limit = Money::fromEuros(classThree ? 2 * limitEuros : limitEuros);
    if (wageTax <= limit) return Money();
    const Money full = wageTax.timesRatio(55, 1000, Rounding::TowardZero);
    const Money zone = (wageTax - limit).timesRatio(year <= 2020 ? 200 : 119, 1000, Rounding::TowardZero);
    return std::min(full, zone).rounded(Money::kUnitsPerCent, Rounding::TowardZero);
}

} // namespace varemo
