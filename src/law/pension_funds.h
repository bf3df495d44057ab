#pragma once
// Supplementary pension funds: the option list of line 27 and the fund settings of a year (panel
// "Betriebliche Altersvorsorge "), with the shipped defaults that "Vorgabewerte" restores.
//
// Rates count ten-thousandths of a percent (82600 = 8,26 %), so the four decimals of the panel are
// kept exactly. Every fund has a column for the western and one for the eastern area; a case takes
// the column of its region (the East flag). The entries "VBL Bund", "VBL Länder", "VBL VKA" and
// "VBL sonstige Beteiligte" therefore cover both VBL settlement areas, while the "VBL-OST" entries
// carry the eastern rates in both columns for employees of the eastern settlement area outside the
// eastern tariff area (East Berlin).
//
// Where the shipped values come from is written in data/README.md; settings the law
// does not fix (the VBL's restructuring charge, the western communal and church funds other than the
// Rheinische ZVK, the free entries) ship as 0 and are the user's to enter.

#include "base/money.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varemo {

inline constexpr int kPensionFundPositions = 41; // line 27 positions 0 to 40

// Positions of line 27 with a meaning of their own.
namespace fund {
inline constexpr int VblBund = 0;
inline constexpr int VblLaender = 1;
inline constexpr int VblVka = 2;
inline constexpr int VblOther = 3;
inline constexpr int VblEastBund = 4;
inline constexpr int VblEastLaender = 5;
inline constexpr int VblEastVka = 6;
inline constexpr int VblEastOther = 7;
inline constexpr int Hamburg = 25;            // employees of Hamburg: contribution under the HmbZVG
inline constexpr int OtherPromise = 35;       // employee with another pension promise: no levy
inline constexpr int PensionReserve = 36;     // civil servants: "Versorgungsrücklage in %"
inline constexpr int PensionCostPercent = 37; // civil servants: "Versorgungsaufwand in % lt. Eingabe"
inline constexpr int PensionCostEuro = 38;    // civil servants: "Versorgungsaufwand in Euro lt.Eing."
inline constexpr int PensionFundLevy = 39;    // civil servants: levy to a pension fund, July base
inline constexpr int None = 40;               // "Keine Zusatzversicherung"
} // namespace fund

// The texts of line 27, positions 0 to 40.
const std::vector<std::string>& pensionFundOptions();

// Whether a position of line 27 is a fund that raises a levy or contributions from employees.
inline bool isPensionFund(int position) {
    return position >= 0 && position < fund::OtherPromise;
}

struct PensionRates {
    int32_t levy = 0;            // "Umlagesatz in %", employer and employee together
    int32_t levyEmployee = 0;    // "      davon Arbeitnehmeranteil in %"
    int32_t restructuring = 0;   // "Sanierungsgeld des AG in %"
    int32_t capital = 0;         // "Kapitalbeitrag in %", employer and employee together
    int32_t capitalEmployee = 0; // "      davon Arbeitnehmeranteil in %"

    int32_t employerLevy() const { return levy - levyEmployee; }
    int32_t employerCapital() const { return capital - capitalEmployee; }
    // The employee's share of the levy as a code of line 42 (hundredths of a percent, rounded to the
    // nearest). The employee's share of the capital contribution is line 41's.
    int employeeShareCode() const;
    bool operator==(const PensionRates&) const = default;
};

struct PensionFundSettings {
    std::array<PensionRates, 12> west{}; // by month index
    std::array<PensionRates, 12> east{};
    bool operator==(const PensionFundSettings&) const = default;
};

struct PensionSettings {
    int year = 0;
    std::array<PensionFundSettings, kPensionFundPositions> funds{};
    // "Grenzwerte für AG-Zusatzumlagen" by month: pay above them carries the employer's additional
    // levy of 8 % ("8 % AG-Umlage") or 9 % ("9 % AG-Umlage").
    std::array<Money, 12> threshold8{};
    std::array<Money, 12> threshold9{};
    // In the month in which a levy-liable annual special payment is paid the threshold is raised by it.
    Money specialPaymentThresholdWest;
    Money specialPaymentThresholdEast;
    // "Umlagebemessungsgrenzen" ("W E S T", "O S T") by month.
    std::array<Money, 12> ceilingWest{};
    std::array<Money, 12> ceilingEast{};

    const PensionRates& rates(int position, bool east, int monthIndex) const;
    PensionRates& rates(int position, bool east, int monthIndex);
    bool operator==(const PensionSettings&) const = default;
};

// "Vorgabewerte": the shipped settings of a year (2017 to 2021). Other years get the settings of
// the nearest year of that range.
PensionSettings PensionDefaults(int year);

// Bounds of the entry fields of the fund panel. CorrectPensionRates brings the five rates into
// them (levy and capital contribution 0 to 100 %, each employee share at most its total, the
// employer's capital contribution at most 4 %: above that it would no longer be free of tax and
// contributions) and returns whether it had to change anything.
inline constexpr int32_t kMaxRate = 1000000;              // 100 %
inline constexpr int32_t kMaxEmployerCapitalRate = 40000; // 4 %
bool CorrectPensionRates(PensionRates& rates);

// The tax-free share of the levy (§ 3 Nr. 56 EStG) in percent of the pension-insurance ceiling West:
// 1 before 2014, 2 from 2014 to 2019, 3 from 2020 to 2024, 4 from 2025.
int taxFreeLevyPercent(int year);

// Employee-share codes of line 42 (key slot 41): 0 none; 1 to 400 the rate in hundredths of a
// percent; 401 and 402 an entered amount; 403 Hamburg's contribution.
inline constexpr int kShareEnteredLevy = 401;
inline constexpr int kShareEnteredContribution = 402;
inline constexpr int kShareHamburg = 403;

// The text of line 42 for a code: "Kein Beitrag zur ATV-Betriebsrente", "ATV-Betriebsrente 1,81 %",
// "Umlage ATV-Betriebsrente lt. Eing.", "Beitrag ATV-Betriebsrente lt. Eing.", "RG-Beitrag lt. HmbZVG".
std::string employeeShareText(int code);

// Hamburg's contribution ("RG-Beitrag lt. HmbZVG") in hundredths of a percent: 1,25 %; 1,45 % from
// October 2015; 1,55 % in 2016; 1,65 % from 2017.
int32_t hamburgContributionRate(int year, int monthIndex);

// A rate in ten-thousandths of a percent with a decimal comma, two to four decimals: "6,45", "1,00",
// "0,1234".
std::string formatPensionRate(int32_t rate);

} // namespace varemo
