#include "pay/line_key_codes.h"

#include "base/record_file.h"

#include <algorithm>

namespace varemo {
namespace {

constexpr int kAnnualPaymentLine = 19;
constexpr int kOneTimeLine = 20;

Money magnitude(int32_t cents) {
    return Money::fromCents(cents < 0 ? -static_cast<int64_t>(cents) : cents);
}

size_t flatGroup(int percent) {
    switch (percent) {
    case 15:
        return static_cast<size_t>(FlatRateGroup::Percent15);
    case 25:
        return static_cast<size_t>(FlatRateGroup::Percent25);
    default:
        return static_cast<size_t>(FlatRateGroup::Percent20);
    }
}

int ruleIndex(bool inKind, int position) {
    if (position < 0 || position >= kInKindRules) return -1;
    return inKind ? position : kInKindRules + position;
}

} // namespace

int keyCodeIndex(int line) {
    for (size_t i = 0; i < keycode::kLines.size(); ++i)
        if (keycode::kLines[i] == line) return static_cast<int>(i);
    return -1;
}

int keyCodeDigit(const std::string& code, int position) {
    if (code.empty() || position < 1 || position > keycode::kPositions) return 0;
    const size_t at = position == keycode::kPositions ? code.size() - 1 : static_cast<size_t>(position - 1);
    if (at >= code.size()) return 0;
    const char ch = code[at];
    return ch >= '0' && ch <= '9' ? ch - '0' : 0;
}

std::array<int, keycode::kPositions> keyCodeDigits(const std::string& code) {
    std::array<int, keycode::kPositions> d{};
    for (int p = 1; p <= keycode::kPositions; ++p)
        d[static_cast<size_t>(p - 1)] = keyCodeDigit(code, p);
    return d;
}

std::string joinKeyCode(const std::array<int, keycode::kPositions>& digits) {
    std::string out;
    for (int d : digits)
        out += static_cast<char>('0' + std::clamp(d, 0, 9));
    return out;
}

FlatRate flatRateOf(int digit) {
    switch (digit) {
    case 1:
        return {15, true};
    case 2:
        return {20, true};
    case 3:
        return {25, true};
    case 5:
        return {15, false};
    case 6:
        return {20, false};
    case 7:
        return {25, false};
    default:
        return {};
    }
}

// ---- General rules ----

KeyCodeRules defaultKeyCodeRules() {
    return {{
        {"Sachbezug lt. Eingabe", "022301"},
        {"Dienstwagen (1 %-Regelung)", "022001"},
        {"Jobticket (pauschal 15 %)", "000011"},
        {"Mahlzeiten (pauschal 25 %)", "000031"},
        {"Unterkunft", "022001"},
        {"Verpflegung", "022001"},
        {"- Abzugsfrei n. § 3 Nr. 26 EStG", "000000"},
        {"Sachbezug (ohne Regel)", "000000"},
        {"Einbehalt lt. Eingabe", "000000"},
        {"Auszahlung lt. Eingabe", "000000"},
        {"Entgeltumwandlung § 3 Nr. 63 EStG", "011000"},
        {"Vermögenswirksame Anlage", "000000"},
        {"Fahrtkostenzuschuss (pausch. 15 %)", "000011"},
        {"Kindergartenzuschuss § 3 Nr. 33", "000001"},
        {"Vorschuss", "000000"},
        {"Pfändung", "000000"},
    }};
}

KeyCodeRules keyCodeRulesFromRecord(const RecordBuffer& yearDefaults) {
    KeyCodeRules rules = defaultKeyCodeRules();
    if (yearDefaults.size() < keycode::kRulesOffset + kKeyCodeRules * keycode::kRuleLength) return rules;
    for (size_t i = 0; i < static_cast<size_t>(kKeyCodeRules); ++i) {
        const size_t at = keycode::kRulesOffset + i * keycode::kRuleLength;
        std::string name = yearDefaults.text(at, keycode::kRuleNameLength);
        std::string code = yearDefaults.text(at + keycode::kRuleNameLength, kKeyCodeLength);
        if (name.empty() && code.empty()) continue;
        if (!name.empty()) rules[i].name = name;
        if (code.size() == static_cast<size_t>(kKeyCodeLength)) rules[i].code = code;
    }
    return rules;
}

void writeKeyCodeRules(RecordBuffer& yearDefaults, const KeyCodeRules& rules) {
    for (size_t i = 0; i < static_cast<size_t>(kKeyCodeRules); ++i) {
        const size_t at = keycode::kRulesOffset + i * keycode::kRuleLength;
        yearDefaults.setText(at, keycode::kRuleNameLength, rules[i].name);
        yearDefaults.setText(at + keycode::kRuleNameLength, kKeyCodeLength, rules[i].code);
    }
}

void EnsureKeyCodeRules(Globaldaten& g) {
    if (g.extras.keyCodeRulesYear == g.year) return;
    g.extras.keyCodeRules = keyCodeRulesFromRecord(g.yearDefaults);
    g.extras.keyCodeRulesYear = g.year;
}

const KeyCodeRule* ruleOfEntry(const KeyCodeRules& rules, int line, int position) {
    const int index = keyCodeIndex(line);
    if (index < 0) return nullptr;
    const int rule = ruleIndex(index < 2, position);
    return rule < 0 ? nullptr : &rules[static_cast<size_t>(rule)];
}

void ApplyEntryKeyCode(Globaldaten& g, int line, int position) {
    const int index = keyCodeIndex(line);
    if (index < 0) return;
    EnsureKeyCodeRules(g);
    if (const KeyCodeRule* rule = ruleOfEntry(g.extras.keyCodeRules, line, position))
        g.workingCase.keyCodes[static_cast<size_t>(index)] = rule->code;
}

void ApplyEntryKeyCode(Globaldaten& g, int line) {
    if (const auto key = lineKey(g.workingCase, line)) ApplyEntryKeyCode(g, line, *key);
}

// ---- The run ----

void KeyCodeStep(Globaldaten& g) {
    const Case& c = g.workingCase;
    TaxInputs& tax = g.tax.inputs;
    PensionInputs& pension = g.pension.inputs;
    KeyCodeEffects& effects = g.extras.keyCodes;
    tax.inKindTaxable = Money();
    tax.paymentsTaxable = Money();
    tax.oneTimeFromKeyCodes = Money();
    tax.taxFreeAmounts = Money();
    tax.employerFlat = {};
    tax.employeeFlat = {};
    pension.inKindLiable = Money();
    pension.paymentsLiable = Money();
    pension.exemptAmounts = Money();
    effects = KeyCodeEffects();

    Money oneTimeRaise, oneTimeLower;
    for (size_t i = 0; i < keycode::kLines.size(); ++i) {
        const int line = keycode::kLines[i];
        const Money amount = magnitude(lineAmount(c, line).value());
        if (amount == Money()) continue;
        const auto d = keyCodeDigits(c.keyCodes[i]);
        const bool inKind = i < 2;
        const bool oneTime = d[0] == 1;
        const FlatRate flat = flatRateOf(d[4]);
        Money& taxable = inKind ? tax.inKindTaxable : tax.paymentsTaxable;
        // Wage tax.
        if (d[1] == 2 || flat.percent > 0) taxable += amount;
        if (d[1] == 1) tax.taxFreeAmounts += amount;
        if (flat.percent > 0)
            (flat.byEmployer ? tax.employerFlat : tax.employeeFlat)[flatGroup(flat.percent)] += amount;
        if (oneTime && d[1] == 2 && flat.percent == 0) oneTimeRaise += amount;
        if (oneTime && d[1] == 1) oneTimeLower += amount;
        // Social insurance.
        if (d[2] == 2) (oneTime ? effects.svOneTimeRaise : effects.svRegularRaise) += amount;
        if (d[2] == 1) (oneTime ? effects.svOneTimeLower : effects.svRegularLower) += amount;
        // Supplementary pension.
        switch (d[3]) {
        case 1:
            pension.exemptAmounts += amount;
            break;
        case 2:
            effects.pensionContributionLower += amount;
            break;
        case 3:
            (inKind ? pension.inKindLiable : pension.paymentsLiable) += amount;
            break;
        case 4:
            effects.pensionContributionRaise += amount;
            break;
        default:
            break;
        }
        // Employer cost.
        if (d[5] == 1) effects.employerCost += amount;
    }
    // A one-time deduction is set against the month's one-time pay, never beyond it.
    Money available = oneTimeRaise;
    for (int line : {kAnnualPaymentLine, kOneTimeLine})
        if (c.grossLine(line).flag(LineFlag::WageTax)) available += c.grossLine(line).reducedAmount;
    if (available < Money()) available = Money();
    tax.oneTimeFromKeyCodes = oneTimeRaise - std::min(oneTimeLower, available);
}

} // namespace varemo
