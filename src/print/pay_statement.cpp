// The pay statement under § 108 GewO (kind 22): the header of the salary calculation, then boxed
// sections for the gross pay, the taxes, the contributions, the net pay and the payout. Every total is
// the sheet's figure; the parts of a total are shown only where they add up to it.

#include "print/number_format.h"
#include "print/print_rows.h"
#include "print/salary_printout.h"
#include "session/master_data.h"

#include <array>

namespace varemo::print {
namespace {

using rows::body;

constexpr double kLeft = 0.5;
constexpr double kText = 0.7;
constexpr double kRight = 7.6;
constexpr double kFlagsLeft = 5.6;
constexpr int kLastCurrentPayLine = 17; // lines 18 to 20 are one-time pay ("sonstiges Entgelt")

Money cents(int64_t v) {
    return Money::fromCents(v);
}

void section(PrintSurface& s, const std::string& title) {
    rows::next(s, 0.4);
    rows::boxedTitle(s, kLeft, kRight, title);
}

// A total in a box across the page, bold and spaced.
void totalRow(PrintSurface& s, const std::string& caption, const std::string& amount) {
    rows::next(s, 0.3);
    const double top = s.currentY() - 0.03;
    s.box(kLeft, top, kRight, top + 0.24);
    s.setFont("Arial", 10, true);
    s.printAt(kText, caption);
    s.printRight(kRight - 0.1, amount);
    body(s);
    rows::next(s, 1.4);
}

// The four columns of the tax and contribution tables, right edges.
constexpr std::array<double, 4> kTable = {4.0, 5.2, 6.4, 7.5};

void tableRow(PrintSurface& s, const std::string& caption, const std::array<std::string, 4>& cells) {
    s.printAt(kText, caption);
    for (size_t i = 0; i < cells.size(); ++i)
        if (!cells[i].empty()) s.printRight(kTable[i], cells[i]);
    rows::next(s);
}

std::array<std::string, 4> amounts(Money a, Money b, Money c, Money d) {
    return {amountText(a), amountText(b), amountText(c), amountText(d)};
}

} // namespace

void bescheinigung(const Session& g, PrintSurface& s, const PrintOptions& options) {
    s.setScaleMode(ScaleMode::Inches);
    s.foreColor = kBlack;
    const Case& c = g.workingCase;
    const PayColumns& columns = g.extras.columns;
    Kopf(g, s, options, "Entgeltbescheinigung");

    // Gross pay.
    section(s, "L F D .  B R U T T O E N T E L T");
    body(s, true);
    s.printRight(3.9, "Vollzeit");
    s.printRight(4.7, "Teilzeit");
    s.printRight(5.5, columns.partialRetirement ? "ATZ-Quote" : "Teilmonat");
    // The marks stand under the middle of their captions, measured on the surface.
    const std::string flagCaption = " Str  SV  ZV  GB";
    std::array<double, 4> flagCentre{};
    for (size_t k = 0, from = 0; k < flagCentre.size(); ++k) {
        const size_t start = flagCaption.find_first_not_of(' ', from);
        const size_t end = flagCaption.find(' ', start);
        const std::string token = flagCaption.substr(start, end - start);
        flagCentre[k] = kFlagsLeft + s.textWidth(flagCaption.substr(0, start)) + s.textWidth(token) / 2;
        from = end;
    }
    s.printAt(kFlagsLeft, flagCaption);
    s.printRight(kRight, "B E T R A G");
    rows::next(s);
    body(s);
    const bool partMonth = columns.monthPaid != columns.monthWhole;
    Money current;
    Money other;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const LineColumns& col = columns.line(line);
        if (col.full == Money() && col.actual == Money()) continue;
        const GrossLineAttributes& a = c.grossLine(line);
        const bool currentPay = line <= kLastCurrentPayLine;
        (currentPay ? current : other) += col.actual;
        s.printAt(kText, lineCaption(g, line));
        s.printRight(3.9, amountText(col.full));
        s.printRight(4.7, col.partTimeReduced ? factorText(columns.partTimeFactor) : "  1");
        if (columns.partialRetirement)
            s.printRight(5.5, factorText(col.retirementFactor, 10000));
        else
            s.printRight(5.5, partMonth && a.flag(LineFlag::PartialMonth)
                                  ? factorText(columns.monthPaid, columns.monthWhole)
                                  : "  1");
        const auto mark = [](bool liable) { return liable ? "+" : "0"; };
        const std::array<const char*, 4> marks = {
            mark(a.flag(LineFlag::WageTax)), mark(a.flag(LineFlag::SocialInsurance)),
            mark(a.flag(LineFlag::SupplementaryPension)), currentPay ? "J" : "N"};
        for (size_t k = 0; k < marks.size(); ++k)
            s.printAt(flagCentre[k] - s.textWidth(marks[k]) / 2, marks[k]);
        s.font().italic = !currentPay;
        s.printRight(kRight, amountText(col.actual));
        body(s);
        rows::next(s);
    }
    // The block model with a working-time account: what the gross pay holds of the account, what the
    // month credits to it, and the pay the employer contributes to pension insurance on besides. They
    // are shown, not added: the credit and the pension top-up are not paid, the withdrawal is in the rows.
    const WorkingTimeAccount& account = g.retirement.account;
    if (account.computed) {
        s.font().italic = true;
        const auto note = [&](const char* caption, Money m) {
            if (m == Money()) return;
            s.printAt(kText, caption);
            s.printRight(kRight, amountText(m));
            rows::next(s);
        };
        note("Entnahmen aus dem Wertguthaben in der Freistellungsphase", account.withdrawal);
        note("ATZ-Aufstockung des RV-pfl.Entgelts mit voller Beitragszahlung durch AG", account.pension.base);
        note("Rückstellung für die ATZ-Freistellungsphase", account.credit);
        body(s);
    }
    const Money gross = cents(c.amount(AmountSlot::Gross));
    // The sheet's gross pay decides; the current pay is what the one-time pay leaves of it.
    if (current + other != gross) current = gross - other;
    rows::next(s, 0.3);
    body(s, true);
    rows::amount(s, kText, "L A U F E N D E S   B R U T T O", current, kRight);
    if (other != Money())
        rows::amount(s, kText, "+ S O N S T I G E S    B R U T T O E N T G E L T", other, kRight);
    else {
        s.printAt(kText, "+ S O N S T I G E S    B R U T T O E N T G E L T");
        s.printRight(kRight, "- k e i n e s -");
        rows::next(s);
    }
    totalRow(s, "= G E S A M T E S   B R U T T O E N G E L T", amountText(gross));

