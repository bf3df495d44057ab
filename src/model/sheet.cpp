#include "model/sheet.h"

#include "law/pension_funds.h"
#include "model/fixed_options.h"

#include <stdexcept>

namespace varemo {
namespace {

// The slots of each line. Line 21 has no box of its own and points to the month. Lines 37 and 38 have a
// second box: the health insurance rate, and the childless marker of care insurance (0 with children).
// Lines 1 (case list), 3 (office) and 6 (label option; its amount is the date text) have no amount.
using K = KeySlot;
using A = AmountSlot;
constexpr auto kNone = std::nullopt;
constexpr std::array<LineInfo, kSheetLines> kLines = {{
    {1, kNone, kNone, kNone, "Personalfall"},
    {2, K::Region, kNone, kNone, "Bund / Land"},
    {3, K::Office, kNone, kNone, "Dienststelle ..."},
    {4, K::ServiceRelationship, kNone, K::PayGroup, "Dienstverhältnis"},
    {5, K::Title, kNone, kNone, "Dienstbezeichnung ..."},
    {6, K::DateLabel, kNone, kNone, "Bezugsdatum"},
    {7, K::LineSeven, kNone, kNone, "Monate bei Stufenber.="},
    {8, K::Step, A::BasicPay, kNone, "Grundgehalt lt. Eingabe"},
    {9, K::StructuralAllowance, A::StructuralAllowance, kNone, "Strukturzulage"},
    {10, K::FamilyAllowance, A::FamilyAllowance, kNone, "Familienzuschlag"},
    {11, K::CapitalForming, A::CapitalForming, kNone, "Vermögenswirksame Leistungen"},
    {12, K::PerformancePay, A::PerformancePay, kNone, "Leistungszulage lt. Eingabe"},
    {13, K::Allowance1, A::Allowance1, kNone, "Zulage lt. Eingabe"},
    {14, K::Allowance2, A::Allowance2, kNone, "Zulage lt. Eingabe"},
    {15, K::Allowance3, A::Allowance3, kNone, "Zulage lt. Eingabe"},
    {16, K::Overtime, A::Overtime, kNone, "Mehrarbeitsverg. lt. Berechnung"},
    {17, K::TaxFreeSupplements, A::TaxFreeSupplements, kNone, "Steuerfr. Zuschläge lt. Berechnung"},
    {18, K::HolidayPay, A::HolidayPay, kNone, "Urlaubsgeld"},
    {19, K::AnnualPayment, A::AnnualPayment, kNone, "Jahressonderzahlung"},
    {20, K::OneTimePayment, A::OneTimePayment, kNone, "Sonstiger Bezug lt. Eingabe"},
    {21, K::Month, A::FullTimeGross, kNone, "Vollzeitgehalt"},
    {22, K::PartTime, A::PartTimeGross, kNone, "WoStd. v. normal"},
    {23, K::PartialMonth, A::Gross, kNone, "Tage von normal"},
    {24, K::TaxAllowance, A::TaxAllowance, kNone, "Monatl. Steuerfreibetrag "},
    {25, K::InKind1, A::InKind1, kNone, "Sachbezug lt. Eingabe"},
    {26, K::InKind2, A::InKind2, kNone, "Sachbezug lt. Eingabe"},
    {27, K::SupplementaryFund, A::SupplementaryFund, kNone, "Keine Zusatzversicherung"},
    {28, K::CostCentre, kNone, kNone, "Keine Kostenstelle"},
    {29, K::Denomination, kNone, kNone, "Konfession"},
    {30, K::OtherEmployments, kNone, kNone, "Weitere Beschäftigungen"},
    {31, K::AnnualAdjustment, kNone, kNone, "Ohne LSt.J.Ausgl.d.AG i.Dez."},
    {32, K::OldAgeRelief, kNone, kNone, "Altersentlastungsbetrag"},
    {33, K::HealthFund, kNone, kNone, "Krankenkasse"},
    {34, K::TaxClass, A::WageTax, kNone, "Lohnsteuer"},
    {35, K::SolidaritySurcharge, A::SolidaritySurcharge, kNone, "Solidaritätszuschlag"},
    {36, K::ChurchTax, A::ChurchTax, kNone, "Kirchensteuer"},
    {37, K::ContributionKind, A::HealthInsurance, K::HealthRate, "Krankenversicherung"},
    {38, K::CareKind, A::CareInsurance, K::Childless, "Pflegeversicherung"},
    {39, K::PensionKind, A::PensionInsurance, kNone, "Rentenversicherung"},
    {40, K::UnemploymentKind, A::UnemploymentInsurance, kNone, "Arbeitslosenversicherung"},
    {41, K::EmployeeCapitalFund, A::EmployeeCapital, kNone, "Zusatzversorgung"},
    {42, K::EmployeeShare, A::EmployeeShare, kNone, "ATV-Betriebsrente "},
    {43, K::ChildBenefit, A::ChildBenefit, kNone, "Kindergeld lt. Eingabe"},
    {44, K::Deduction1, A::Deduction1, kNone, "Einbehalt lt. Eingabe"},
    {45, K::Deduction2, A::Deduction2, kNone, "Einbehalt lt. Eingabe"},
    {46, K::Deduction3, A::Deduction3, kNone, "Einbehalt lt. Eingabe"},
    {47, K::Payout, A::NetPay, kNone, "A U S Z A H L U N G"},
}};

std::vector<std::string> fixedOptions(const Case& c, int line) {
    switch (line) {
    case 7:
        if (isCivilServant(c.serviceRelationship()))
            return {"100% Verh.Zuschlag, ggf. TZ-Kürzung", "50% Verh.Zuschlag ohne TZ-Kürzung",
                    "50% Verh.Zuschlag ohne TZ-Kürzung", "50% Verh.Zuschlag  mit TZ-Kürzung"};
        return {};
    case 11:
        return {"Keine vermögenswirks. Leistungen", "Vermögensw. Leistungen 3,33 €",
                "Vermögensw. Leistungen 6,65 €",    "Vermögensw. Leistungen 13,29 €",
                "Vermögensw. Leistungen 19,94 €",   "Vermögensw. Leistungen 26,59 €",
                "Vermögensw. Leistungen 39,88 €",   "Vermögensw. Leistungen lt. Eingabe"};
    case 16:
        return {"Mehrarbeitsverg. lt. Berechnung", "Mehrarbeitsverg. pauschal", "Betrag nach § 11 MuSchG",
                "Gehalt nach Stundensatz lt. Anl."};
    case 17:
        return {"Steuerfr. Zuschläge lt. Berechnung", "Steuerfr. Zuschläge pauschal"};
    case 18:
        return holidayPayOptions();
    case 19:
        return annualPaymentOptions(c);
    case 20:
        return oneTimePaymentOptions();
    case 22:
        return {"WoStd. v. normal", "Teile von normal", "Prozent v. normal", "% Ruhegehalt von %"};
    case 23:
        return {"Tage von normal",         "% Kürzung",
                "% TV-ATZ Arbeitsphase",   "% TV-ATZ Freizeitphase",
                "% AltTZG Blockmodell",    "% TV-FlexAZ Blockmodell",
                "% TV-Falter Blockmodell", "Tage v. normal (Arbeitsverh. läuft)"};
    case 24:
        return {"Monatl. Steuerfreibetrag ", "Monatl. Hinzurechnungsbetrag", "davon Versorgungsbezüge"};
    case 27:
        return pensionFundOptions();
    case 41:
        return pensionFundOptions(); // line 41 follows line 27
    case 30:
        // The run asks only whether there are other employments; their pay is entered with the line.
        return {"Keine weitere Beschäftigung", "Eine weitere Beschäftigung", "Zwei weitere Beschäftigungen",
                "Drei o. mehr weitere Beschäft."};
    case 31:
        return {"Mit LSt.J.Ausgl.d.AG i.Dez.", "Ohne LSt.J.Ausgl.d.AG i.Dez."};
    case 42:
        return {"Kein Beitrag zur ATV-Betriebsrente", "ATV-Betriebsrente ",
                "Umlage ATV-Betriebsrente lt. Eing.", "Beitrag ATV-Betriebsrente lt. Eing."};
    case 43:
        return {"Kindergeld lt. Eingabe", "ATZ-Aufstock. Arbeitsphase", "ATZ-Aufstock. Freizeitphase",
                "ATZ-Aufstockung lt. Eingabe", "Kindergeld f. Zählkinder Zeile 10"};
    case 47:
        return {"A U S Z A H L U N G", "N E T T O G E H A L T "};
    default:
        return {};
    }
}

} // namespace

std::optional<CaseText> renamableFirstEntry(int line) {
    switch (line) {
    case 3:
        return CaseText::Office;
    case 5:
        return CaseText::Title;
    case 13:
        return CaseText::Allowance1;
    case 14:
        return CaseText::Allowance2;
    case 15:
        return CaseText::Allowance3;
    case 20:
        return CaseText::Payment;
    case 25:
        return CaseText::InKind1;
    case 26:
        return CaseText::InKind2;
    case 44:
        return CaseText::Deduction1;
    case 45:
        return CaseText::Deduction2;
    case 46:
        return CaseText::Deduction3;
    default:
        return std::nullopt;
    }
}

const LineInfo& lineInfo(int line) {
    if (line < 1 || line > kSheetLines) throw std::out_of_range("sheet line " + std::to_string(line));
    return kLines[static_cast<size_t>(line - 1)];
}

std::optional<int> lineKey(const Case& c, int line) {
    auto s = lineInfo(line).key;
    if (!s) return std::nullopt;
    return c.key(*s);
}

std::optional<int32_t> lineAmount(const Case& c, int line) {
    auto s = lineInfo(line).amount;
    if (!s) return std::nullopt;
    return c.amount(*s);
}

std::optional<int32_t> linePreviousAmount(const Case& c, int line) {
    auto s = lineInfo(line).amount;
    if (!s) return std::nullopt;
    return c.previousAmount(*s);
}

void setLineKey(Case& c, int line, int16_t key) {
    auto s = lineInfo(line).key;
    if (!s) throw std::invalid_argument("line " + std::to_string(line) + " has no option box");
    c.setKey(*s, key);
}

std::vector<std::string> lineOptions(const Case& c, int line, const OptionListSource* source) {
    std::optional<std::vector<std::string>> supplied;
    if (source) supplied = source->options(c, line);
    auto options = supplied ? std::move(*supplied) : fixedOptions(c, line);
    if (auto text = renamableFirstEntry(line)) {
        if (options.empty()) options.emplace_back();
        if (!c.text(*text).empty())
            options[0] = c.text(*text);
        else if (options[0].empty())
            options[0] = lineInfo(line).caption;
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
        if (n == 1)
            out.text = c.name;
        else if (n == 6)
            out.text = c.dateText;
        else if (auto label = source ? source->label(c, n) : std::nullopt)
            out.text = std::move(*label);
        else if (n == 42 && out.key)
            out.text = employeeShareText(*out.key); // the key is a code, not a position
        else if (out.key && *out.key >= 0 && *out.key < static_cast<int>(out.options.size()))
            out.text = out.options[static_cast<size_t>(*out.key)];
        else
            out.text = info.caption;
    }
}

} // namespace varemo
