#include "print/salary_printout.h"

#include "deductions/contribution_group.h"
#include "deductions/employer_cost.h"
#include "deductions/kind_lists.h"
#include "pay/allowances.h"
#include "pay/part_time.h"
#include "pay/pay_options.h"
#include "print/number_format.h"
#include "print/print_rows.h"
#include "session/master_data.h"

#include <array>

namespace varemo::print {
namespace {

using rows::body;
// A year's total that left the range of the program: the sheet shows no amount, nor does the printout.
constexpr const char* kOutOfRange = "außerhalb des Bereichs";
using rows::kBodySize;
using rows::kRow;
using rows::kTitleSize;
constexpr double kSecondSheetAbove = 9.0; // below this the employer's cost goes to sheet 2

Money cents(int64_t v) {
    return Money::fromCents(v);
}

void nextRow(PrintSurface& s, double count = 1) {
    rows::next(s, count);
}

void amountRow(PrintSurface& s, double x, const std::string& caption, Money m,
               double rightEdge = kColumns.amountRight) {
    rows::amount(s, x, caption, m, rightEdge);
}

const char* const kStates[] = {"Bund",     "Ba-Wü",   "Bayern",   "Berlin", "Brdg.",    "Bremen",
                               "Hamburg",  "Hessen",  "M-Vorp.",  "NS",     "NRW",      "Rhpfl.",
                               "Saarland", "Sachsen", "S-Anhalt", "SH",     "Thüringen"};

std::string stateName(int region) {
    if (region >= 0 && region < static_cast<int>(std::size(kStates))) return kStates[region];
    return "Region " + std::to_string(region);
}

// The tax class of line 34 as a word, with the child allowances; the flat-rate codes keep their text.
std::pair<std::string, std::string> taxClassAndChildren(const std::string& text) {
    static const std::pair<const char*, const char*> kWords[] = {
        {"VI", "SECHS"}, {"IV", "VIER"}, {"V", "FÜNF"}, {"III", "DREI"}, {"II", "ZWEI"}, {"I", "EINS"}};
    const std::string prefix = "Steuerklasse ";
    if (text.rfind(prefix, 0) != 0) return {text, ""};
    std::string rest = text.substr(prefix.size());
    const size_t end = rest.find_first_of(" /");
    const std::string roman = rest.substr(0, end);
    std::string children;
    if (const size_t slash = rest.find('/'); slash != std::string::npos) {
        children = rest.substr(slash + 1);
        children.erase(0, children.find_first_not_of(' '));
    }
    for (const auto& [r, word] : kWords)
        if (roman == r) return {word, children};
    return {text, children};
}

// The rate at the start of a worksheet caption "29. 6,45 % ..."; empty when the caption has none.
std::string leadingRate(const std::string& label) {
    const size_t start = label.find(". ");
    const size_t end = label.find(" %");
    if (start == std::string::npos || end == std::string::npos || end < start) return {};
    std::string rate = label.substr(start + 2, end - start - 2);
    rate.erase(0, rate.find_first_not_of(' '));
    return rate;
}

// The rate in a worksheet caption "... (6,45 %)"; empty when the caption has none.
std::string rateOfLabel(const std::string& label) {
    const size_t open = label.rfind('(');
    const size_t close = label.find(" %)", open == std::string::npos ? 0 : open);
    if (open == std::string::npos || close == std::string::npos) return {};
    return label.substr(open + 1, close - open - 1);
}

std::string yearSalaryOrMonth(const Session& g) {
    return monthOfYear(g.month(), g.year);
}

// Two-column case data of the header: caption at x, value at x + 1.1.
struct CaseDataColumn {
    PrintSurface& s;
    double x;
    double y;
    void add(const std::string& caption, const std::string& value) {
        s.setCurrentY(y);
        s.printAt(x, caption);
        s.printAt(x + 1.15, value);
        y += kRow * 0.85;
    }
    void addAmount(const std::string& caption, Money m, double rightEdge) {
        s.setCurrentY(y);
        s.printAt(x, caption);
        s.printRight(rightEdge, amountText(m));
        y += kRow * 0.85;
    }
};

// The pay group's name in the year's option texts; empty where it has none.
std::string payGroupName(const Session& g) {
    const std::vector<std::string> names = payGroupNames(g.pay.texts, g.workingCase.serviceRelationship());
    const int group = g.workingCase.payGroup();
    return group >= 0 && group < static_cast<int>(names.size()) ? names[static_cast<size_t>(group)] : "";
}

// "Bes.Ordn. A9", "Anwärter MITTLERER_DIENST", "TVöD VKA E9b".
std::string payScale(const Session& g) {
    const int sr = g.workingCase.serviceRelationship();
    const std::string group = payGroupName(g);
    if (sr == relationship::kCandidates) return "Anwärter " + group;
    if (isCivilServant(sr)) return "Bes.Ordn. " + group;
    return group.empty() ? lineCaption(g, 4) : lineCaption(g, 4) + " " + group;
}

// The tax class's special cases of line 34 by their names on the printout.
std::string taxClassName(const std::string& text) {
    static const std::pair<const char*, const char*> kSpecial[] = {{"pauschal 20 %", "Steuer pauschal 20 %"},
                                                                   {"pauschal 25 %", "Steuer pauschal 25 %"},
                                                                   {"AG=2%, AN=0%", "AG-Pauschsteuer 2 %"},
                                                                   {"AG=0%, AN=2%", "AN-Pauschsteuer 2 %"}};
    for (const auto& [option, name] : kSpecial)
        if (text == option) return name;
    return text;
}

// Line 24's allowance or addition by the caption of the header ("Str.Freib.mtl.", ...).
std::string allowanceCaption(const Session& g) {
    switch (g.workingCase.key(KeySlot::TaxAllowance)) {
    case 1:
        return "Hinzur.Betr.mtl.";
    case 2:
        return "Versorg.Bez.mtl.";
    default:
        return "Str.Freib.mtl.";
    }
}

std::string yesNo(bool on) {
    return on ? "JA" : "Nein";
}

} // namespace

std::string lineCaption(const Session& g, int line) {
    const std::string& text = g.sheet.line(line).text;
    return text.empty() ? lineInfo(line).caption : text;
}

std::string closingRemark(const Session& g) {
    return g.storage.window.employerText(EmployerText::ClosingRemark);
}

std::string combozahlen(const Session& g) {
    if (g.showsYearSalary()) return "--V"; // the year's totals of what was paid
    const PayColumns& columns = g.extras.columns;
    const bool partTime = columns.partTimeFactor != 1.0f || columns.partialRetirement;
    const bool partMonth = columns.monthPaid != columns.monthWhole;
    if (partTime && partMonth) return "VTB";
    if (partTime) return "-VT";
    if (partMonth) return "-VB";
    return "--V";
}

void druckschleifeneu(PrintSurface& s, const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return;
    std::string rest = text.substr(first, text.find_last_not_of(' ') - first + 1);
    while (!rest.empty()) {
        const size_t dollar = rest.find('$');
        s.setCurrentX(0.5);
        s.print(rest.substr(0, dollar));
        if (dollar == std::string::npos) break;
        rest.erase(0, dollar + 1);
    }
}

void Kopf(const Session& g, PrintSurface& s, const PrintOptions& options, const std::string& title) {
    const Case& c = g.workingCase;
    const WindowRecord& employer = g.storage.window;
    const double top = s.currentY() + 0.5;
    s.setCurrentY(top);
    s.setFont("Arial", 8);
    s.printRight(kColumns.amountRight, "erstellt am " + longDate(options.today));
    s.setCurrentY(top);
    s.setFont("Arial", 10, true);
    s.printAt(kColumns.left, employer.employerText(EmployerText::Line1), true);
    s.setFont("Arial", 9);
    for (EmployerText line : {EmployerText::Line2, EmployerText::Line3, EmployerText::Line4,
                              EmployerText::Line5, EmployerText::Street, EmployerText::Town}) {
        const std::string text = employer.employerText(line);
        if (!text.empty()) s.printAt(kColumns.left, text, true);
    }
    nextRow(s);
    s.setFont("Arial", 14, true);
    s.printAt(kColumns.left, title + " " + yearSalaryOrMonth(g), true);
    // No field of the case says whether the employee is a woman or a man, so the name stands without
    // the salutation "Frau" or "Herrn" rather than with a guessed one.
    s.setFont("Arial", 11, true);
    s.printAt(kColumns.left, c.name, true);
    const MasterData person = caseMasterData(g, g.caseNumber);
    s.setFont("Arial", 9);
    for (const std::string* line : {&person.address1, &person.address2})
        if (!line->empty()) s.printAt(kColumns.left, *line, true);
    s.setFont("Arial", 8);
    s.printAt(kColumns.left,
              std::string(dataSetName(g.dataSet)) + ", Personalfall " + std::to_string(g.caseNumber), true);
    nextRow(s, 0.5);

    s.setFont("Arial", 8);
    const double y0 = s.currentY();
    CaseDataColumn left{s, kColumns.left, y0};
    left.add("Pers.Nr.  ", person.personalNumber);
    left.add("Vers.Nr.  ", "");
    left.add("Steuer-ID  ", person.taxId);
    left.add("Einzugsst. ", lineCaption(g, 33));
    left.add(isCivilServant(c.serviceRelationship()) ? "Besoldung" : "Tarif", payScale(g));
    left.add("Arbeitgeber", stateName(c.region()));
    left.add("Geb.tag", person.birthday);
    left.add("Eintritt", "");
    left.add("Stuf.laufz.ab", c.dateText.find('_') == std::string::npos ? c.dateText : "");
    left.add("Wo.Std.", c.amount(AmountSlot::AgreedHours) > 0
                            ? centsText(c.amount(AmountSlot::AgreedHours) / 1000)
                            : std::string());
    const bool midijob = g.year > 2019 || (g.year == 2019 && g.month() >= 7);
    left.add(midijob ? "Midijob" : "Gleitzone", yesNo(g.social.worksheet.zone));
    left.add("Ki.los PV", yesNo(c.key(KeySlot::Childless) != 0));
    left.add("Mehrf.B.", yesNo(c.key(KeySlot::OtherEmployments) != 0));
    if (const std::optional<bool> spouse = spouseInPublicService(c)) left.add("Eheg.öD", yesNo(*spouse));
    if (!isCivilServant(c.serviceRelationship())) left.add("SV-Schl.", contributionGroupKey(c));
    if (!g.showsYearSalary()) left.add("SV-Tage", std::to_string(g.social.worksheet.svDays));

    CaseDataColumn right{s, 3.0, y0};
    const auto [taxClass, children] = taxClassAndChildren(lineCaption(g, 34));
    right.add("Steuerkl.", taxClassName(taxClass));
    if (g.tax.classIVFactorThousandths != 1000)
        right.add("Faktor", factorText(g.tax.classIVFactorThousandths, 1000));
    right.add("Ki.Freib.", children);
    right.add("Rel.Bek.", lineCaption(g, 29));
    if (!g.showsYearSalary()) right.add("Str.-Tage", g.tax.worksheet.partialMonth() ? "Teilmonat" : "30");
    if (c.amount(AmountSlot::TaxAllowance) != 0)
        right.addAmount(allowanceCaption(g), cents(c.amount(AmountSlot::TaxAllowance)), 5.0);
    if (c.amount(AmountSlot::PrivateHealthPremium) != 0)
        right.addAmount("KV § 10-3 EStG", cents(c.amount(AmountSlot::PrivateHealthPremium)), 5.0);
    if (c.amount(AmountSlot::PrivateCarePremium) != 0)
        right.addAmount("PV § 10-3 EStG", cents(c.amount(AmountSlot::PrivateCarePremium)), 5.0);

    const PensionWorksheet& w = g.pension.worksheet;
    double yEnd = std::max(left.y, right.y);
    // The pension block is the month's; the year salary keeps only the sheet's totals.
    if (!g.showsYearSalary() &&
        (w.amount(13) != Money() || w.amount(29) != Money() || w.amount(31) != Money())) {
        CaseDataColumn zv{s, 5.2, y0};
        const bool atz = w.amount(10) != w.amount(9);
        zv.addAmount(atz ? "ZV-pfl.Entgelt (wegen ATZ * 1.8)" : "ZV-pfl.Entgelt",
                     atz ? w.amount(10) : w.amount(9), kColumns.amountRight);
        zv.addAmount("ZV-Umlage (" + rateOfLabel(w.label(11)) + "%)", w.amount(11), kColumns.amountRight);
        if (w.amount(12) != Money()) zv.addAmount("Zusatzumlage", w.amount(12), kColumns.amountRight);
        zv.add("davon:", "");
        zv.addAmount("   steuerfrei §3.56", w.amount(14), kColumns.amountRight);
        zv.addAmount("   AG verstr.pausch.", w.amount(16), kColumns.amountRight);
        zv.addAmount("   AN verstr.indiv.", w.amount(17), kColumns.amountRight);
        zv.addAmount("   SV-pflichtig", w.amount(23), kColumns.amountRight);
        if (w.amount(31) != Money())
            zv.addAmount("ZV-AN-Beitr.(" + leadingRate(w.label(31)) + "%)", w.amount(31),
                         kColumns.amountRight);
        if (w.amount(29) != Money())
            zv.addAmount("ZV-AG-Beitr.(" + leadingRate(w.label(29)) + "%)", w.amount(29),
                         kColumns.amountRight);
        yEnd = std::max(yEnd, zv.y);
    }
    s.setCurrentX(0);
    s.setCurrentY(yEnd + kRow * 0.5);
    s.line(kColumns.left, s.currentY(), kColumns.amountRight, s.currentY());
    nextRow(s, 0.5);
}

void Brutto(const Session& g, PrintSurface& s) {
    const Case& c = g.workingCase;
    const PayColumns& columns = g.extras.columns;
    const std::string combo = combozahlen(g);
    const bool atz = columns.partialRetirement;

    s.setFont("Arial", kTitleSize, true);
    s.printAt(kColumns.text, g.showsYearSalary() ? "Jahres-" : "BRUTTO-");
    const std::string atzCaption =
        std::to_string(columns.line(kFirstGrossLine).retirementFactor / 100) + " % ATZ";
    body(s, true);
    for (int i = 0; i < 3; ++i) {
        const char letter = combo[static_cast<size_t>(i)];
        if (letter == '-') continue;
        const std::string caption = letter == 'V'   ? "Vollzeit"
                                    : letter == 'T' ? (atz ? atzCaption : "Teilzeit")
                                                    : "Teilmonat";
        s.printRight(kColumns.columnRight(i), caption);
    }
    // "L  S  Z", "L  S  Z  T", "L  S  Z  B" or "L  S  Z  T  B", each letter over its column.
    std::string flagCaptions = "LSZ";
    if (combo.find('T') != std::string::npos) flagCaptions += 'T';
    if (combo.find('B') != std::string::npos) flagCaptions += 'B';
    for (size_t k = 0; k < flagCaptions.size(); ++k)
        s.printAt(kColumns.flags + kColumns.flagStep * static_cast<double>(k),
                  std::string(1, flagCaptions[k]));
    nextRow(s);
    s.setFont("Arial", kTitleSize, true);
    s.printAt(kColumns.text, g.showsYearSalary() ? "gehalt" : "GEHALT");
    body(s, true);
    for (int i = 0; i < 3; ++i)
        if (combo[static_cast<size_t>(i)] != '-') s.printRight(kColumns.columnRight(i), "EURO");
    nextRow(s);

    // The factors of the reduced columns.
    s.setFont("Arial", 7.5);
    const Money agreed = cents(mulDiv(c.amount(AmountSlot::AgreedHours), 1, 1000, Rounding::HalfUp));
    const Money regular = cents(mulDiv(c.amount(AmountSlot::RegularHours), 1, 1000, Rounding::HalfUp));
    if (combo.find('T') != std::string::npos) {
        static const char* const kUnits[] = {"Wochenstunden", "Teile v. Normal", "Proz. v. Normal"};
        const int how = c.key(KeySlot::PartTime);
        std::string text = (atz ? "ATZ-Faktor " : "Teilzeitfaktor ") + factorText(columns.partTimeFactor);
        if (how >= 0 && how < 3 && columns.partTimeFactor != 1.0f)
            text += " für " + amountText(agreed) + " " + kUnits[how] + " von " + amountText(regular);
        if (atz) text += " ATZ";
        s.printAt(kColumns.text, text, true);
    }
    if (combo.find('B') != std::string::npos) {
        const Money paid = cents(mulDiv(columns.monthPaid, 1, 1000, Rounding::HalfUp));
        const Money whole = cents(mulDiv(columns.monthWhole, 1, 1000, Rounding::HalfUp));
        s.printAt(kColumns.text,
                  "Teilmonatsfaktor " + factorText(columns.monthPaid, columns.monthWhole) + " für " +
                      amountText(paid) + " von " + amountText(whole) + " Tagen",
                  true);
    }
    body(s);
    nextRow(s, 0.3);

    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const LineColumns& col = columns.line(line);
        if (g.showsYearSalary()) {
            const std::optional<int32_t> total = g.sheet.line(line).amountCents;
            if (total == 0) continue;
            s.printAt(kColumns.text, lineCaption(g, line));
            s.printRight(kColumns.columnRight(2), total ? amountText(cents(*total)) : kOutOfRange);
        } else {
            if (col.full == Money() && col.actual == Money()) continue;
            s.printAt(kColumns.text, lineCaption(g, line));
        }
        for (int i = 0; i < 3 && !g.showsYearSalary(); ++i) {
            const char letter = combo[static_cast<size_t>(i)];
            if (letter == '-') continue;
            const Money m = i == 2          ? col.actual
                            : letter == 'V' ? col.full
                            : atz           ? col.retirement
                                            : col.partTime;
            s.printRight(kColumns.columnRight(i), amountText(m));
        }
        const GrossLineAttributes& a = c.grossLine(line);
        std::vector<bool> flags = {a.flag(LineFlag::WageTax), a.flag(LineFlag::SocialInsurance),
                                   a.flag(LineFlag::SupplementaryPension)};
        if (combo.find('T') != std::string::npos) flags.push_back(a.flag(LineFlag::PartTime));
        if (combo.find('B') != std::string::npos) flags.push_back(a.flag(LineFlag::PartialMonth));
        for (size_t k = 0; k < flags.size(); ++k)
            s.printAt(kColumns.flags + kColumns.flagStep * static_cast<double>(k), flags[k] ? "x" : "-");
        nextRow(s);
    }
    // The sums are the sheet's lines 21 (full time), 22 (part time) and 23 (gross pay).
    const double y = s.currentY() + 0.02;
    s.line(kColumns.fullTimeLeft, y, kColumns.columnRight(2), y);
    nextRow(s, 0.15);
    body(s, true);
    s.printAt(kColumns.text, g.showsYearSalary() ? "Jahresbruttogehalt" : "Bruttogehalt");
    for (int i = 0; i < 3; ++i) {
        const char letter = combo[static_cast<size_t>(i)];
        if (letter == '-') continue;
        const AmountSlot slot = i == 2          ? AmountSlot::Gross
                                : letter == 'V' ? AmountSlot::FullTimeGross
                                                : AmountSlot::PartTimeGross;
        const std::optional<int32_t> sum =
            g.sheet.line(slot == AmountSlot::Gross           ? 23
                         : slot == AmountSlot::FullTimeGross ? 21
                                                             : 22)
                .amountCents;
        s.printRight(kColumns.columnRight(i), sum ? amountText(cents(*sum)) : kOutOfRange);
    }
    nextRow(s);
    s.setFont("Arial", 7);
    std::string legend = "L = steuerpflichtig   S = soz.vers.pfl.   Z = ZVK-Umlagepfl.";
    if (combo.find('T') != std::string::npos) legend += "   T = Teilzeitfaktor";
    if (combo.find('B') != std::string::npos) legend += "   B = Teilmonatsfaktor";
    s.printAt(kColumns.text, legend, true);
    body(s);
    nextRow(s, 0.5);
}

