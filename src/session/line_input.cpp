#include "session/line_input.h"

#include "base/cp1252.h"
#include "base/money.h"
#include "deductions/supplementary_pension.h"
#include "law/church_tax.h"
#include "law/sv_defaults.h"
#include "pay/line_key_codes.h"
#include "pay/steps.h"
#include "session/case_load.h"
#include "session/guarded.h"
#include "session/pay_line_input.h"
#include "session/recalculate.h"
#include "session/sheet_edits.h"

#include <algorithm>
#include <limits>

namespace varemo {
namespace {

constexpr int kMaxFactor = 200; // the capped percentages (isCappedPercentage)

bool refuseYearSalary(Session& g) {
    if (!g.showsYearSalary()) return false;
    g.prompter.tell("Sorry", {"Das Jahresgehalt kann nur durch Änderung von Monaten geändert werden."});
    return true;
}

void refuseChoice(Session& g) {
    g.prompter.tell("Sorry", {"Sorry, die gewählte Auswahl ist nicht möglich."});
}

void refuseNumber(Session& g, const std::string& text) {
    g.prompter.tell(kOverflowTitle, {"Die Eingabe \"" + text + "\" ist kein zulässiger Betrag."},
                    PromptIcon::Warning);
}

// Choosing the region on line 2 brings the Land's defaults to the lines that follow it: line 36 the
// Land's church-tax rate while it holds one of the two rates (another choice there is the user's),
// and line 38 the Saxony split of care insurance or its end.
void ApplyRegionDefaults(Session& g, int region) {
    Case& c = g.workingCase;
    const int church = c.key(KeySlot::ChurchTax);
    if (church == 0 || church == 1) {
        // The Land's rate as the user's church tax settings of the year give it.
        int option = defaultChurchOption(region, g.year);
        if (g.tax.churchDataYear == g.year && region >= 0 && region < kRegionCount)
            option = g.tax.lands[static_cast<size_t>(region)].rateHundredths == 800 ? 0 : 1;
        c.setKey(KeySlot::ChurchTax, static_cast<int16_t>(option));
    }
    c.setKey(KeySlot::CareKind, static_cast<int16_t>(careKindForRegion(c.key(KeySlot::CareKind), region)));
}

bool isCalendarDate(const std::string& text) {
    if (text.find('/') != std::string::npos) return false; // only the form TT.MM.JJJJ is typed
    const auto d = parseReferenceDate(text);
    if (!d || d->year > 2099) return false;
    const bool leap = (d->year % 4 == 0 && d->year % 100 != 0) || d->year % 400 == 0;
    return !(d->month == 2 && d->day == 29 && !leap);
}

} // namespace

std::optional<int64_t> parseScaledNumber(const std::string& input, int64_t factor) {
    std::string text = input;
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    if (text.empty()) return 0; // an empty field counts as 0
    bool hasComma = text.find(',') != std::string::npos;
    auto points = std::count(text.begin(), text.end(), '.');
    if (hasComma || points > 1) text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
    std::replace(text.begin(), text.end(), ',', '.');

    size_t i = 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
    Int128 mantissa = 0;
    Int128 scale = 1;
    bool digits = false;
    bool fraction = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.' && !fraction) {
            fraction = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (mantissa > (Int128(1) << 100) || scale > (Int128(1) << 100)) return std::nullopt;
            mantissa = mantissa * 10 + (c - '0');
            if (fraction) scale *= 10;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    Int128 value = divideHalfEven(mantissa * factor, scale);
    if (negative) value = -value;
    if (value > std::numeric_limits<int64_t>::max() || value < std::numeric_limits<int64_t>::min())
        return std::nullopt;
    return static_cast<int64_t>(value);
}

std::optional<TypedAmount> convertTypedAmount(AmountSlot slot, const std::string& text) {
    int64_t factor = 0;
    bool capped = false;
    if (slots::isWorkingTime(slot))
        factor = 100000;
    else if (slotBetween(slot, slots::kFirstMoney, slots::kLastMoney) || slot == AmountSlot::Reserved58 ||
             slot == AmountSlot::Reserved59)
        factor = 100;
    else if (isCappedPercentage(slot)) {
        factor = 100;
        capped = true;
    } else if (slot == AmountSlot::ClassIVFactor)
        factor = 1000;
    else
        return std::nullopt;

    auto value = parseScaledNumber(text, factor);
    if (!value) return std::nullopt;
    TypedAmount result;
    result.shown = text.empty() ? "0" : text;
    if (capped && *value > kMaxFactor * factor) {
        *value = kMaxFactor * factor;
        result.shown = std::to_string(kMaxFactor);
    }
    if (*value > std::numeric_limits<int32_t>::max() || *value < std::numeric_limits<int32_t>::min())
        return std::nullopt;
    result.stored = static_cast<int32_t>(*value);
    return result;
}

std::optional<TypedAmount> convertTypedAmount(int slot, const std::string& text) {
    auto named = amountSlotNumbered(slot);
    if (!named) return std::nullopt;
    return convertTypedAmount(*named, text);
}

bool EnterAmount(Session& g, AmountSlot slot, const std::string& text) {
    if (refuseYearSalary(g)) return false;
    auto typed = convertTypedAmount(slot, text);
    if (!typed) {
        if (typedAmountOutOfRange(slot, text))
            ShowAmountOutOfRange(g, slot, text);
        else
            refuseNumber(g, text);
        return false;
    }
    // The factor procedure (§ 39f EStG) only ever lowers the class-IV tax: 0,001 to 1,000.
    if (slot == AmountSlot::ClassIVFactor && (typed->stored <= 0 || typed->stored > 1000)) {
        g.prompter.tell(
            kOverflowTitle,
            {"Der Faktor für die Steuerklasse IV muss größer als 0 und höchstens 1,000 sein (z. B. "
             "0,950)."},
            PromptIcon::Warning);
        return false;
    }
    // Taken before the working case changes: when another program keeps the folder, nothing changed.
    UserFolderWrite lock(g);
    g.workingCase.enterAmount(slot, typed->stored);
    // Lines 37 and 38 show the computed subsidy; the premium typed there is kept beside them.
    if (slot == AmountSlot::HealthInsurance)
        g.workingCase.enterAmount(AmountSlot::PrivateHealthPremium, typed->stored);
    if (slot == AmountSlot::CareInsurance)
        g.workingCase.enterAmount(AmountSlot::PrivateCarePremium, typed->stored);
    if (slot == AmountSlot::TariffFactor) g.tariffFactor = static_cast<float>(typed->stored) / 10000.0f;
    g.editCode = 200 + slotNumber(slot);
    return RecalculateAndRedisplay(g);
}

bool EnterAmount(Session& g, int slot, const std::string& text) {
    if (auto named = amountSlotNumbered(slot)) return EnterAmount(g, *named, text);
    if (refuseYearSalary(g)) return false;
    refuseNumber(g, text); // no slot of that number takes an amount
    return false;
}

namespace {

// Stores a key without recalculating; refuses (with its message) what the slot does not take.
bool storeKey(Session& g, KeySlot slot, int value) {
    if (refuseYearSalary(g)) return false;
    int limit = highestKey(slot, g.year);
    // The month is chosen through the selection.
    if (slot < slots::kFirstStoredKey || slot == KeySlot::Month || value < 0 || value > 32767 ||
        (limit >= 0 && value > limit)) {
        refuseChoice(g);
        return false;
    }
    UserFolderWrite lock(g);
    g.workingCase.setKey(slot, static_cast<int16_t>(value));
    if (slot == KeySlot::Region) g.east = isEastRegion(value);
    return true;
}

} // namespace

bool SetKey(Session& g, KeySlot slot, int value) {
    return storeKey(g, slot, value) && RecalculateAndRedisplay(g);
}

bool SetKey(Session& g, int slot, int value) {
    if (auto named = keySlotNumbered(slot)) return SetKey(g, *named, value);
    if (refuseYearSalary(g)) return false;
    refuseChoice(g); // no key slot of that number
    return false;
}

bool ChooseOption(Session& g, int line, int position) {
    if (line < 1 || line > kSheetLines || !lineInfo(line).key) {
        refuseChoice(g);
        return false;
    }
    if (!g.showsYearSalary() && !CheckLineChoice(g, line, position)) return false;
    UserFolderWrite lock(g); // the pay line's choice may already change the working case
    if (!g.showsYearSalary() && !PayLineChoice(g, line, position)) return false;
    if (!g.showsYearSalary())
        ApplyEntryKeyCode(g, line, position); // lines 25, 26, 44 to 46: the entry's rule
    int value = position;
    // Line 42 stores the employee-share code its entry stands for, not the entry's position.
    if (line == 42 && !g.showsYearSalary()) value = EmployeeShareCodeOfOption(g, position);
    if (value < 0) {
        refuseChoice(g);
        return false;
    }
    if (!storeKey(g, *lineInfo(line).key, value)) return false;
    // A fund brings its employee share and the agreement's flat-tax limit along, as the
    // recalculation of all cases applies them.
    if (line == 27) ApplyPensionDefaults(g);
    if (line == 2) ApplyRegionDefaults(g, position);
    return RecalculateAndRedisplay(g);
}

bool EnterDate(Session& g, const std::string& text) {
    if (refuseYearSalary(g)) return false;
    // Empty clears the date; anything else is a real date, or the step would keep the old one unseen.
    if (utf8Length(text) > kDateLength || (!text.empty() && !isCalendarDate(text))) {
        g.prompter.tell("Sorry", {"Kein Datum möglich."});
        return false;
    }
    std::vector<std::string> note; // the date is taken as a note only
    if (!text.empty()) {
        Case with = g.workingCase;
        with.dateText = text;
        const int month = std::clamp(with.monthIndex() + 1, 1, 12);
        const bool computesStep = automaticStepApplies(with, g.year, month);
        // With the basic pay typed in line 8 the date would switch the step computation back on and
        // replace the typed pay unseen.
        if (computesStep && with.key(KeySlot::Step) == handEntryStep(with, g.year, month)) {
            g.prompter.tell(
                "Kein Datum möglich.",
                {"Die Eingabe eines Datums in Programmzeile 6 ist nur möglich, wenn in Zeile 6 die "
                 "Option",
                 "\"Nächster Stufenaufstieg\" eingestellt wurde oder in Zeile 8 eine normale Stufe "
                 "ausgewählt wurde. "});
            return false;
        }
        if (!computesStep) {
            note = {"Das Datum ist nur ein Merkposten für Sie."};
            if (dateLabelIsNextStep(with)) {
                note.emplace_back("Bitte rufen Sie den angegebenen Monat auf und ");
                note.emplace_back("geben Sie dann in Zeile 8 die nächste Stufe manuell ein.");
            } else {
                note.emplace_back("Bitte stellen Sie die Stufe in Zeile 8 selbst ein.");
            }
        }
    }
    UserFolderWrite lock(g);
    g.workingCase.dateText = text;
    if (!note.empty())
        g.prompter.tell("Das eingegebene Datum in Zeile 6 hat im Programm keine Funktion", note);
    return RecalculateAndRedisplay(g);
}

bool RenameCase(Session& g, const std::string& name) {
    if (refuseYearSalary(g)) return false;
    std::string trimmed = name;
    while (!trimmed.empty() && trimmed.back() == ' ')
        trimmed.pop_back();
    if (trimmed.empty() || utf8Length(trimmed) > kCaseTextLength) {
        refuseChoice(g);
        return false;
    }
    // The files keep Windows-1252: a character without a code there would come back as "?".
    std::string stored = utf8ToCp1252(trimmed);
    if (cp1252ToUtf8(stored) != trimmed) {
        g.prompter.tell(
            kOverflowTitle,
            {"Der Name enthält Zeichen, die nicht gespeichert werden können.",
             "Bitte nur Buchstaben (auch ä, ö, ü, ß), Ziffern und übliche Satzzeichen verwenden."},
            PromptIcon::Warning);
        return false;
    }
    // A name the load check would take for a damaged record would reset the case at its next load.
    stored.resize(kCaseTextLength, ' ');
    if (nameNeedsReplacing(stored)) {
        g.prompter.tell(kOverflowTitle,
                        {"Der Name \"" + trimmed + "\" kann nicht gespeichert werden:",
                         "Er muss mit zwei Zeichen beginnen, die weder Leerzeichen noch \"!\" noch "
                         "Steuerzeichen sind."},
                        PromptIcon::Warning);
        return false;
    }
    UserFolderWrite lock(g);
    g.workingCase.name = trimmed;
    return RecalculateAndRedisplay(g);
}

} // namespace varemo
