#include "deductions/employer_cost.h"

#include <array>

namespace varemo {
namespace {

// Key-code index and amount of the in-kind lines 25, 26 and of lines 44 to 46.
struct KeyedLine {
    size_t keyCode;
    AmountSlot amountSlot;
};
constexpr std::array<KeyedLine, 2> kInKindLines = {{{0, AmountSlot::InKind1}, {1, AmountSlot::InKind2}}};
constexpr std::array<KeyedLine, 3> kPaymentLines = {
    {{2, AmountSlot::Deduction1}, {3, AmountSlot::Deduction2}, {4, AmountSlot::Deduction3}}};

constexpr int kTopUpFirst = 1; // line 43: "ATZ-Aufstock. Arbeitsphase"
constexpr int kTopUpLast = 3;  // line 43: "ATZ-Aufstockung lt. Eingabe"

template <size_t N> Money keyedEmployerCost(const Case& c, const std::array<KeyedLine, N>& lines) {
    Money sum;
    for (const auto& line : lines)
        if (countsAsEmployerCost(c.keyCodes[line.keyCode]))
            sum += Money::fromCents(c.amount(line.amountSlot));
    return sum;
}

} // namespace

bool paysPartialRetirementTopUp(const Case& c) {
    const int option = c.key(KeySlot::ChildBenefit);
    return option >= kTopUpFirst && option <= kTopUpLast;
}

bool countsAsEmployerCost(const std::string& keyCode) {
    return keyCode.size() == static_cast<size_t>(kKeyCodeLength) && keyCode.back() == '1';
}

void EmployerCostStep(Globaldaten& g) {
    EmployerCost& e = g.pension.employer;
    e = EmployerCost();
    const Case& c = g.workingCase;
    const SocialInsuranceWorksheet& sv = g.social.worksheet;
    const PensionWorksheet& w = g.pension.worksheet;

    e[EmployerItem::Gross] = Money::fromCents(c.amount(AmountSlot::Gross));
    e[EmployerItem::HealthShare] = sv.kv.employer + sv.kvAdditional.employer;
    e[EmployerItem::CareShare] = sv.pv.employer;
    e[EmployerItem::PensionShare] = sv.rv.employer;
    e[EmployerItem::UnemploymentShare] = sv.av.employer;
    if (g.pension.civilServantLevy.applies) {
        e[EmployerItem::Levy] = g.pension.civilServantLevy.total;
    } else {
        e[EmployerItem::CapitalContribution] = w.amount(29);
        e[EmployerItem::Levy] = w.amount(13);
        e[EmployerItem::LevyTaxes] = w.amount(25) + w.amount(26);
        e[EmployerItem::LevyChurchTax] = w.amount(27);
        e[EmployerItem::Restructuring] = w.amount(28);
    }
    e[EmployerItem::TakenOverTaxes] =
        g.tax.employerFlat.wageTax + g.tax.employerFlat.surcharge + g.tax.employerFlat.churchTax;
    if (paysPartialRetirementTopUp(c))
        e[EmployerItem::PartialRetirementTopUp] = Money::fromCents(c.amount(AmountSlot::ChildBenefit));
    e[EmployerItem::InKind] = keyedEmployerCost(c, kInKindLines);
    e[EmployerItem::CalculatedCosts] = g.pension.inputs.calculatedCosts;
    e[EmployerItem::OtherPayments] = keyedEmployerCost(c, kPaymentLines);
    e[EmployerItem::Levies] = sv.levies.total();
    for (const Money& item : e.items)
        e.total += item;
}

} // namespace varemo