namespace {

struct DeductionRow {
    std::string caption;
    std::optional<Money> base; // "aus " base " ="
    Money amount;              // as the sheet holds it: deductions negative
    bool outOfRange = false;   // a year's total the sheet cannot show
};

// A branch's caption with the employee's rate; without it where the share is no rate of the base (the
// low-wage zone's employee share is a difference).
std::string rateCaption(const char* caption, Rate r) {
    std::string text = caption;
    if (r.value == 0) return text.substr(0, text.find_last_not_of(' ') + 1);
    return text + formatRate(r) + " %";
}

// § 3 Nr. 28 EStG leaves the partial-retirement top-up of line 43 free of tax; § 32b (1) Nr. 1 g EStG
// still counts it for the rate of the taxable income.
std::string deductionCaption(const Session& g, int line) {
    if (line == 43 && paysPartialRetirementTopUp(g.workingCase))
        return lineCaption(g, line) + " (mit Progressionsvorbehalt)";
    return lineCaption(g, line);
}

// The deductions and payments of lines 34 to 46 and the payout additions, each row's amount taken from
// the sheet; a line is split into its parts only where the parts add up to it.
std::vector<DeductionRow> deductionRows(const Session& g) {
    const Case& c = g.workingCase;
    const TaxWorksheet& tax = g.tax.worksheet;
    const SocialInsuranceWorksheet& sv = g.social.worksheet;
    std::vector<DeductionRow> rows;
    const auto line = [&](AmountSlot slot) { return cents(c.amount(slot)); };
    if (g.showsYearSalary()) {
        // The year's totals of lines 34 to 46 as the sheet shows them, without the month's bases.
        for (int n = 34; n <= 46; ++n)
            if (const auto total = g.sheet.line(n).amountCents; total != 0)
                rows.push_back({n == 34   ? "Lohnsteuer"
                                : n == 35 ? "Solidaritätszuschlag"
                                          : deductionCaption(g, n),
                                std::nullopt, total ? cents(*total) : Money(), !total});
        return rows;
    }

    // Lines 34 to 36 hold the flat-rate taxes the employee bears as well (steps 19 to 21).
    const std::array<std::pair<AmountSlot, int>, 3> taxes = {
        {{AmountSlot::WageTax, 19}, {AmountSlot::SolidaritySurcharge, 20}, {AmountSlot::ChurchTax, 21}}};
    const std::array<const char*, 3> current = {"Lohnsteuer", "Solidaritätszuschlag", "Kirchensteuer"};
    const std::array<const char*, 3> flat = {"Pauschale Lohnsteuer", "Pauschaler Soli-Zuschlag",
                                             "Pauschale Kirchensteuer"};
    Money wageTax;
    for (size_t i = 0; i < taxes.size(); ++i) {
        Money total = line(taxes[i].first);
        Money flatPart = tax.amount(taxes[i].second);
        if (flatPart > -total || total == Money()) flatPart = Money();
        const Money own = total + flatPart;
        if (i == 0) wageTax = -own;
        if (own != Money()) {
            std::string caption = current[i];
            if (i == 2 && lineCaption(g, 36).rfind(caption, 0) == 0) caption = lineCaption(g, 36);
            rows.push_back({caption, i == 0 ? tax.amount(10) : wageTax, own});
        }
        if (flatPart != Money())
            rows.push_back({flat[i], i == 0 ? tax.amount(8) : tax.amount(19), -flatPart});
    }

    const Money health = line(AmountSlot::HealthInsurance);
    if (health != Money()) {
        if (sv.computed && sv.kv.lineAmount() + sv.kvAdditional.lineAmount() == health && !sv.kv.entered) {
            rows.push_back(
                {rateCaption("Krankenversicherung ", sv.kv.employeeRate), sv.kv.base, sv.kv.lineAmount()});
            if (sv.kvAdditional.lineAmount() != Money())
                rows.push_back({rateCaption("Zusatzbeitrag zur Krankenvers. ", sv.kvAdditional.employeeRate),
                                sv.kvAdditional.base, sv.kvAdditional.lineAmount()});
        } else {
            rows.push_back({lineCaption(g, 37), std::nullopt, health});
        }
    }
    const std::array<std::tuple<AmountSlot, const BranchResult*, const char*, int>, 3> branches = {
        {{AmountSlot::CareInsurance, &sv.pv, "Pflegeversicherung ", 38},
         {AmountSlot::PensionInsurance, &sv.rv, "Rentenversicherung ", 39},
         {AmountSlot::UnemploymentInsurance, &sv.av, "Arbeitslosenversicherung ", 40}}};
    for (const auto& [slot, branch, caption, sheetLine] : branches) {
        const Money m = line(slot);
        if (m == Money()) continue;
        const bool matches = sv.computed && branch->lineAmount() == m && !branch->entered;
        // The childless surcharge of 0,25 % is the employee's alone (§ 55 (3), § 58 (1) SGB XI); it is
        // shown apart where the employee's rate exceeds the employer's by just that.
        constexpr Rate kChildlessSurcharge{2500};
        if (matches && branch == &sv.pv && c.key(KeySlot::Childless) != 0 &&
            branch->employeeRate - branch->employerRate == kChildlessSurcharge) {
            const Money surcharge = Money::fromUnits(mulDiv(branch->base.units(), kChildlessSurcharge.value,
                                                            1000000, Rounding::HalfUp))
                                        .rounded(Money::kUnitsPerCent, Rounding::HalfUp);
            rows.push_back({rateCaption(caption, branch->employerRate), branch->base, m + surcharge});
            rows.push_back({"Zusatzbeitrag zur Pflegevers. 0,25 %", branch->base, -surcharge});
        } else if (matches)
            rows.push_back({rateCaption(caption, branch->employeeRate), branch->base, m});
        else
            rows.push_back({lineCaption(g, sheetLine), std::nullopt, m});
    }
    for (const auto& [sheetLine, slot] :
         std::array<std::pair<int, AmountSlot>, 6>{{{41, AmountSlot::EmployeeCapital},
                                                    {42, AmountSlot::EmployeeShare},
                                                    {43, AmountSlot::ChildBenefit},
                                                    {44, AmountSlot::Deduction1},
                                                    {45, AmountSlot::Deduction2},
                                                    {46, AmountSlot::Deduction3}}})
        if (line(slot) != Money()) rows.push_back({deductionCaption(g, sheetLine), std::nullopt, line(slot)});
    for (AmountSlot slot : slotsFrom(slots::kFirstPayoutAddition, slots::kLastPayoutAddition))
        if (c.amount(slot) != 0) rows.push_back({"Sonstige Zahlung", std::nullopt, line(slot) * 100});
    return rows;
}

} // namespace

