#include "presentation/special_rules_window.h"

#include "base/file_names.h"
#include "base/record_file.h"
#include "model/user_file_names.h"

namespace varemo {

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
    w.rules_ =
        g.extras.keyCodeRulesYear == g.year ? g.extras.keyCodeRules : keyCodeRulesFromRecord(g.yearDefaults);
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
