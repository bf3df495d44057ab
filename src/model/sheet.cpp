#include "model/sheet.h"

#include "model/fixed_options.h"
#include "law/pension_funds.h"

#include <stdexcept>

namespace varemo {
namespace {

// Lines 8 and 11 to 25 and 28 to 32 keep key and amount at line − 1; line 9 and 10 are swapped;
// line 26 uses slot 47, line 27 slot 25, line 33 the fund slot 46, line 37 the contribution kind
// in key slot 52 (its rate position in key slot 37), line 42 slot 41, line 43 slot 26, lines 44 to 46
// slots 42 to 44 and line 47 slot 45. The results of lines 34 to 41 sit in amount slots 33 to 40.
// Line 38 has a second box in key slot 34: the childless marker of care insurance (0 with children).
// Lines 1 (case list), 3 (office, key slot 50) and 6 (label option, key slot 1; its amount is the
// date text) have no amount.
constexpr std::array<LineInfo, kSheetLines> kLines = {{
    {1, -1, -1, -1, "Personalfall"},
    {2, 2, -1, -1, "Bund / Land"},
    {3, 50, -1, -1, "Dienststelle ..."},
    {4, 4, -1, 5, "Dienstverhältnis"},
    {5, 6, -1, -1, "Dienstbezeichnung ..."},
    {6, 1, -1, -1, "Bezugsdatum"},
    {7, 3, -1, -1, "Monate bei Stufenber.="},
    {8, 7, 7, -1, "Grundgehalt lt. Eingabe"},
    {9, 9, 9, -1, "Strukturzulage"},
    {10, 8, 8, -1, "Familienzuschlag"},
    {11, 10, 10, -1, "Vermögenswirksame Leistungen"},
    {12, 11, 11, -1, "Leistungszulage lt. Eingabe"},
    {13, 12, 12, -1, "Zulage lt. Eingabe"},
    {14, 13, 13, -1, "Zulage lt. Eingabe"},
    {15, 14, 14, -1, "Zulage lt. Eingabe"},
    {16, 15, 15, -1, "Mehrarbeitsverg. lt. Berechnung"},
    {17, 16, 16, -1, "Steuerfr. Zuschläge lt. Berechnung"},
    {18, 17, 17, -1, "Urlaubsgeld"},
    {19, 18, 18, -1, "Jahressonderzahlung"},
    {20, 19, 19, -1, "Sonstiger Bezug lt. Eingabe"},
    {21, 20, 20, -1, "Vollzeitgehalt"},
    {22, 21, 21, -1, "WoStd. v. normal"},
    {23, 22, 22, -1, "Tage von normal"},
    {24, 23, 23, -1, "Monatl. Steuerfreibetrag "},
    {25, 24, 24, -1, "Sachbezug lt. Eingabe"},
    {26, 47, 47, -1, "Sachbezug lt. Eingabe"},
    {27, 25, 25, -1, "Keine Zusatzversicherung"},
    {28, 27, -1, -1, "Keine Kostenstelle"},
    {29, 28, -1, -1, "Konfession"},
    {30, 29, -1, -1, "Weitere Beschäftigungen"},
    {31, 30, -1, -1, "Ohne LSt.J.Ausgl.d.AG i.Dez."},
    {32, 31, -1, -1, "Altersentlastungsbetrag"},
    {33, 46, -1, -1, "Krankenkasse"},
    {34, 33, 33, -1, "Lohnsteuer"},
    {35, 35, 34, -1, "Solidaritätszuschlag"},
    {36, 36, 35, -1, "Kirchensteuer"},
    {37, 52, 36, 37, "Krankenversicherung"},
    {38, 38, 37, 34, "Pflegeversicherung"},
    {39, 39, 38, -1, "Rentenversicherung"},
    {40, 40, 39, -1, "Arbeitslosenversicherung"},
    {41, 48, 40, -1, "Zusatzversorgung"},
    {42, 41, 41, -1, "ATV-Betriebsrente "},
    {43, 26, 26, -1, "Kindergeld lt. Eingabe"},
    {44, 42, 42, -1, "Einbehalt lt. Eingabe"},
    {45, 43, 43, -1, "Einbehalt lt. Eingabe"},
    {46, 44, 44, -1, "Einbehalt lt. Eingabe"},
    {47, 45, 45, -1, "A U S Z A H L U N G"},
}};

std::vector<std::string> fixedOptions(const Case& c, int line) {
    switch (line) {
    case 7:
        if (c.serviceRelationship() <= 7)
            return {"100% Verh.Zuschlag, ggf. TZ-Kürzung", "50% Verh.Zuschlag ohne TZ-Kürzung",
                    "50% Verh.Zuschlag ohne TZ-Kürzung", "50% Verh.Zuschlag  mit TZ-Kürzung"};
        return {};
    case 16:
        return {"Mehrarbeitsverg. lt. Berechnung", "Mehrarbeitsverg. pauschal", "Betrag nach § 11 MuSchG",
                "Gehalt nach Stundensatz lt. Anl."};
    case 17: return {"Steuerfr. Zuschläge lt. Berechnung", "Steuerfr. Zuschläge pauschal"};
    case 18: return holidayPayOptions();
    case 19: return annualPaymentOptions(c);
    case 20: return oneTimePaymentOptions();
    case 22: return {"WoStd. v. normal", "Teile von normal", "Prozent v. normal", "% Ruhegehalt von %"};
    case 23:
        return {"Tage von normal",         "% Kürzung",
                "% TV-ATZ Arbeitsphase",   "% TV-ATZ Freizeitphase",
                "% AltTZG Blockmodell",    "% TV-FlexAZ Blockmodell",
                "% TV-Falter Blockmodell"};
    case 24: return {"Monatl. Steuerfreibetrag ", "Monatl. Hinzurechnungsbetrag", "davon Versorgungsbezüge"};
    case 27: return pensionFundOptions();
    case 41: return pensionFundOptions(); // line 41 follows line 27
    case 31: return {"Mit LSt.J.Ausgl.d.AG i.Dez.", "Ohne LSt.J.Ausgl.d.AG i.Dez."};
    case 42:
        return {"Kein Beitrag zur ATV-Betriebsrente", "ATV-Betriebsrente ", "Umlage ATV-Betriebsrente lt. Eing.",
                "Beitrag ATV-Betriebsrente lt. Eing."};
    case 43:
        return {"Kindergeld lt. Eingabe", "ATZ-Aufstock. Arbeitsphase", "ATZ-Aufstock. Freizeitphase",
                "ATZ-Aufstockung lt. Eingabe", "Kindergeld f. Zählkinder Zeile 10"};
    case 47: return {"A U S Z A H L U N G", "N E T T O G E H A L T "};
    default: return {};
    }
}

} // namespace

std::optional<CaseText> renamableFirstEntry(int line) {
    switch (line) {
    case 3: return CaseText::Office;
    case 5: return CaseText::Title;
    case 13: return CaseText::Allowance1;
    case 14: return CaseText::Allowance2;
    case 15: return CaseText::Allowance3;
    case 20: return CaseText::Payment;
    case 25: return CaseText::InKind1;
    case 26: return CaseText::InKind2;
    case 44: return CaseText::Deduction1;
    case 45: return CaseText::Deduction2;
    case 46: return CaseText::Deduction3;
    default: return std::nullopt;
    }
}

const LineInfo& lineInfo(int line) {
    if (line < 1 || line > kSheetLines) throw std::out_of_range("sheet line " + std::to_string(line));
    return kLines[static_cast<size_t>(line - 1)];
}

std::optional<int> lineKey(const Case& c, int line) {
    int s = lineInfo(line).keySlot;
    if (s < 0) return std::nullopt;
    return c.key(s);
}

std::optional<int32_t> lineAmount(const Case& c, int line) {
    int s = lineInfo(line).amountSlot;
    if (s < 0) return std::nullopt;
    return c.amount(s);
}

std::optional<int32_t> linePreviousAmount(const Case& c, int line) {
    int s = lineInfo(line).amountSlot;
    if (s < 0) return std::nullopt;
    return c.previousAmount(s);
}

void setLineKey(Case& c, int line, int16_t key) {
    int s = lineInfo(line).keySlot;
    if (s < 0) throw std::invalid_argument("line " + std::to_string(line) + " has no option box");
    c.setKey(s, key);
}

std::vector<std::string> lineOptions(const Case& c, int line, const OptionListSource* source) {
    std::optional<std::vector<std::string>> supplied;
    if (source) supplied = source->options(c, line);
    auto options = supplied ? std::move(*supplied) : fixedOptions(c, line);
    if (auto text = renamableFirstEntry(line)) {
        if (options.empty()) options.emplace_back();
        if (!c.text(*text).empty()) options[0] = c.text(*text);
        else if (options[0].empty()) options[0] = lineInfo(line).caption;
    }
    return options;
}

void buildSheet(const Case& c, Sheet& sheet, const OptionListSource* source) {
    for (int n = 1; n <= kSheetLines; ++n) {
        const LineInfo& info = lineInfo(n);
        SheetLine& out = sheet.line(n);
        out.number = n;
        out.options = lineOptions(c, n, source);
        out.key = lineKey(c, n);
        out.amountCents = lineAmount(c, n);
        if (n == 1) out.text = c.name;
        else if (n == 6) out.text = c.dateText;
        else if (n == 42 && out.key) out.text = employeeShareText(*out.key); // the key is a code, not a position
        else if (out.key && *out.key >= 0 && *out.key < static_cast<int>(out.options.size()))
            out.text = out.options[static_cast<size_t>(*out.key)];
        else out.text = info.caption;
    }
}

} // namespace varemo
