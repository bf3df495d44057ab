#include "deductions/sheet_options.h"

#include "deductions/kind_lists.h"
#include "deductions/supplementary_pension.h"
#include "deductions/tax_step.h"
#include "law/church_tax.h"
#include "law/pension_funds.h"
#include "tariffs/service_relationship.h"

#include <algorithm>

namespace varemo {
namespace {

constexpr const char* kRoman[] = {"", "I", "II", "III", "IV", "V", "VI"};
constexpr int kNoChurchDenomination = 6; // line 29: no church tax whatever line 36 says

// Child allowances from their double: 2 → "1,0", 3 → "1,5".
std::string childAllowances(int doubled) {
    return std::to_string(doubled / 2) + (doubled % 2 ? ",5" : ",0");
}

std::string fundText(const FundTable& funds, int fund, int month) {
    // Hundredths of a percent with two decimals, as the fund list shows them.
    return funds.name(fund) + " (" + formatRate(funds.rates(fund, month).additional, 2) + " %)";
}

} // namespace

std::string taxClassText(int position, bool shortText) {
    const TaxClass t = TaxClassSelector(position);
    switch (t.code) {
    case kFlatRate20:
        return "pauschal 20 %";
    case kFlatRate25:
        return "pauschal 25 %";
    case kMiniJobEmployer:
        return "AG=2%, AN=0%";
    case kMiniJobEmployee:
        return "AG=0%, AN=2%";
    default:
        break;
    }
    std::string text = "Steuerklasse " + std::string(kRoman[std::clamp(t.code, 1, 6)]);
    if (t.code >= 5) return text; // classes V and VI take no child allowances
    return text + (shortText ? " / " + childAllowances(t.childAllowances2)
                             : ", " + childAllowances(t.childAllowances2) + " Kinderfreibeträge");
}

std::string churchTaxText(int position) {
    switch (position) {
    case 2:
        return "Kirchenst. lt. Eing. (nur pauschal)";
    case 3:
        return "Keine Kirchensteuer";
    default: {
        const int32_t rate = ChurchTaxRate(position, 0);
        return rate > 0 ? "Kirchensteuer " + formatRate(rate, 0) + " %" : "Keine Kirchensteuer";
    }
    }
}

int employeeSharePosition(int code) {
    switch (code) {
    case 0:
        return 0;
    case kShareEnteredLevy:
        return 2;
    case kShareEnteredContribution:
        return 3;
    default:
        return 1;
    }
}

std::optional<std::vector<std::string>> SheetOptionLists::options(const Case& c, int line) const {
    const int month = std::clamp(c.monthIndex(), 0, 11);
    std::vector<std::string> out;
    switch (line) {
    case 33:
        for (int f = 0; f < kHealthFunds; ++f)
            out.push_back(fundText(g_.funds, f, month));
        return out;
    case 34:
        for (int p = 0; p < kTaxClassEntries; ++p)
            out.push_back(taxClassText(p));
        return out;
    case 35:
        return std::vector<std::string>{"Solidaritätszuschlag"};
    case 36:
        for (int p = 0; p < kChurchTaxEntries; ++p)
            out.push_back(churchTaxText(p));
        return out;
    case 37:
    case 38:
    case 39:
    case 40:
        return contributionKindList(g_, line);
    case 42:
        // Entry 1 names the share of the case's fund; without one it keeps its plain text.
        out = {"Kein Beitrag zur ATV-Betriebsrente", "ATV-Betriebsrente ",
               "Umlage ATV-Betriebsrente lt. Eing.", "Beitrag ATV-Betriebsrente lt. Eing."};
        if (const int code = EmployeeShareCodeOfOption(g_, 1); code > 0) out[1] = employeeShareText(code);
        return out;
    default:
        return pay_.options(c, line);
    }
}

std::optional<std::string> SheetOptionLists::label(const Case& c, int line) const {
    switch (line) {
    case 33: {
        const int fund = c.key(KeySlot::HealthFund);
        if (fund < 0 || fund >= kHealthFunds) return std::nullopt;
        return g_.funds.name(fund);
    }
    case 34: {
        const int position = c.key(KeySlot::TaxClass);
        if (position < 0 || position >= kTaxClassEntries) return std::nullopt;
        return taxClassText(position, true);
    }
    case 36: {
        const int position = c.key(KeySlot::ChurchTax);
        if (c.key(KeySlot::Denomination) == kNoChurchDenomination) return "Keine Kirchensteuer";
        if (position < 0 || position >= kChurchTaxEntries) return std::nullopt;
        return churchTaxText(position);
    }
    case 42: {
        // A rate code of a case without a supplementary fund takes nothing: say so rather than show
        // the rate a new case's key would stand for once a fund is chosen.
        const int code = c.key(KeySlot::EmployeeShare);
        const bool insured =
            paysContributions(c.serviceRelationship()) && isPensionFund(c.key(KeySlot::SupplementaryFund));
        if (!insured && code >= 1 && code < kShareEnteredLevy) return employeeShareText(0);
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace varemo
