#pragma once
// Church tax: the rate a case pays (line 36 and the denomination of line 29) and the values of each
// Land and year that the tax step needs besides it: the rate on flat-rate wage tax and the capping
// rate with whether employers apply it.
//
// Rates are hundredths of a percent (900 = 9 %, 550 = 5.5 %, 275 = 2.75 %), so the two decimals the
// Länder publish are kept exactly.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace varemo {

inline constexpr int kRegionCount = 18; // 0 Bund, 1 to 16 the Länder, 17 a further region

struct LandChurchTax {
    int32_t rateHundredths = 0; // church-tax rate of the Land (8 % or 9 %)
    int32_t flatHundredths = 0; // rate on flat-rate wage tax (simplified procedure)
    int32_t capHundredths = 0;  // capping rate, percent of the taxable income; 0: the Land has none
    bool capInPayroll = false;  // employers apply the cap (in the annual adjustment)

    bool operator==(const LandChurchTax&) const = default;
};

using ChurchTaxTable = std::array<LandChurchTax, kRegionCount>;

// The shipped values (data/church-tax/church-tax.tsv) of a year, indexed by region. The Bund (0),
// the further region (17) and years without data have all values 0.
ChurchTaxTable shippedChurchTax(int year);

// The church-tax rate of a case in hundredths of a percent, from the option of line 36:
// 0 → 8 %, 1 → 9 %, 2 and 3 → none, 4 → 7 %, 5 → 6 %, 6 → 5 %, 7 → 4 %, anything else none.
// Denomination position 6 (line 29) means no church tax whatever line 36 says.
int32_t ChurchTaxRate(int churchOption, int denomination);

// The option of line 36 that matches the Land's rate: 0 (8 %) where the Land levies 8 %, else 1 (9 %).
int defaultChurchOption(int region, int year);

// A rate in hundredths of a percent as the captions show it, with a decimal comma and at least
// minDecimals decimals: formatRate(550, 1) "5,5", formatRate(700, 1) "7,0", formatRate(275, 1) "2,75",
// formatRate(900, 0) "9".
std::string formatRate(int32_t hundredths, int minDecimals);

// One row of the shipped data; the build generates the table from the readable source.
struct ShippedChurchTaxRow {
    int year;
    int region;
    LandChurchTax values;
};
std::span<const ShippedChurchTaxRow> shippedChurchTaxRows();

} // namespace varemo
