// The worksheets behind the salary calculation: the annex with the detailed deductions (21), the sheet
// of the supplementary pension contributions (13, 25) and the part-time sheet (20).

#include "deductions/kind_lists.h"
#include "pay/part_time.h"
#include "print/number_format.h"
#include "print/print_rows.h"
#include "print/salary_printout.h"

namespace varemo::print {
namespace {

using rows::body;

constexpr double kLeft = 0.5;
constexpr double kText = 0.7;
constexpr double kRight = 7.6;
constexpr double kAmount = 5.4; // right edge of the amounts of the worksheets

void start(PrintSurface& s) {
    s.setScaleMode(ScaleMode::Inches);
    s.foreColor = kBlack;
    s.setCurrentY(s.currentY() + 0.5);
}

std::string monthTitle(const Session& g) {
    return "Gehaltsberechnung " + monthOfYear(g.month(), g.year);
}

void heading(const Session& g, PrintSurface& s, const std::string& title, const PrintOptions& options) {
    s.setFont("Arial", 12, true);
    s.printAt(kLeft, title, true);
    s.setFont("Arial", 9);
    s.printAt(kLeft, g.workingCase.name + ", " + monthOfYear(g.month(), g.year) + ", " +
                         dataSetName(g.dataSet) + ", Personalfall " + std::to_string(g.caseNumber));
    s.printRight(kRight, "erstellt am " + longDate(options.today), true);
    rows::next(s, 0.8);
}

void pensionLines(const Session& g, PrintSurface& s) {
    const PensionWorksheet& w = g.pension.worksheet;
    for (int line = 1; line <= PensionWorksheet::kLines; ++line) {
        if (line == 12)
            rows::amount(s, kText, PensionWorksheet::kAdditionalBaseLabel, w.additionalBase, kAmount);
        if (line == 24) {
            rows::next(s, 0.3);
            body(s, true);
            s.printAt(kText, PensionWorksheet::kEmployerHeading);
            rows::next(s);
            body(s);
        }
        rows::amount(s, kText, w.label(line), w.amount(line), kAmount);
    }
}

} // namespace

void anlage(const Session& g, PrintSurface& s, const PrintOptions& options) {
    start(s);
    const TaxWorksheet& tax = g.tax.worksheet;
    const SocialInsuranceWorksheet& sv = g.social.worksheet;
    s.setFont("Arial", 12, true);
    s.printAt(kLeft, "A N L A G E  zu :  " + monthTitle(g) + " für " + g.workingCase.name, true);
    s.setFont("Arial", 8);
    s.printAt(kLeft, "erstellt am " + longDate(options.today), true);
    rows::next(s, 0.8);

    rows::boxedTitle(s, kLeft, kRight, "A T V   - B E T R I E B S R E N T E");
    pensionLines(g, s);
    rows::next(s, 0.8);

    rows::boxedTitle(s, kLeft, kRight, "S T E U E R N");
    for (int step = 1; step <= TaxWorksheet::kSteps; ++step) {
        if (step == 22) {
            rows::next(s, 0.3);
            body(s, true);
            s.printAt(kText, TaxWorksheet::kOneTimeHeading);
            rows::next(s);
            body(s);
        }
        rows::amount(s, kText, tax.label(step), tax.amount(step), kAmount);
    }
    rows::next(s, 0.5);
    body(s, true);
    rows::amount(s, kText, "Lohnsteuer insgesamt (16+19+30)",
                 tax.amount(16) + tax.amount(19) + tax.amount(30), kAmount);
    rows::amount(s, kText, "Soli-Zuschl. insgesamt (17+20+31)",
                 tax.currentSurcharge() + tax.amount(20) + tax.amount(31), kAmount);
    rows::amount(s, kText, "Kirchenst. insgesamt (18+21+32)",
                 tax.currentChurchTax() + tax.amount(21) + tax.amount(32), kAmount);
    body(s);
    // In December the employer's annual adjustment replaces the month's taxes by what the year leaves.
    if (const AnnualAdjustment& a = g.tax.adjustment; a.performed()) {
        rows::next(s, 0.3);
        s.printAt(kText, "m i t   Lohnsteuer-Jahresausgleich des Arbeitgebers", true);
        rows::amount(s, kText, "Zu verst. Entgelt", a.annualTaxable, kAmount);
        rows::amount(s, kText, "Jahreslohnsteuer lt. Tabelle", a.annual.wageTax, kAmount);
        rows::amount(s, kText, "also Lohnsteuer im Dezember", a.december.wageTax, kAmount);
        rows::amount(s, kText, "also Soli-Zuschlag im Dezember", a.december.surcharge, kAmount);
        rows::amount(s, kText, "also Kirchensteuer im Dezember", a.december.churchTax, kAmount);
    }
    rows::next(s, 0.8);

    rows::boxedTitle(s, kLeft, kRight, "S O Z I A L V E R S I C H E R U N G");
    body(s, true);
    s.printRight(4.1, "Bemessung");
    s.printRight(4.9, "AN-Satz");
    s.printRight(5.9, "AN-Beitrag");
    s.printRight(6.6, "AG-Satz");
    s.printRight(kRight, "AG-Beitrag");
    rows::next(s);
    body(s);
    const std::pair<const char*, const BranchResult*> branches[] = {{"Krankenversicherung", &sv.kv},
                                                                    {"Zusatzbeitrag KV", &sv.kvAdditional},
                                                                    {"Pflegeversicherung", &sv.pv},
                                                                    {"Rentenversicherung", &sv.rv},
                                                                    {"Arbeitslosenversicherung", &sv.av}};
    for (const auto& [caption, b] : branches) {
        s.printAt(kText, caption);
        s.printRight(4.1, amountText(b->base));
        s.printRight(4.9, formatRate(b->employeeRate) + " %");
        s.printRight(5.9, amountText(b->employee));
        s.printRight(6.6, formatRate(b->employerRate) + " %");
        s.printRight(kRight, amountText(b->subsidy != Money() ? b->subsidy : b->employer));
        rows::next(s);
    }
    rows::next(s, 0.5);
    body(s, true);
    s.printAt(kText, "weitere SV-Werte", true);
    body(s);
    rows::amount(s, kText, "Rentenversicherung EZ aus ", sv.rvAccount.oneTimeAssessed, kAmount);
    rows::amount(s, kText, "Rentenversicherung lfd aus ", sv.rvAccount.regularAssessed, kAmount);
    rows::amount(s, kText, "Arbeitslosenversicherung EZ aus ", sv.rvAccount.oneTimeAssessed, kAmount);
    rows::amount(s, kText, "Arbeitslosenversicherung lfd aus ", sv.rvAccount.regularAssessed, kAmount);
    rows::next(s, 0.5);
    s.setFont("Arial", 8);
    druckschleifeneu(s, closingRemark(g));
}

void ZVKlstsoz(const Session& g, PrintSurface& s, const PrintOptions& options) {
    start(s);
    heading(g, s, PensionWorksheet::kTitle, options);
    body(s);
    pensionLines(g, s);
    if (g.pension.employeeCapital != Money())
        rows::amount(s, kText,
                     "Zeile 41: " + formatPensionRate(g.pension.employeeCapitalRate) +
                         " % Kapitalbeitrag des AN",
                     g.pension.employeeCapital, kAmount);
    rows::next(s, 0.5);
    s.setFont("Arial", 8);
    druckschleifeneu(s, closingRemark(g));
}

void teilzeit(const Session& g, PrintSurface& s, const PrintOptions& options) {
    start(s);
    heading(g, s, "T E I L Z E I T   -   R E C H N E R ", options);
    const PartTimeExplanation e = explainPartTime(g);
    rows::boxedTitle(s, kLeft, kRight, PartTimeExplanation::kTitle);
    body(s, true);
    s.printRight(4.4, "Vollzeit");
    s.printRight(6.4, "Teilzeit");
    rows::next(s);
    body(s);
    for (const PartTimeRow& row : e.rows) {
        if (row.full == Money() && row.partTime == Money()) continue;
        s.printAt(kText, row.text);
        s.printRight(4.4, amountText(row.full));
        s.printAt(4.7, row.factor);
        s.printRight(6.4, amountText(row.partTime));
        rows::next(s);
    }
    if (!e.localAllowance.empty()) {
        rows::next(s, 0.5);
        s.printAt(kText, PartTimeExplanation::kLocalAllowanceHeading, true);
        for (const auto& [text, m] : e.localAllowance)
            rows::amount(s, kText, text, m, 6.4);
    }
    body(s, true);
    rows::amount(s, kText, PartTimeExplanation::kTotalLabel, e.total, 6.4);
    body(s);
    rows::next(s, 0.8);
    for (const ReductionRow& row : reductionOverview(g)) {
        s.printAt(kText, row.label);
        s.printAt(3.6, row.factor);
        s.printRight(6.4, amountText(row.amount));
        rows::next(s);
    }
}

} // namespace varemo::print