void abzuege(const Session& g, PrintSurface& s) {
    s.setFont("Arial", kTitleSize, true);
    s.printAt(kColumns.text, "Abzüge und sonstige Zahlungen:", true);
    body(s);
    nextRow(s, 0.2);
    Money sum;
    bool complete = true;
    for (const DeductionRow& row : deductionRows(g)) {
        s.printAt(kColumns.text, row.caption);
        if (row.base) {
            s.printRight(kColumns.baseRight - 0.6, "aus");
            s.printRight(kColumns.baseRight + 0.3, amountText(*row.base) + " =");
        }
        s.printRight(kColumns.amountRight, row.outOfRange ? kOutOfRange : amountText(row.amount));
        sum += row.amount;
        complete = complete && !row.outOfRange;
        nextRow(s);
    }
    const double y = s.currentY() + 0.02;
    s.line(kColumns.amountRight - 1.0, y, kColumns.amountRight, y);
    nextRow(s, 0.15);
    body(s, true);
    s.printAt(kColumns.text, "Summe der Abzüge und sonstigen Zahlungen:");
    s.printRight(kColumns.amountRight, complete ? amountText(sum) : kOutOfRange);
    nextRow(s);
    nextRow(s, 0.3);
    const double boxTop = s.currentY() - 0.04;
    s.setFont("Arial", 11, true);
    s.printAt(kColumns.text, "A U S Z A H L U N G  ");
    const std::optional<int32_t> net = g.sheet.line(47).amountCents;
    s.printRight(kColumns.amountRight - 0.05, net ? amountText(cents(*net)) : kOutOfRange);
    s.box(kColumns.left, boxTop, kColumns.amountRight + 0.05, boxTop + 0.28);
    nextRow(s, 1.6);
    body(s);
    const MasterData person = caseMasterData(g, g.caseNumber);
    s.printAt(kColumns.text, "IBAN: " + ibanInGroups(person.iban));
    s.printAt(kColumns.fullTimeLeft, "BIC: " + person.bic, true);
    if (g.month() == 12) {
        s.setCurrentY(s.currentY() + 0.05);
        s.printAt(kColumns.text,
                  std::string(g.tax.adjustment.performed() ? "m i t   " : "o h n e   ") +
                      "Lohnsteuer-Jahresausgleich des Arbeitgebers",
                  true);
    }
    nextRow(s, 0.5);
}

