#pragma once
// Partial retirement (Altersteilzeit): the legal and agreed values of each year that the top-ups of the
// calculation run need.
//
//   - Which pay-line categories enter which top-up (the categories "A" to "F" are paid at the reduced
//     rate, "a" to "g" in full).
//   - The percentages of the minimum net: 70 % (§ 3 (1) Nr. 1 a AltTZG as in force until 30.06.2004,
//     kept by § 15g AltTZG), 83 % (§ 5 (2) TV ATZ; § 2 (1) ATZV for civil servants).
//   - The minimum-net tables of the ordinance under § 15 AltTZG (Mindestnettobetrags-Verordnung 2008,
//     kept by the TV ATZ, BAG 19.02.2013 – 9 AZR 452/11) exist in law only while § 15 AltTZG gave the
//     power to fix them: it was repealed with effect from 01.01.2020 (G v. 18.07.2016, BGBl. I 1710).
//   - The pension-insurance rate of the additional contributions (§ 163 (5), § 168 (1) Nr. 6 SGB VI).
//   - The solidarity surcharge of a fictitious net (§§ 3, 4 SolZG 1995 in the version of the year).

#include "base/money.h"

#include <string>

namespace varemo {

// The four top-ups a pay line's amount may belong to.
enum class TopUpBase : int {
    AtgTwentyPercent = 0,   // AtG: 20 % of the part-time gross
    AtgMinimumNet = 1,      // AtG: raise to 70 % of the full-time net
    AgreementTwenty = 2,    // TV ATZ: 20 % of the part-time gross
    AgreementMinimumNet = 3 // TV ATZ: raise to 83 % of the full-time net
};
inline constexpr int kTopUpBases = 4;

// Whether a category ('A'..'F', 'a'..'g') enters a top-up; a line without a category counts as "A".
bool categoryEntersTopUp(char category, TopUpBase base);

// The percentages of the minimum net as the law and the agreement fix them ("Vorgabewerte"), whole
// percent.
inline constexpr int kAtgMinimumNetPercent = 70;
inline constexpr int kAgreementMinimumNetPercent = 83;
inline constexpr int kCivilServantMinimumNetPercent = 83;
// The top-up of the part-time gross: 20 % (§ 3 (1) Nr. 1 a AltTZG, § 5 (1) TV ATZ), 34 % in the variant
// the agreement's display shows beside it.
inline constexpr int kTopUpPercent = 20;
inline constexpr int kTopUpVariantPercent = 34;
// Church tax assumed in every flat-rate net, percent of the wage tax.
inline constexpr int kFlatChurchTaxPercent = 8;

// The partial-retirement pay as the statute alone tops it up (§ 3 (1) Nr. 1 AltTZG, for a partial
// retirement begun from 01.07.2004): 20 % of the regular pay, additional pension contributions on 80 %
// of it within 90 % of the ceiling; hundredths of a percent, as the agreements of the working-time-account
// variant give them.
inline constexpr int kStatutoryTopUpHundredths = 2000;
inline constexpr int kStatutoryPensionBaseHundredths = 8000;
inline constexpr int kStatutoryPensionCapHundredths = 9000;

// The pay on which the employer pays additional pension contributions (§ 3 (1) Nr. 1 b AltTZG, § 163 (5)
// SGB VI): base % of the regular pay (itself capped at the ceiling, § 6 (1) AltTZG), but no more than
// cap % of the ceiling less the regular pay; each percentage rounded to the cent (commercial).
struct StatutoryPensionTopUp {
    Money regular; // "Regelarbeitsentgelt", at most the ceiling
    Money limit;   // "90 % der Beitragsbemessungsgrenze"
    Money room;    // "Maximaler Spielraum für die Aufstockung": limit less the regular pay, not below 0
    Money target;  // "Aufstockungssoll: 80% des Regelarbeitsgelts"
    Money base;    // "Somit Aufstockung": the smaller of room and target
    bool operator==(const StatutoryPensionTopUp&) const = default;
};
StatutoryPensionTopUp statutoryPensionTopUp(Money regularPay, Money ceiling, int baseHundredths,
                                            int capHundredths);

// Whether the minimum-net tables are law in the year (up to 2019).
bool minimumNetTablesInForce(int year);

// The row of the minimum-net tables for a monthly gross: the gross rounded to a whole multiple of 5 euros
// (old § 15 AltTZG), as the record number gross / 5; rows run up to 5,300 euros ("und mehr").
int minimumNetRecord(Money gross);
inline constexpr int kMinimumNetLastRecord = 1060;
// The columns of a row: tax classes I/IV, II, III, V, VI.
int minimumNetColumn(int taxClass);

// The full pension-insurance rate of a year, hundredths of a percent (1870 for 18,7 %), and as the
// letter names it ("18,7"): up to 2006 19,5; 2007 to 2011 19,9; 2012 19,6; 2013 and 2014 18,9; 2015 to
// 2017 18,7; from 2018 18,6 (Beitragssatzverordnungen; § 287 (1) SGB VI).
int pensionRateHundredths(int year);
std::string pensionRateName(int year);

// The solidarity surcharge of a month's wage tax as the payroll takes it (§ 3 (4), § 4 SolZG 1995):
// none up to the exemption limit of the month (until 2020 81 euros, 162 in class III; from 2021
// 1,413 and 2,826 euros, a twelfth of 16,956 and 33,912), otherwise 5.5 % of the tax but at most 20 %
// (from 2021 11.9 %) of the tax above the limit; truncated to the cent.
Money monthlySolidaritySurcharge(int year, Money wageTax, bool classThree);

} // namespace varemo
