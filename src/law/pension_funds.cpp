#include "law/pension_funds.h"

#include "law/church_tax.h"

#include <algorithm>

namespace varemo {
namespace {

// A row of shipped rates: valid from (year, month 1 to 12) until the next row of the same fund and
// column. Percentages as written in data/pension-funds/funds.csv, in ten-thousandths.
struct RateRow {
    int fund;
    bool east;
    int year;
    int month;
    PensionRates rates;
};

constexpr int32_t P(int32_t hundredths) {
    return hundredths * 100;
} // 826 → 8,26 %

// VBL West: levy 7,86 % (employer 6,45 + employee 1,41) plus the employee's additional contribution
// in steps of 0,1 points; no capital contribution. The restructuring charge is set per employer.
constexpr PensionRates kWest161{P(806), P(161), 0, 0, 0};
constexpr PensionRates kWest171{P(816), P(171), 0, 0, 0};
constexpr PensionRates kWest181{P(826), P(181), 0, 0, 0};
// VBL East: levy 1,0 % borne by the employer; capital contribution employer 2,0 % plus the
// employee's share rising by 0,75 points a step.
constexpr PensionRates kEast275{P(100), 0, 0, P(475), P(275)};
constexpr PensionRates kEast350{P(100), 0, 0, P(550), P(350)};
constexpr PensionRates kEast425{P(100), 0, 0, P(625), P(425)};
// Communal funds of the eastern Länder: levy by the employer, capital contribution shared half
// and half (§ 37a and § 15a ATV-K).
constexpr PensionRates zvk(int32_t levy, int32_t capital) {
    return {P(levy), 0, 0, P(capital), P(capital / 2)};
}

constexpr RateRow kRows[] = {
    // VBL Länder (TdL): steps 07/2015, 07/2016, 07/2017.
    {fund::VblLaender, false, 2016, 7, kWest171},
    {fund::VblLaender, false, 2017, 7, kWest181},
    {fund::VblLaender, true, 2016, 7, kEast350},
    {fund::VblLaender, true, 2017, 7, kEast425},
    // VBL Bund, VKA and the other members: steps 07/2016 (others 01/2017), 07/2017, 07/2018.
    {fund::VblBund, false, 2016, 7, kWest161},
    {fund::VblBund, false, 2017, 7, kWest171},
    {fund::VblBund, false, 2018, 7, kWest181},
    {fund::VblBund, true, 2016, 7, kEast275},
    {fund::VblBund, true, 2017, 7, kEast350},
    {fund::VblBund, true, 2018, 7, kEast425},
    {fund::VblVka, false, 2016, 7, kWest161},
    {fund::VblVka, false, 2017, 7, kWest171},
    {fund::VblVka, false, 2018, 7, kWest181},
    {fund::VblVka, true, 2016, 7, kEast275},
    {fund::VblVka, true, 2017, 7, kEast350},
    {fund::VblVka, true, 2018, 7, kEast425},
    {fund::VblOther, false, 2017, 1, kWest161},
    {fund::VblOther, false, 2017, 7, kWest171},
    {fund::VblOther, false, 2018, 7, kWest181},
    {fund::VblOther, true, 2017, 1, kEast275},
    {fund::VblOther, true, 2017, 7, kEast350},
    {fund::VblOther, true, 2018, 7, kEast425},
};

// Funds whose rates do not depend on the case's region: both columns alike.
struct FlatRow {
    int fund;
    int year;
    int month;
    PensionRates rates;
};

constexpr FlatRow kFlatRows[] = {
    {fund::VblEastLaender, 2016, 7, kEast350},
    {fund::VblEastLaender, 2017, 7, kEast425},
    {fund::VblEastBund, 2016, 7, kEast275},
    {fund::VblEastBund, 2017, 7, kEast350},
    {fund::VblEastBund, 2018, 7, kEast425},
    {fund::VblEastVka, 2016, 7, kEast275},
    {fund::VblEastVka, 2017, 7, kEast350},
    {fund::VblEastVka, 2018, 7, kEast425},
    {fund::VblEastOther, 2017, 1, kEast275},
    {fund::VblEastOther, 2017, 7, kEast350},
    {fund::VblEastOther, 2018, 7, kEast425},
    {10, 2016, 7, zvk(110, 440)}, // Brandenburg
    {10, 2017, 7, zvk(110, 460)},
    {10, 2018, 7, zvk(110, 480)},
    {11, 2016, 7, zvk(130, 440)}, // Mecklenburg-Vorpommern
    {11, 2017, 7, zvk(130, 460)},
    {11, 2018, 7, zvk(130, 480)},
    {13, 2016, 7, zvk(150, 440)}, // Sachsen-Anhalt: 07/2018 published, the steps before by § 15a ATV-K
    {13, 2017, 7, zvk(150, 460)},
    {13, 2018, 7, zvk(150, 480)},
    {14, 2016, 1, zvk(110, 400)}, // Thüringen
};

// Thresholds of the additional levies: 1.133 × TVöD-VKA E15 step 6, from the month of each table.
struct ThresholdRow {
    int year;
    int month;
    int64_t cents;
};
constexpr ThresholdRow kThresholds[] = {
    {2016, 3, 717370}, {2017, 2, 734228}, {2018, 3, 755447},
    {2019, 4, 776666}, {2020, 3, 784156}, {2021, 4, 795134},
};

// The same in the month of the annual special payment, West and East.
struct SpecialThresholdRow {
    int year;
    int64_t west;
    int64_t east;
};
constexpr SpecialThresholdRow kSpecialThresholds[] = {
    {2017, 1126526, 1028451}, {2018, 1146618, 1048825}, {2019, 1178823, 1106435},
    {2020, 1190192, 1141496}, {2021, 1206853, 1182126},
};

// Monthly pension-insurance ceilings West and East.
struct CeilingRow {
    int year;
    int64_t west;
    int64_t east;
};
constexpr CeilingRow kPensionCeilings[] = {
    {2017, 635000, 570000}, {2018, 650000, 580000}, {2019, 670000, 615000},
    {2020, 690000, 645000}, {2021, 710000, 670000},
};

bool startsBy(int rowYear, int rowMonth, int year, int month) {
    return rowYear < year || (rowYear == year && rowMonth <= month);
}

int clampYear(int year) {
    return std::clamp(year, 2017, 2021);
}

const CeilingRow& ceilingsOf(int year) {
    for (const auto& row : kPensionCeilings)
        if (row.year == clampYear(year)) return row;
    return kPensionCeilings[0];
}

} // namespace

const std::vector<std::string>& pensionFundOptions() {
    static const std::vector<std::string> options = [] {
        std::vector<std::string> o = {
            "VBL Bund",
            "VBL Länder",
            "VBL VKA",
            "VBL sonstige Beteiligte",
            "VBL-OST Bund",
            "VBL-OST Länder",
            "VBL-OST VKA",
            "VBL-OST sonstige Beteiligte",
            "VBL-Extra West",
            "VBL-Extra Ost",
            "ZVK Brandenburg",
            "ZVK Mecklenburg-Vorpommern",
            "ZVK Sachsen",
            "ZVK Sachsen-Anhalt",
            "ZVK Thüringen",
            "ZVK Baden-Württemberg",
            "ZVK bayerischer Gemeinden",
            "ZVK Darmstadt",
            "ZVK Wiesbaden",
            "Rheinische ZVK",
            "ZVK Westfalen-Lippe",
            "ZVK Hannover",
            "ZVK Kassel",
            "Kirchliche ZVK (kath.)",
            "Evangelische ZVK",
            "Hamburg (HmbZVG)",
        };
        for (int i = 1; i <= 9; ++i)
            o.push_back("Freie Kasse " + std::to_string(i));
        o.insert(o.end(), {"Anderweitig mit Versorgungszusage", "Versorgungsrücklage in %",
                           "Versorgungsaufwand in % lt. Eingabe", "Versorgungsaufwand in Euro lt.Eing.",
                           "Umlage an die Pensionskasse in %", "Keine Zusatzversicherung"});
        return o;
    }();
    return options;
}

int PensionRates::employeeShareCode() const {
    return static_cast<int>(mulDiv(levyEmployee, 1, 100, Rounding::HalfUp));
}

const PensionRates& PensionSettings::rates(int position, bool east, int monthIndex) const {
    const auto& f = funds.at(static_cast<size_t>(position));
    return (east ? f.east : f.west).at(static_cast<size_t>(monthIndex));
}

PensionRates& PensionSettings::rates(int position, bool east, int monthIndex) {
    auto& f = funds.at(static_cast<size_t>(position));
    return (east ? f.east : f.west).at(static_cast<size_t>(monthIndex));
}

PensionSettings PensionDefaults(int year) {
    PensionSettings s;
    s.year = year;
    const int y = clampYear(year);
    for (int m = 1; m <= 12; ++m) {
        const auto i = static_cast<size_t>(m - 1);
        for (const auto& row : kRows)
            if (startsBy(row.year, row.month, y, m)) s.rates(row.fund, row.east, m - 1) = row.rates;
        for (const auto& row : kFlatRows)
            if (startsBy(row.year, row.month, y, m)) {
                s.rates(row.fund, false, m - 1) = row.rates;
                s.rates(row.fund, true, m - 1) = row.rates;
            }
        for (const auto& row : kThresholds)
            if (startsBy(row.year, row.month, y, m)) {
                s.threshold8[i] = Money::fromCents(row.cents);
                s.threshold9[i] = Money::fromCents(row.cents);
            }
        // 2.5 times the pension-insurance ceiling of the area.
        s.ceilingWest[i] = Money::fromCents(ceilingsOf(y).west * 5 / 2);
        s.ceilingEast[i] = Money::fromCents(ceilingsOf(y).east * 5 / 2);
    }
    for (const auto& row : kSpecialThresholds)
        if (row.year == y) {
            s.specialPaymentThresholdWest = Money::fromCents(row.west);
            s.specialPaymentThresholdEast = Money::fromCents(row.east);
        }
    return s;
}

bool CorrectPensionRates(PensionRates& r) {
    const PensionRates before = r;
    r.levy = std::clamp(r.levy, 0, kMaxRate);
    r.levyEmployee = std::clamp(r.levyEmployee, 0, r.levy);
    r.restructuring = std::clamp(r.restructuring, 0, kMaxRate);
    r.capital = std::clamp(r.capital, 0, kMaxRate);
    r.capitalEmployee = std::clamp(r.capitalEmployee, 0, r.capital);
    if (r.employerCapital() > kMaxEmployerCapitalRate)
        r.capitalEmployee = r.capital - kMaxEmployerCapitalRate;
    return !(before == r);
}

int taxFreeLevyPercent(int year) {
    if (year < 2014) return 1;
    if (year < 2020) return 2;
    if (year < 2025) return 3;
    return 4;
}

std::string employeeShareText(int code) {
    if (code >= 1 && code <= 400) return "ATV-Betriebsrente " + formatRate(code, 2) + " %";
    if (code == kShareEnteredLevy) return "Umlage ATV-Betriebsrente lt. Eing.";
    if (code == kShareEnteredContribution) return "Beitrag ATV-Betriebsrente lt. Eing.";
    if (code == kShareHamburg) return "RG-Beitrag lt. HmbZVG";
    return "Kein Beitrag zur ATV-Betriebsrente";
}

int32_t hamburgContributionRate(int year, int monthIndex) {
    if (year >= 2017) return 165;
    if (year == 2016) return 155;
    if (year == 2015 && monthIndex >= 9) return 145;
    return 125;
}

std::string formatPensionRate(int32_t rate) {
    std::string sign = rate < 0 ? "-" : "";
    int64_t value = rate < 0 ? -static_cast<int64_t>(rate) : rate;
    std::string digits = std::to_string(value % 10000);
    digits.insert(0, 4 - digits.size(), '0');
    while (digits.size() > 2 && digits.back() == '0')
        digits.pop_back();
    return sign + std::to_string(value / 10000) + "," + digits;
}

} // namespace varemo