    // Taxes: the one-time pay's by the annual table (steps 25, 30 to 32), the rest is the current pay's.
    const TaxWorksheet& tax = g.tax.worksheet;
    section(s, " - S T E U E R N");
    body(s, true);
    tableRow(s, "", {"str.pfl.Entgelt", "Lohnsteuer", "Soli-Zuschlag", "Kirchensteuer"});
    body(s);
    const Money wageTax = -cents(c.amount(AmountSlot::WageTax));
    const Money surcharge = -cents(c.amount(AmountSlot::SolidaritySurcharge));
    const Money churchTax = -cents(c.amount(AmountSlot::ChurchTax));
    const Money taxable = tax.amount(10);
    const Money oneTimeTaxable = tax.amount(25);
    tableRow(s, "Steuern aus laufendem Entgelt",
             amounts(taxable - oneTimeTaxable, wageTax - tax.amount(30), surcharge - tax.amount(31),
                     churchTax - tax.amount(32)));
    tableRow(s, "Steuern aus sonstigem Entgelt",
             amounts(oneTimeTaxable, tax.amount(30), tax.amount(31), tax.amount(32)));
    body(s, true);
    tableRow(s, "Summe für lfd. und sonst. Steuern.", amounts(taxable, wageTax, surcharge, churchTax));
    body(s);