void AGAufwand(const Session& g, PrintSurface& s, const PrintOptions& options) {
    const EmployerCost& e = g.pension.employer;
    const SocialInsuranceWorksheet& sv = g.social.worksheet;
    if (options.secondSheet || s.currentY() > kSecondSheetAbove) {
        s.setCurrentY(s.currentY() + 0.5);
        s.setFont("Arial", 8);
        s.printAt(0.5, "Fortsetzung auf Blatt 2", true);
        s.newPage();
        s.setScaleMode(ScaleMode::Inches);
        s.setCurrentY(0.5);
        s.setFont("Arial", 11, true);
        s.printAt(kColumns.left, "Blatt 2 der Gehaltsberechnung für " + g.workingCase.name, true);
        nextRow(s, 0.5);
    }
    s.setFont("Arial", kTitleSize, true);
    s.printAt(kColumns.text, "Personalnebenkosten", true);
    body(s);
    s.printAt(kColumns.text, "Weitere Aufwendungen des Arbeitgebers:", true);
    nextRow(s, 0.2);

    Money sum;
    const auto row = [&](const std::string& caption, Money m) {
        if (m == Money()) return;
        amountRow(s, kColumns.text, caption, m);
        sum += m;
    };
    // § 20 (3) SGB IV: for some (trainees of little pay, volunteers) the employer bears the employee's
    // share too; such a row is marked and explained below the total.
    bool bothShares = false;
    const auto branch = [&](const char* name, const BranchResult& b, Rate fullRate = Rate{}) {
        if (b.subsidy != Money()) {
            row(std::string("+ AG-Zuschuss: ") + name, b.employer);
        } else if (b.employee == Money() && b.employer != Money() && fullRate.value != 0 &&
                   b.employerRate == fullRate) {
            row("+ AG-Anteil + AN-Anteil: " + std::string(name) + " " + formatRate(b.employerRate) + " % *)",
                b.employer);
            bothShares = true;
        } else if (b.employerRate.value != 0) {
            row("+ AG-Anteil: " + std::string(name) + " " + formatRate(b.employerRate) + " %", b.employer);
        } else {
            row("+ AG-Anteil: " + std::string(name), b.employer);
        }
    };
    const SvDefaults& rates = g.social.defaults;
    if (sv.computed && sv.kv.employer + sv.kvAdditional.employer == e[EmployerItem::HealthShare]) {
        branch("Krankenversicherung", sv.kv);
        row("+ AG-Anteil: Zusatzbeitrag zur Krankenvers. " + formatRate(sv.kvAdditional.employerRate * 2) +
                " % /2",
            sv.kvAdditional.employer);
    } else {
        row("+ AG-Anteil: Krankenversicherung", e[EmployerItem::HealthShare]);
    }
    if (sv.computed && sv.pv.employer == e[EmployerItem::CareShare])
        branch("Pflegeversicherung", sv.pv, rates.pvHalf * 2);
    else
        row("+ AG-Anteil: Pflegeversicherung", e[EmployerItem::CareShare]);
    if (sv.computed && sv.rv.employer == e[EmployerItem::PensionShare])
        branch("Rentenversicherung", sv.rv, rates.rvHalf * 2);
    else
        row("+ AG-Anteil: Rentenversicherung", e[EmployerItem::PensionShare]);
    if (sv.computed && sv.av.employer == e[EmployerItem::UnemploymentShare])
        branch("Arbeitslosenversicherung", sv.av, rates.avHalf * 2);
    else
        row("+ AG-Anteil: Arbeitslosenversicherung", e[EmployerItem::UnemploymentShare]);
    const std::string levyRate = rateOfLabel(g.pension.worksheet.label(11));
    row(g.pension.civilServantLevy.applies ? "+ Umlage zur Beamtenversorgung"
                                           : "+ Umlage zur Zusatzversorgung (" + levyRate + " %)",
        e[EmployerItem::Levy]);
    row("+ Steuern für die ZV-Umlage", e[EmployerItem::LevyTaxes]);
    row("+ Kirchensteuer für die ZV-Umlage", e[EmployerItem::LevyChurchTax]);
    row("+ ATV-Kapitalbeitrag  ", e[EmployerItem::CapitalContribution]);
    row("+ ATV-Sanierungsgeld  ", e[EmployerItem::Restructuring]);
    row("+ Übernommene Steuern", e[EmployerItem::TakenOverTaxes]);
    row("+ ATZ-Aufstockungsbetrag", e[EmployerItem::PartialRetirementTopUp]);
    row("+ Sachbezüge", e[EmployerItem::InKind]);
    row("+ Kalkulatorische Kosten", e[EmployerItem::CalculatedCosts]);
    row("+ Sonstige Geldleistungen", e[EmployerItem::OtherPayments]);
    const Levies& levies = sv.levies;
    if (sv.computed && levies.total() == e[EmployerItem::Levies]) {
        row("+ Umlage U1 für Entgeltfortzahlung " + formatRate(levies.u1.rate) + " %", levies.u1.amount);
        row("+ Umlage U2 für Mutterschutz " + formatRate(levies.u2.rate) + " %", levies.u2.amount);
        row("+ Umlage U3 für Insolvenzgeld  " + formatRate(levies.u3.rate) + " %", levies.u3.amount);
    } else {
        row("+ Umlagen U1, U2, U3", e[EmployerItem::Levies]);
    }
    const double y = s.currentY() + 0.02;
    s.line(kColumns.amountRight - 1.0, y, kColumns.amountRight, y);
    nextRow(s, 0.15);
    body(s, true);
    amountRow(s, kColumns.text, "Summe der Personalnebenkosten:", sum);
    nextRow(s, 0.3);
    const double boxTop = s.currentY() - 0.04;
    s.setFont("Arial", 11, true);
    s.printAt(kColumns.text, "Personalkosten insgesamt:");
    s.printRight(kColumns.amountRight - 0.05, amountText(e.total));
    s.box(kColumns.left, boxTop, kColumns.amountRight + 0.05, boxTop + 0.28);
    body(s);
    if (bothShares) {
        nextRow(s, 1.2);
        s.setFont("Arial", 7.5);
        s.printAt(kColumns.text, "*) Der Arbeitgeber trägt den Beitrag allein (§ 20 Abs. 3 SGB IV).", true);
        body(s);
    }
    nextRow(s, 1.6);
}

namespace {

void start(PrintSurface& s) {
    s.setScaleMode(ScaleMode::Inches);
    s.foreColor = kBlack;
}

void closing(const Session& g, PrintSurface& s) {
    s.setFont("Arial", 8);
    druckschleifeneu(s, closingRemark(g));
}

} // namespace

void bruttonetto(const Session& g, PrintSurface& s, const PrintOptions& options) {
    start(s);
    Kopf(g, s, options);
    Brutto(g, s);
    abzuege(g, s);
    closing(g, s);
}

void bruttonettoAG(const Session& g, PrintSurface& s, const PrintOptions& options) {
    start(s);
    Kopf(g, s, options);
    Brutto(g, s);
    abzuege(g, s);
    AGAufwand(g, s, options);
    closing(g, s);
}

void bruttodrucken(const Session& g, PrintSurface& s, const PrintOptions& options) {
    start(s);
    Kopf(g, s, options);
    Brutto(g, s);
    AGAufwand(g, s, options);
    closing(g, s);
}

} // namespace varemo::print
