#include "pay/civil_servant_rules.h"

#include <array>
#include <utility>

namespace varemo {

CivilRuleField civilRuleField(const CivilServantPaymentRow& row) {
    switch (row.kind) {
    case CivilPaymentKind::Annual:
        // Bayern's percentage of the family allowance is not applied on its own (data/README.md).
        if (row.groups == "Familienzuschlag part") return CivilRuleField::None;
        return row.percentMilli > 0 ? CivilRuleField::Percent : CivilRuleField::Amount;
    case CivilPaymentKind::Monthly:
        return CivilRuleField::Percent;
    case CivilPaymentKind::Child:
        return CivilRuleField::Amount;
    case CivilPaymentKind::Holiday:
    case CivilPaymentKind::Integrated:
    case CivilPaymentKind::None:
        break;
    }
    return CivilRuleField::None;
}

std::vector<CivilServantPaymentRow> shippedCivilRows(int region, int year) {
    std::vector<CivilServantPaymentRow> rows;
    for (const CivilServantPaymentRow& row : shippedCivilServantPayments())
        if (row.region == region && row.year == year) rows.push_back(row);
    return rows;
}

namespace {

// Rows paid once in the month of the annual payment: the annual rows and the child supplements that are
// not paid monthly.
bool paidInPaymentMonth(const CivilServantPaymentRow& row) {
    return (row.kind == CivilPaymentKind::Annual || row.kind == CivilPaymentKind::Child) && row.month > 0;
}

} // namespace

CivilRuleTable shippedCivilRules(int year) {
    CivilRuleTable table{};
    for (int region = 0; region < kCivilRuleRegions; ++region) {
        CivilLandRules& land = table[static_cast<size_t>(region)];
        const auto rows = shippedCivilRows(region, year);
        for (size_t n = 0; n < rows.size() && n < land.rules.size(); ++n) {
            if (land.month == 0 && paidInPaymentMonth(rows[n])) land.month = rows[n].month;
            land.rules[n] = {rows[n].cents, rows[n].percentMilli};
        }
    }
    return table;
}

std::vector<CivilServantPaymentRow> civilRowsWith(const CivilLandRules& values, int region, int year) {
    std::vector<CivilServantPaymentRow> rows = shippedCivilRows(region, year);
    for (size_t n = 0; n < rows.size() && n < values.rules.size(); ++n) {
        CivilServantPaymentRow& row = rows[n];
        switch (civilRuleField(row)) {
        case CivilRuleField::Amount:
            row.cents = values.rules[n].cents;
            break;
        case CivilRuleField::Percent:
            row.percentMilli = values.rules[n].percentMilli;
            break;
        case CivilRuleField::None:
            break;
        }
        if (paidInPaymentMonth(row) && values.month > 0) row.month = values.month;
    }
    return rows;
}

std::vector<CivilServantPaymentRow> civilServantRules(const Globaldaten& g, int region) {
    if (region < 0 || region >= kCivilRuleRegions || g.extras.civilRulesYear != g.year)
        return shippedCivilRows(region, g.year);
    return civilRowsWith(g.extras.civilRules[static_cast<size_t>(region)], region, g.year);
}

std::string civilEmployerName(int region) {
    const auto names = civilServantEmployers();
    if (region < 0 || static_cast<size_t>(region) >= names.size()) return "Region " + std::to_string(region);
    return std::string(names[static_cast<size_t>(region)]);
}

std::string civilRuleLabel(const CivilServantPaymentRow& row) {
    // The bands of the table in the panel's words.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kWords = {{
        {"1st and 2nd child", "1. und 2. Kind"},
        {"3rd and further child", "ab dem 3. Kind"},
        {"per child", "je Kind"},
        {" and higher", " und höher"},
        {"up to ", "bis "},
        {"judges", "Richter"},
        {"Beamte and Anwärter", "Beamte und Anwärter"},
    }};
    std::string band(row.groups);
    for (const auto& [from, to] : kWords)
        for (size_t at = band.find(from); at != std::string::npos; at = band.find(from, at + to.size()))
            band.replace(at, from.size(), to);
    switch (row.kind) {
    case CivilPaymentKind::Annual:
        return "jährliche Sonderzahlung " + band;
    case CivilPaymentKind::Monthly:
        return "monatliche Sonderzahlung " + band;
    case CivilPaymentKind::Child:
        return "Kinderzuschlag " + band + (row.month < 0 ? " und Monat" : "");
    case CivilPaymentKind::Holiday:
        return "Urlaubsgeld " + band;
    case CivilPaymentKind::Integrated:
        return "in die Besoldung eingebaut";
    case CivilPaymentKind::None:
        return "keine Sonderzahlung";
    }
    return band;
}

} // namespace varemo