    // Contributions.
    const SocialInsuranceWorksheet& sv = g.social.worksheet;
    section(s, " - S O Z I A L V E R S . B E I T R Ä G E");
    body(s, true);
    tableRow(s, "", {"Krankenvers.", "Rentenvers.", "Arbeitsl.vers.", "Pflegevers."});
    body(s);
    const Money health = -cents(c.amount(AmountSlot::HealthInsurance));
    const Money pension = -cents(c.amount(AmountSlot::PensionInsurance));
    const Money unemployment = -cents(c.amount(AmountSlot::UnemploymentInsurance));
    const Money care = -cents(c.amount(AmountSlot::CareInsurance));
    const Money additional = sv.kvAdditional.employee;
    if (sv.computed) {
        tableRow(s, "Laufendes SV-pfl. Entgelt",
                 amounts(sv.regularPay, sv.regularPay, sv.regularPay, sv.regularPay));
        tableRow(s, "davon beitragspflichtig",
                 amounts(sv.kvAccount.regularAssessed, sv.rvAccount.regularAssessed,
                         sv.rvAccount.regularAssessed, sv.kvAccount.regularAssessed));
        if (sv.oneTimePay != Money()) {
            tableRow(s, "Sonstiges SV-pfl. Entgelt",
                     amounts(sv.oneTimePay, sv.oneTimePay, sv.oneTimePay, sv.oneTimePay));
            tableRow(s, "davon beitragspflichtig",
                     amounts(sv.kvAccount.oneTimeAssessed, sv.rvAccount.oneTimeAssessed,
                             sv.rvAccount.oneTimeAssessed, sv.kvAccount.oneTimeAssessed));
        }
    }
    const bool employerBearsAll =
        health + pension + unemployment + care == Money() && sv.computed && sv.employerTotal() != Money();
    if (employerBearsAll) {
        s.printAt(kText, "Der AG trägt alle SV-Beiträge", true);
    } else {
        const bool split = sv.computed && additional != Money() && health >= additional;
        tableRow(s, "     daraus SV-Beiträge (AN=AG)",
                 amounts(split ? health - additional : health, pension, unemployment, care));
        if (split) tableRow(s, "     daraus AN-Zusatzbeiträge", {amountText(additional), "", "", ""});
    }
    body(s, true);
    tableRow(s, "Summe der SV-Beiträge", amounts(health, pension, unemployment, care));
    body(s);

    // Net pay: gross less the taxes and contributions of lines 34 to 40.
    Money net = gross;
    for (AmountSlot slot : slotsFrom(AmountSlot::WageTax, AmountSlot::UnemploymentInsurance))
        net += cents(c.amount(slot));
    rows::next(s, 0.3);
    totalRow(s,
             other != Money() ? "= G E S A M T E S   N E T T O E N T G E L T" : "= N E T T O E N T G E L T",
             amountText(net));

    // What is paid or deducted besides: lines 41 to 46 and the payout additions.
    section(s, "+ S O N S T I G E  B E Z Ü G E  bzw. -  S O N S T I G E    A B Z Ü G E");
    bool any = false;
    for (const auto& [line, slot] :
         std::array<std::pair<int, AmountSlot>, 6>{{{41, AmountSlot::EmployeeCapital},
                                                    {42, AmountSlot::EmployeeShare},
                                                    {43, AmountSlot::ChildBenefit},
                                                    {44, AmountSlot::Deduction1},
                                                    {45, AmountSlot::Deduction2},
                                                    {46, AmountSlot::Deduction3}}}) {
        const Money m = cents(c.amount(slot));
        if (m == Money()) continue;
        any = true;
        rows::amount(s, kText, m < Money() ? "- (" + lineCaption(g, line) + ")" : lineCaption(g, line), m,
                     kRight);
    }
    for (AmountSlot slot : slotsFrom(slots::kFirstPayoutAddition, slots::kLastPayoutAddition))
        if (c.amount(slot) != 0) {
            any = true;
            rows::amount(s, kText, "Sonstige Zahlung", cents(c.amount(slot)) * 100, kRight);
        }
    if (!any) s.printAt(kText, "keine", true);
    rows::next(s, 0.3);
    totalRow(s, "= A U S Z A H L U N G", amountText(cents(c.amount(AmountSlot::NetPay))));
    const MasterData person = caseMasterData(g, g.caseNumber);
    s.printAt(kText, "IBAN: " + ibanInGroups(person.iban));
    s.printAt(3.5, "BIC: " + person.bic, true);
    rows::next(s, 0.5);
    s.setFont("Arial", 8);
    druckschleifeneu(s, closingRemark(g));
}

} // namespace varemo::print
