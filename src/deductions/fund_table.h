#pragma once
// Health-fund rates of a year: 36 funds (list positions 0 to 35) × 12 months. Rates count hundredths
// of a percent (1460 = 14,60 %).
//
// Until the shipped fund list arrives, every fund carries the year's legal general and reduced rates
// and the year's average additional contribution, with no levies.

#include <array>
#include <cstdint>

namespace varemo {

inline constexpr int kHealthFunds = 36;

struct FundRates {
    int32_t general = 0;    // allgemeiner Beitragssatz
    int32_t reduced = 0;    // ermäßigter Beitragssatz
    int32_t additional = 0; // Zusatzbeitrag
    int32_t u1 = 0;         // sickness levy
    int32_t u2 = 0;         // maternity levy
};

class FundTable {
public:
    // The default table of a year (2017 to 2021).
    static FundTable defaultsFor(int year);

    const FundRates& rates(int fund, int monthIndex) const;
    FundRates& rates(int fund, int monthIndex);

private:
    std::array<std::array<FundRates, 12>, kHealthFunds> table_{};
};

} // namespace varemo
