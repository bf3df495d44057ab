#include "pay/line_key_codes.h"

#include "base/record_file.h"
#include "base/file_names.h"
#include "model/user_file_names.h"

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

// ---- The window ----

SpecialRulesWindow SpecialRulesWindow::forLine(const Globaldaten& g, int line) {
    SpecialRulesWindow w;
    const int index = keyCodeIndex(line);
    if (index < 0) throw std::invalid_argument("line " + std::to_string(line) + " has no key code");
    w.line_ = line;
    w.inKind_ = index < 2;
    w.payment_ = !w.inKind_ && lineAmount(g.workingCase, line).value() > 0;
    w.linePosition_ = lineKey(g.workingCase, line).value_or(0);
    for (size_t i = 0; i < w.lines_.size(); ++i)
        w.lines_[i] = keyCodeDigits(g.workingCase.keyCodes[i]);
    return w;
}

SpecialRulesWindow SpecialRulesWindow::forGeneralRules(const Globaldaten& g, bool inKind) {
    SpecialRulesWindow w;
    w.general_ = true;
    w.inKind_ = inKind;
    w.rules_ = g.extras.keyCodeRulesYear == g.year ? g.extras.keyCodeRules
                                                   : keyCodeRulesFromRecord(g.yearDefaults);
    w.entry_ = inKind ? 0 : kInKindRules;
    return w;
}

std::string SpecialRulesWindow::title() const {
    if (general_)
        return inKind_ ? "Allgemeine Regeln für die Zeilen 25 und 26 (Sachbezüge)"
                       : "Allgemeine Regeln für die Zeilen 44 bis 46 (Einbehalte/Auszahlungen)";
    if (line_ == 25) return "Sonderregel für Zeile 24 (Sachbezüge)";
    if (line_ == 26) return "Sonderregel für Zeile 25 (Sachbezüge)";
    return "Sonderregel für Zeile " + std::to_string(line_) + " (Einbehalte/Auszahlungen)";
}

std::string SpecialRulesWindow::buttonCaption() const {
    return general_ ? "Speichern" : "Übertrag";
}

std::string SpecialRulesWindow::groupCaption(int position) const {
    switch (position) {
    case 1:
        if (inKind_) return "Der Sachbezug ist ein";
        return payment_ ? "Die Auszahlung ist ein " : "1. Der Einbehalt bezieht sich auf";
    case 2:
        return "2. Steuerpflichtiges Entgelt";
    case 3:
        return "3. Sozialversicherungspflichtiges Entgelt";
    case 4:
        return "4. Zusatzversorgungspflichtiges Entgelt";
    case 5:
        return "5. Pauschalversteuerung";
    case 6:
        return "6. Arbeitgeberaufwand";
    default:
        return "";
    }
}

std::vector<std::string> SpecialRulesWindow::optionCaptions(int position) const {
    switch (position) {
    case 1:
        return {"laufenden Bezug", "einmaligen Bezug               ( 1 )"};
    case 2:
        return {"neutral   ( 0 )", "mindert  ( 1 )", "erhöht  ( 2 )"};
    case 3:
        return {"neutral   ( 0 )", "mindert ( 1 )", "erhöht  ( 2 )"};
    case 4:
        return {"neutral                 ( 0 )", "umlagemindernd   ( 1 )", "beitragsmindernd  ( 2 )",
                "umlageerhöhend    ( 3 )", "beitragserhöhend   ( 4 )"};
    case 5:
        return {"0 %  ( 0 )", "15 %  ( 1 )", "20 %  ( 2 )", "25 %  ( 3 )",
                "0 %  ( 4 )", "15 %  ( 5 )", "20 %  ( 6 )", "25 %  ( 7 )"};
    case 6:
        return {"NEIN                         ( 0 )", "JA                                ( 1 )"};
    default:
        return {};
    }
}

int SpecialRulesWindow::digit(int position) const {
    if (position < 1 || position > keycode::kPositions) return 0;
    if (general_) return keyCodeDigit(rules_[static_cast<size_t>(entry_)].code, position);
    return lines_[static_cast<size_t>(keyCodeIndex(line_))][static_cast<size_t>(position - 1)];
}

std::string SpecialRulesWindow::code() const {
    std::array<int, keycode::kPositions> d{};
    for (int p = 1; p <= keycode::kPositions; ++p)
        d[static_cast<size_t>(p - 1)] = digit(p);
    return joinKeyCode(d);
}

bool SpecialRulesWindow::click(int position, int value) {
    if (position < 1 || position > keycode::kPositions) return false;
    const int options = static_cast<int>(optionCaptions(position).size());
    if (value < 0 || value >= options) return false;
    if (general_) {
        auto d = keyCodeDigits(rules_[static_cast<size_t>(entry_)].code);
        d[static_cast<size_t>(position - 1)] = value;
        if (position == 5 && value > 0) d[1] = 0; // a flat-rated amount leaves the taxable pay alone
        rules_[static_cast<size_t>(entry_)].code = joinKeyCode(d);
        return true;
    }
    if (position == 5 && value > 0 && inKind_ && linePosition_ > keycode::kHighestFlatRateInKindEntry)
        return false;
    lines_[static_cast<size_t>(keyCodeIndex(line_))][static_cast<size_t>(position - 1)] = value;
    return true;
}

std::vector<std::string> SpecialRulesWindow::entries() const {
    std::vector<std::string> out;
    const int first = inKind_ ? 0 : kInKindRules;
    for (int i = first; i < first + kInKindRules; ++i)
        out.push_back(rules_[static_cast<size_t>(i)].name);
    return out;
}

void SpecialRulesWindow::selectEntry(int index) {
    if (!general_ || index < 0 || index >= kInKindRules) return;
    entry_ = (inKind_ ? 0 : kInKindRules) + index;
}

void SpecialRulesWindow::renameEntry(const std::string& name) {
    if (general_) rules_[static_cast<size_t>(entry_)].name = name.substr(0, keycode::kRuleNameLength);
}

std::string SpecialRulesWindow::newEntryName(bool oneTime) const {
    std::string phrase = inKind_    ? "Der Sachbezug ist ein"
                         : payment_ ? "Die Auszahlung ist ein "
                                    : "Der Einbehalt bezieht sich auf einen ";
    if (phrase.back() != ' ') phrase += ' ';
    return phrase + (oneTime ? "einmaliger Bezug" : "laufender Bezug");
}

bool SpecialRulesWindow::transfer(Globaldaten& g) const {
    if (general_) return false;
    Case& c = g.workingCase;
    for (size_t i = 0; i < lines_.size(); ++i)
        c.keyCodes[i] = joinKeyCode(lines_[i]);
    if (g.store.holds(g.year, g.dataSet) && c.monthIndex() <= 11) g.store.storeMonth(g.caseNumber, c);
    return true;
}

bool SpecialRulesWindow::save(Globaldaten& g) const {
    if (!general_) return false;
    g.extras.keyCodeRules = rules_;
    g.extras.keyCodeRulesYear = g.year;
    writeKeyCodeRules(g.yearDefaults, rules_);
    if (!g.userFolder.empty()) {
        // The rest of the year's record stays as the file holds it.
        const auto path = findFileIgnoringCase(g.userFolder, kYearDefaultsFile);
        RecordBuffer record = readRecordIfExists(path, kYearDefaultsRecordLength, yearRecordNumber(g.year));
        writeKeyCodeRules(record, rules_);
        RecordFile file(path, kYearDefaultsRecordLength);
        file.write(yearRecordNumber(g.year), record);
        file.flush();
    }
    return true;
}

} // namespace varemo
