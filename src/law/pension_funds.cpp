#include "law/pension_funds.h"

#include "law/church_tax.h"
#include "law/pension_funds_data.h"

#include <algorithm>

namespace varemo {
namespace {

bool startsBy(int rowYear, int rowMonth, int year, int month) {
    return rowYear < year || (rowYear == year && rowMonth <= month);
}

int clampYear(int year) {
    return std::clamp(year, 2017, 2021);
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
    // The rows of a position and column, and of an amount and area, follow each other by month (the
    // generator checks it), so the last row begun by a month is the one valid in it.
    for (int m = 1; m <= 12; ++m) {
        const auto i = static_cast<size_t>(m - 1);
        for (const auto& row : shippedPensionRateRows())
            if (startsBy(row.year, row.month, y, m)) {
                if (row.columns != PensionColumns::East) s.rates(row.position, false, m - 1) = row.rates;
                if (row.columns != PensionColumns::West) s.rates(row.position, true, m - 1) = row.rates;
            }
        for (const auto& row : shippedPensionAmountRows()) {
            if (row.kind == PensionAmountKind::SpecialPaymentThreshold ||
                !startsBy(row.year, row.month, y, m))
                continue;
            const Money amount = Money::fromCents(row.cents);
            if (row.kind == PensionAmountKind::LevyThreshold) {
                s.threshold8[i] = amount;
                s.threshold9[i] = amount;
            } else {
                (row.area == PensionColumns::East ? s.ceilingEast : s.ceilingWest)[i] = amount;
            }
        }
    }
    for (const auto& row : shippedPensionAmountRows())
        if (row.kind == PensionAmountKind::SpecialPaymentThreshold && row.year == y)
            (row.area == PensionColumns::East ? s.specialPaymentThresholdEast
                                              : s.specialPaymentThresholdWest) = Money::fromCents(row.cents);
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
