#pragma once
// Yearly social-insurance values: the defaults of the panel "Vorgaben für die Sozialversicherung im
// Jahr " (restored by "Vorgabewerte"), the compulsory-insurance limits, the Insolvenzgeld levy rate,
// the low-wage zone's factor F and bounds, and the mini-job limit.
//
// All values are the law of their year (SGB IV, V, VI, XI, SGB III and the yearly
// Sozialversicherungs-Rechengrößenverordnung). Where an earlier table of this program carried other
// figures, the legal ones are kept here:
//   - compulsory-insurance limits 2021: 64,350 and 58,050 euros;
//   - average additional KV rate 2021: 1.3 %;
//   - factor F 2021: 0.7509 (30 % divided by the total rate of 39.95 % on 1 January 2021);
//   - Insolvenzgeld levy 2021: 0.12 %;
//   - upper bound of the low-wage zone: 850.00 until June 2019 and 1,300.00 from July 2019, for a
//     single employment and for several employments alike.

#include <array>
#include <compare>
#include <cstdint>
#include <optional>

#include "base/money.h"

namespace varemo {

// A contribution rate in ten-thousandths of a percent: 1.525 % is 15250, 14.60 % is 146000.
struct Rate {
    std::int64_t value = 0;

    static constexpr Rate fromHundredths(std::int64_t hundredthsOfPercent) {
        return Rate{hundredthsOfPercent * 100};
    }
    static constexpr Rate fromThousandths(std::int64_t thousandthsOfPercent) {
        return Rate{thousandthsOfPercent * 10};
    }
    constexpr Rate operator+(Rate o) const { return Rate{value + o.value}; }
    constexpr Rate operator-(Rate o) const { return Rate{value - o.value}; }
    constexpr Rate operator*(std::int64_t n) const { return Rate{value * n}; }
    constexpr Rate half() const { return Rate{value / 2}; } // every legal rate here halves exactly
    constexpr auto operator<=>(const Rate&) const = default;
};

// base × rate, computed exactly and rounded commercially to the cent (a remainder of half a cent or
// more rounds away from zero) in one step; throws MoneyOverflow beyond the stored 32-bit cents.
Money contribution(Money base, Rate rate);

enum class Region : int { West = 0, East = 1 };

struct SvDefaults {
    int year = 0; // 0: not loaded

    // Shares of one side ("AG und AN je zur Hälfte") in percent, fixed-point four decimals.
    Rate kvGeneralHalf{73000}; // half the general KV rate (14.6 %)
    Rate kvReducedHalf{70000}; // half the reduced KV rate (14.0 %)
    Rate pvHalf;
    Rate rvHalf;
    Rate avHalf;
    Rate childlessSurcharge; // the employee alone pays it ("AN" "zusätzlich")
    Rate averageAdditional;  // durchschnittlicher Zusatzbeitragssatz
    Rate saxonyShift{5000};  // Saxony: the employee pays 0.5 % more, the employer 0.5 % less

    // Monthly ceilings in euros, index Region (West, East).
    std::array<Money, 2> kvCeiling{};
    std::array<Money, 2> pvCeiling{};
    std::array<Money, 2> rvCeiling{};
    std::array<Money, 2> avCeiling{};

    Money miniJobLimit;  // column "Geringverd.": the pay limit of a mini-job (Geringfügigkeitsgrenze)
    Money rvMinimumBase; // minimum RV base of a mini-job paying the top-up (175.00)

    // The defaults of a year ("Vorgabewerte"); nullopt outside 2017 to 2021.
    static std::optional<SvDefaults> forYear(int year);
};

// "Vorgabewerte": restores the defaults of the year into d. A year outside 2017 to 2021 leaves d
// unchanged and returns false.
bool restoreSvDefaults(SvDefaults& d, int year);

// Jahresarbeitsentgeltgrenze (§ 6 Abs. 6 and 7 SGB V), annual, in euros; the second applies to those
// already exempt on 31.12.2002 ("Bereits am 31.12.2002 versicherungsfrei"). nullopt for unknown years.
std::optional<Money> compulsoryInsuranceLimit(int year, bool exemptOn2002);

// The Insolvenzgeld levy rate of a year (§ 360 SGB III), in thousandths of a percent (0.12 % is 120);
// nullopt for years before 2013 or after 2021.
std::optional<std::int32_t> insolvencyLevyRate(int year);

// Factor F of the low-wage zone (§ 163 Abs. 10 SGB VI), in ten-thousandths (0.7509 is 7509), for 2012
// to 2021; nullopt otherwise.
std::optional<std::int32_t> GleitzoneFactor(int year);

// The mini-job limit of a year: 400.00 before 2013, 450.00 from 2013.
Money miniJobLimit(int year);

// Region 13 of line 2, Sachsen: the employee bears 0.5 % more of care insurance and the employer as
// much less (§ 58 Abs. 3 SGB XI), also in the low-wage zone.
inline constexpr int kRegionSaxony = 13;

// The care kind (line 38) that choosing a region on line 2 brings with it: Sachsen turns the regular
// kind (0) and the employer's subsidy (1) into their Saxony forms (2 and 3), every other region turns
// those back; the other kinds stay as they are.
int careKindForRegion(int careKind, int region);

// Upper bound of the low-wage zone for a month (monthIndex 0 = January): 800.00 before 2013, 850.00
// from 2013 to June 2019, 1,300.00 from July 2019 (Übergangsbereich), for single and several
// employments alike.
Money lowWageZoneUpperBound(int year, int monthIndex);

} // namespace varemo
