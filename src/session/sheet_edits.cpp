#include "session/sheet_edits.h"

#include "base/cp1252.h"
#include "pay/part_time.h"
#include "pay/steps.h"
#include "session/guarded.h"
#include "session/line_input.h"
#include "session/recalculate.h"

#include <limits>

namespace varemo {
namespace {

bool refuseYearSalary(Session& g) {
    if (!g.showsYearSalary()) return false;
    g.prompter.tell("Sorry", {"Das Jahresgehalt kann nur durch Änderung von Monaten geändert werden."});
    return true;
}

std::optional<CaseText> caseTextOfLine(int line) {
    return renamableFirstEntry(line);
}

std::string trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

} // namespace

bool CanChangeLines(Session& g) {
    if (refuseYearSalary(g)) return false;
    if (g.month() < 1) {
        g.prompter.tell("Sorry", {"Stellen Sie zuerst den Monat ein, ab dem die Änderung gelten soll."});
        return false;
    }
    return true;
}

void ShowGuidedEntryEnd(Session& g) {
    g.prompter.tell("Viel Erfolg ...", {"Hier endet die Hilfe beim Anlegen eines neuen Falles.",
                                        "Bitte bearbeiten Sie die folgenden Zeilen strikt der Reihe nach.",
                                        "Klicken Sie auf Zeile 13, damit sich deren Auswahlbox öffnet."});
}

bool ToggleFlag(Session& g, int line, FlagColumn column) {
    if (refuseYearSalary(g)) return false;
    if (line < kFirstGrossLine || line > kLastGrossLine) return false;
    UserFolderWrite lock(g);
    GrossLineAttributes& a = g.workingCase.grossLine(line);
    if (column == FlagColumn::PartialRetirement) {
        a.partialRetirementCategory = nextPartialRetirementCategory(a.partialRetirementCategory);
    } else {
        LineFlag f = flagOfColumn(column);
        a.setFlag(f, !a.flag(f));
    }
    g.editCode = flagEditCode(column, line);
    return RecalculateAndRedisplay(g);
}

bool RenameFirstEntry(Session& g, int line, const std::string& text) {
    if (refuseYearSalary(g)) return false;
    if (line == 28) {
        g.prompter.tell("Geschützter Datensatz",
                        {"Die 1. Position der Liste (Keine Kostenstelle)", "kann nicht verändert werden."},
                        PromptIcon::Warning);
        return false;
    }
    if (line == 1) return RenameCase(g, text);
    auto which = caseTextOfLine(line);
    std::string name = trimmed(text);
    if (!which || name.empty() || utf8Length(name) > kCaseTextLength) {
        g.prompter.tell("Sorry", {"Sorry, die gewählte Auswahl ist nicht möglich."});
        return false;
    }
    UserFolderWrite lock(g);
    g.workingCase.setText(*which, name);
    return RecalculateAndRedisplay(g);
}

bool CheckLineChoice(Session& g, int line, int position) {
    const Case& c = g.workingCase;
    switch (line) {
    case 7:
        if (hasStepMovement(c.serviceRelationship()) && stepMovementMonths(position) != 0 &&
            trimmed(c.dateText).empty()) {
            g.prompter.tell(
                "Einstellungsdatum fehlt",
                {"Eine Stufenkürzung oder -verlängerung benötigt ein Bezugsdatum in Programmzeile 6"},
                PromptIcon::Warning);
            return false;
        }
        return true;
    case 31: {
        // Line 24 options 0 and 1 are the monthly tax allowance and the additional amount.
        bool allowance = c.key(KeySlot::TaxAllowance) <= 1 && c.previousAmount(AmountSlot::TaxAllowance) != 0;
        if (position == 0 && allowance) {
            g.prompter.tell("Kein Lohnsteuerjahresausgleich .. ",
                            {"Ein Lohnsteuerjahresausgleich ist nicht zugelassen,",
                             "wenn ein Freibetrag oder ein Hinzurechnungsbetrag zu berücksichtigen ist."},
                            PromptIcon::Warning);
            return false;
        }
        return true;
    }
    case 41:
        g.prompter.tell("Zeile 41", {"Die Einstellung in Zeile 41 ist mit Zeile 28 fest verknüpft.",
                                     "Bitte stellen Sie die Vorgaben für die ZVK in Zeile 28 korrekt ein",
                                     "und zwar in der Menüzeile unter Vorgaben/VBL,ZVK,ATV."});
        return false;
    case 43:
        // Child benefit entries (0 and 4) while line 23 is set to partial retirement.
        if (isPartialRetirement(c) && (position == 0 || position == 4)) {
            g.prompter.tell("ATZ in Zeile 23",
                            {"Wenn in Zeile 23 Altersteilzeit eingestellt ist,",
                             "tragen Sie Kindergeld bitte manuell in den Zeilen 44 bis 46 ein.",
                             "Die Beträge werden durch Anklicken des", "§-Zeichens in Zeile 43 angezeigt."});
            return false;
        }
        return true;
    default:
        return true;
    }
}

bool isCappedPercentage(AmountSlot slot) {
    return slot == AmountSlot::TariffFactor || slot == AmountSlot::PerformancePercent;
}

int64_t typedAmountFactor(AmountSlot slot) {
    if (slots::isWorkingTime(slot)) return 100000;
    if (slotBetween(slot, slots::kFirstMoney, slots::kLastMoney) || slot == AmountSlot::Reserved58 ||
        slot == AmountSlot::Reserved59 || isCappedPercentage(slot))
        return 100;
    return 0;
}

bool typedAmountOutOfRange(AmountSlot slot, const std::string& text) {
    int64_t factor = typedAmountFactor(slot);
    if (factor == 0) return false;
    auto value = parseScaledNumber(text, factor);
    if (!value) {
        // Too long for 64 bits: out of range when the text is a number at all, which it is when the
        // same text with every digit replaced by 0 reads as one.
        std::string zeroed = text;
        for (char& ch : zeroed)
            if (ch >= '1' && ch <= '9') ch = '0';
        return parseScaledNumber(zeroed, 1).has_value();
    }
    if (isCappedPercentage(slot) && *value > 0) return false; // capped at 200
    return *value > std::numeric_limits<int32_t>::max() || *value < std::numeric_limits<int32_t>::min();
}

void ShowAmountOutOfRange(Session& g, AmountSlot slot, const std::string& text) {
    int decimals = typedAmountFactor(slot) == 100000 ? 5 : 2;
    auto bound = [decimals](int64_t v) {
        std::string s = formatFixed(v, decimals, decimals);
        // Thousands separators in the integer part, as the sheet shows amounts.
        size_t comma = s.find(',');
        size_t start = s[0] == '-' ? 1 : 0;
        for (size_t i = comma; i > start + 3; i -= 3)
            s.insert(i - 3, ".");
        return s;
    };
    g.prompter.tell(kOverflowTitle,
                    {"Die Eingabe \"" + text + "\" liegt außerhalb des Wertebereichs des Programms",
                     "und wurde nicht gespeichert. Zulässig sind Werte von " +
                         bound(std::numeric_limits<int32_t>::min()) + " bis " +
                         bound(std::numeric_limits<int32_t>::max()) + "."},
                    PromptIcon::Warning);
}

std::string formatFixed(int64_t value, int decimals, int minDecimals) {
    bool negative = value < 0;
    // Work on the magnitude in unsigned arithmetic so that the smallest value is safe.
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::string whole = std::to_string(magnitude / scale);
    std::string frac = std::to_string(magnitude % scale);
    frac.insert(0, static_cast<size_t>(decimals) - frac.size(), '0');
    while (static_cast<int>(frac.size()) > minDecimals && frac.back() == '0')
        frac.pop_back();
    std::string out = negative ? "-" : "";
    out += whole;
    if (!frac.empty()) out += "," + frac;
    return out;
}

std::string amountFieldText(AmountSlot slot, int32_t stored) {
    if (slots::isWorkingTime(slot)) return formatFixed(stored, 5, 2);
    if (slot == AmountSlot::ClassIVFactor) return formatFixed(stored, 3, 3);
    return Money::fromCents(stored).toDisplay();
}

std::optional<std::string> quickArithmetic(const std::string& base, char op, const std::string& operand) {
    constexpr int64_t kScale = 100000;
    auto a = parseScaledNumber(base, kScale);
    auto b = parseScaledNumber(operand, kScale);
    if (!a || !b || (op != '+' && op != '-')) return std::nullopt;
    int64_t result = 0;
    if (op == '+' ? __builtin_add_overflow(*a, *b, &result) : __builtin_sub_overflow(*a, *b, &result))
        return std::nullopt;
    return formatFixed(result, 5, 2);
}

} // namespace varemo
