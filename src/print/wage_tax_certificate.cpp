#include "print/wage_tax_certificate.h"

#include "deductions/tax_step.h"
#include "model/slots.h"
#include "pay/part_time.h"
#include "print/number_format.h"
#include "print/print_rows.h"
#include "session/master_data.h"

#include <cstdio>
#include <optional>

namespace varemo::print {
namespace {

constexpr const char* kTitle = "L O H N S T E U E R B E S C H E I N I G U N G    ";

bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, int year) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

std::string dateText(int day, int month, int year) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", day, month, year);
    return buffer;
}

// Line 34 positions that do not run the flow chart tax the whole pay at a flat rate (§ 40a EStG); such
// pay and its tax are not certified (§ 40 Abs. 3 Satz 3 EStG).
bool flatTaxed(const Case& c) {
    return !TaxClassSelector(c.key(KeySlot::TaxClass)).byFlowChart();
}

// RV kinds 5 and 13: members of a professional pension scheme (rows 22 b and 23 b instead of a).
bool professionalScheme(const Case& c) {
    const int kind = c.key(KeySlot::PensionKind);
    return kind == 5 || kind == 13;
}

// KV kinds 1, 3, 8 and 11 are private health insurance (row 24 b); kind 12 is a voluntary member of
// statutory insurance (rows 24 a and c).
bool privateHealth(const Case& c) {
    const int kind = c.key(KeySlot::ContributionKind);
    return kind == 1 || kind == 3 || kind == 8 || kind == 11;
}

// Line 43: "Kindergeld lt. Eingabe" (0) and "Kindergeld f. Zählkinder Zeile 10" (4) are child benefit
// paid by the employer as Familienkasse (§ 72 EStG, row 33); 1 to 3 are the top-up of partial
// retirement (§ 3 Nr. 28 EStG, row 15).
bool childBenefit(const Case& c) {
    const int key = c.key(KeySlot::ChildBenefit);
    return key == 0 || key == 4;
}

Money lineMoney(const MonthFigures& f, int line) {
    return Money::fromCents(f.sheet.line(line).amountCents.value_or(0));
}

// The calendar days of the month the employment ran: a month paid by days counts its paid share.
int employmentDays(const Case& c, int month, int year) {
    const int calendar = daysInMonth(month, year);
    if (!isPartialMonthInDays(c)) return calendar;
    const PartialMonthFraction f = partialMonthFraction(c);
    if (f.whole <= 0 || f.paid >= f.whole) return calendar;
    return static_cast<int>(mulDiv(calendar, f.paid, f.whole, Rounding::HalfUp));
}

struct Sums {
    Money gross, wageTax, surcharge, churchTax, topUp;
    Money employerPension, employerProfessional, employeePension, employeeProfessional;
    Money subsidyHealth, subsidyPrivate, subsidyCare;
    Money health, care, unemployment, childBenefit;
    Money allowance, addition;
};

void add(Sums& s, const MonthFigures& f) {
    const Case& c = f.workingCase;
    s.gross += f.taxablePay;
    // Lines 34 to 36 hold the flat-rate taxes the employee bears as well (tax worksheet 19 to 21).
    s.wageTax += -lineMoney(f, 34) - f.flatWageTax;
    s.surcharge += -lineMoney(f, 35) - f.flatSurcharge;
    s.churchTax += -lineMoney(f, 36) - f.flatChurchTax;
    (childBenefit(c) ? s.childBenefit : s.topUp) += lineMoney(f, 43);
    const SocialInsuranceWorksheet& sv = f.social;
    const Money employerPension = f.employer[EmployerItem::PensionShare];
    (professionalScheme(c) ? s.employerProfessional : s.employerPension) += employerPension;
    (professionalScheme(c) ? s.employeeProfessional : s.employeePension) += sv.rv.employee;
    const Money healthSubsidy = sv.kv.subsidy + sv.kvAdditional.subsidy;
    if (privateHealth(c)) {
        s.subsidyPrivate += healthSubsidy + sv.pv.subsidy;
    } else {
        s.subsidyHealth += healthSubsidy;
        s.subsidyCare += sv.pv.subsidy;
    }
    s.health += sv.kv.employee + sv.kvAdditional.employee;
    s.care += sv.pv.employee;
    s.unemployment += sv.av.employee;
    const Money recordAmount = Money::fromCents(c.amount(AmountSlot::TaxAllowance));
    if (c.key(KeySlot::TaxAllowance) == 0) s.allowance += recordAmount;
    if (c.key(KeySlot::TaxAllowance) == 1) s.addition += recordAmount;
}

struct RowText {
    const char* number;
    const char* caption;
};

// The form of the year; rows 17 and 18 were reworded for 2020 (§ 41b Abs. 1 Satz 2 Nr. 6 and 7 EStG now
// name the benefits set against the distance allowance and the 15 % flat-taxed ones).
std::vector<RowText> formRows(int year) {
    const bool from2020 = year >= 2020;
    return {
        {"3.", "Bruttoarbeitslohn einschl. Sachbezüge ohne 9. und 10."},
        {"4.", "Einbehaltene Lohnsteuer von 3."},
        {"5.", "Einbehaltener Solidaritätszuschlag von 3."},
        {"6.", "Einbehaltene Kirchensteuer des Arbeitnehmers von 3."},
        {"7.", "Einbehaltene Kirchensteuer des Ehegatten/Lebenspartners von 3. (nur bei "
               "Konfessionsverschiedenheit)"},
        {"8.", "In 3. enthaltene Versorgungsbezüge"},
        {"9.", "Ermäßigt besteuerte Versorgungsbezüge für mehrere Kalenderjahre"},
        {"10.",
         "Ermäßigt besteuerter Arbeitslohn für mehrere Kalenderjahre (ohne 9.) und ermäßigt besteuerte "
         "Entschädigungen"},
        {"11.", "Einbehaltene Lohnsteuer von 9. und 10."},
        {"12.", "Einbehaltener Solidaritätszuschlag von 9. und 10."},
        {"13.", "Einbehaltene Kirchensteuer des Arbeitnehmers von 9. und 10."},
        {"14.", "Einbehaltene Kirchensteuer des Ehegatten/Lebenspartners von 9. und 10. (nur bei "
                "Konfessionsverschiedenheit)"},
        {"15.", "(Saison-)Kurzarbeitergeld, Zuschuss zum Mutterschaftsgeld, Verdienstausfallentschädigung "
                "(Infektionsschutzgesetz), Aufstockungsbetrag und Altersteilzeitzuschlag"},
        {"16.", "Steuerfreier Arbeitslohn nach"},
        {"16. a)", "Doppelbesteuerungsabkommen (DBA)"},
        {"16. b)", "Auslandstätigkeitserlass"},
        {"17.", from2020
                    ? "Steuerfreie Arbeitgeberleistungen, die auf die Entfernungspauschale anzurechnen sind"
                    : "Steuerfreie Arbeitgeberleistungen für Fahrten zwischen Wohnung und erster "
                      "Tätigkeitsstätte"},
        {"18.", from2020
                    ? "Pauschal mit 15 % besteuerte Arbeitgeberleistungen für Fahrten zwischen Wohnung und "
                      "erster Tätigkeitsstätte"
                    : "Pauschal besteuerte Arbeitgeberleistungen für Fahrten zwischen Wohnung und erster "
                      "Tätigkeitsstätte"},
        {"19.",
         "Steuerpflichtige Entschädigungen und Arbeitslohn für mehrere Kalenderjahre, die nicht ermäßigt "
         "besteuert wurden – in 3. enthalten"},
        {"20.", "Steuerfreie Verpflegungszuschüsse bei Auswärtstätigkeit"},
        {"21.", "Steuerfreie Arbeitgeberleistungen bei doppelter Haushaltsführung"},
        {"22.", "Arbeitgeberanteil/-zuschuss"},
        {"22. a)", "zur gesetzlichen Rentenversicherung"},
        {"22. b)", "an berufsständische Versorgungseinrichtungen"},
        {"23.", "Arbeitnehmeranteil"},
        {"23. a)", "zur gesetzlichen Rentenversicherung"},
        {"23. b)", "an berufsständische Versorgungseinrichtungen"},
        {"24.", "Steuerfreie Arbeitgeberzuschüsse"},
        {"24. a)", "zur gesetzlichen Krankenversicherung"},
        {"24. b)", "zur privaten Krankenversicherung"},
        {"24. c)", "zur gesetzlichen Pflegeversicherung"},
        {"25.", "Arbeitnehmerbeiträge zur gesetzlichen Krankenversicherung"},
        {"26.", "Arbeitnehmerbeiträge zur sozialen Pflegeversicherung"},
        {"27.", "Arbeitnehmerbeiträge zur Arbeitslosenversicherung"},
        {"28.",
         "Beiträge zur privaten Kranken- und Pflege-Pflichtversicherung oder Mindestvorsorgepauschale"},
        {"29.", "Bemessungsgrundlage für den Versorgungsfreibetrag zu 8."},
        {"30.", "Maßgebendes Kalenderjahr des Versorgungsbeginns zu 8."},
        {"31.",
         "Zu 8. bei unterjähriger Zahlung: Erster und letzter Monat, für den Versorgungsbezüge gezahlt "
         "wurden"},
        {"32.",
         "Sterbegeld, Kapitalauszahlungen/Abfindungen und Nachzahlungen von Versorgungsbezügen – in 3. "
         "und 8. enthalten"},
        {"33.", "Ausgezahltes Kindergeld"},
    };
}

// The amount of a numbered row the program keeps; nullopt for the rows it has nothing for.
std::optional<Money> rowAmount(const std::string& number, const Sums& s) {
    const std::pair<const char*, Money> kAmounts[] = {
        {"3.", s.gross},
        {"4.", s.wageTax},
        {"5.", s.surcharge},
        {"6.", s.churchTax},
        {"15.", s.topUp},
        {"22. a)", s.employerPension},
        {"22. b)", s.employerProfessional},
        {"23. a)", s.employeePension},
        {"23. b)", s.employeeProfessional},
        {"24. a)", s.subsidyHealth},
        {"24. b)", s.subsidyPrivate},
        {"24. c)", s.subsidyCare},
        {"25.", s.health},
        {"26.", s.care},
        {"27.", s.unemployment},
        {"33.", s.childBenefit},
    };
    for (const auto& [n, m] : kAmounts)
        if (number == n) return m;
    return std::nullopt;
}

// "22." heads its lettered rows and carries no amount of its own.
bool headsLetteredRows(const std::string& number) {
    return number == "16." || number == "22." || number == "23." || number == "24.";
}

// The classes by flow chart as the form writes them ("3"), the flat-rate positions by their caption.
std::string taxClassText(const MonthFigures& f) {
    const TaxClass t = TaxClassSelector(f.workingCase.key(KeySlot::TaxClass));
    if (!t.byFlowChart()) return f.sheet.line(34).text;
    return std::to_string(t.code);
}

std::string childAllowanceText(const MonthFigures& f) {
    const TaxClass t = TaxClassSelector(f.workingCase.key(KeySlot::TaxClass));
    if (!t.byFlowChart()) return "";
    return std::to_string(t.childAllowances2 / 2) + "," + (t.childAllowances2 % 2 ? "5" : "0");
}

std::string durationText(const WageTaxCertificate& c) {
    return std::to_string(c.days) + " Tage von " + std::to_string(c.daysOfYear) + " Tagen";
}

// The words of text in lines no wider than width on the surface's current font.
std::vector<std::string> wrapped(const PrintSurface& s, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && s.textWidth(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        start = end + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// Rows 3 to 6 show their amount even when it is 0: the employee's gross pay and the taxes withheld.
bool alwaysShown(const std::string& number) {
    return number == "3." || number == "4." || number == "5." || number == "6.";
}

constexpr double kLeft = 0.5;
constexpr double kCaption = 1.05;
constexpr double kAmountRight = 7.6;
constexpr double kValue = 2.6; // values of the tax data, beside their captions

} // namespace

WageTaxCertificate wageTaxCertificate(const CaseYearFigures& figures, int year) {
    WageTaxCertificate c;
    c.year = year;
    c.caseNumber = figures.caseNumber;
    c.name = figures.name;
    c.daysOfYear = leapYear(year) ? 366 : 365;

    Sums sums;
    bool complete = true;
    const MonthFigures* last = nullptr;
    int firstMonth = 0;
    bool inInterruption = false;
    std::string flatMonths;
    for (const MonthFigures& f : figures.months) {
        const std::string monthName = monthColumnCaptions()[static_cast<size_t>(f.month - 1)];
        if (!f.stored) {
            inInterruption = false;
            continue;
        }
        if (!f.available()) {
            complete = false;
            c.notes.push_back(monthName + " " + f.problem);
            continue;
        }
        if (flatTaxed(f.workingCase)) {
            flatMonths +=
                (flatMonths.empty() ? "" : ", ") + monthRowCaptions()[static_cast<size_t>(f.month - 1)];
            continue;
        }
        // Pay of a month outside the employment (a one-time payment after the leaving) is certified all
        // the same; only the duration leaves the month out.
        add(sums, f);
        const int days = employmentDays(f.workingCase, f.month, year);
        if (days == 0) { // before the entry or after the leaving: no day of the month was paid
            inInterruption = false;
            continue;
        }
        if (firstMonth == 0) {
            firstMonth = f.month;
            c.from = dateText(daysInMonth(f.month, year) - days + 1, f.month, year);
        }
        c.to = dateText(days, f.month, year);
        c.days += days;
        // A month of the employment without any pay (line 23) is a time without a claim to pay.
        const bool unpaid = lineMoney(f, 23) == Money();
        if (unpaid && !inInterruption) ++c.interruptions;
        inInterruption = unpaid;
        last = &f;
    }
    if (!flatMonths.empty())
        c.notes.push_back(
            "Pauschal besteuerter Arbeitslohn ist nicht bescheinigt (§ 40a EStG): " + flatMonths + ".");
    if (last) {
        c.taxClass = taxClassText(*last);
        c.childAllowances = childAllowanceText(*last);
        const int32_t factor = last->workingCase.amount(AmountSlot::ClassIVFactor);
        if (TaxClassSelector(last->workingCase.key(KeySlot::TaxClass)).code == 4 && factor > 0 &&
            factor < 1000)
            c.factor = factorText(factor, 1000);
        c.denomination = last->sheet.line(29).text;
    }
    auto cell = [&](Money m) { return complete ? TableCell::money(m) : TableCell::missing(); };
    if (sums.allowance != Money()) c.annualAllowance = cell(sums.allowance);
    if (sums.addition != Money()) c.annualAddition = cell(sums.addition);
    for (const RowText& r : formRows(year)) {
        CertificateRow row{r.number, r.caption};
        if (const auto amount = rowAmount(r.number, sums); amount && !headsLetteredRows(r.number))
            row.value = cell(*amount);
        c.rows.push_back(std::move(row));
    }
    return c;
}

ReportTable wageTaxCertificateTable(const WageTaxCertificate& c) {
    ReportTable t;
    t.name = "certificate";
    t.title = "Lohnsteuerbescheinigung " + std::to_string(c.year) + " für " + c.name;
    t.columns = {"Nr.", "Bezeichnung", "Betrag"};
    auto text = [&](const std::string& number, const std::string& caption, const std::string& value) {
        t.rows.push_back({RowKind::Values,
                          {TableCell::label(number), TableCell::label(caption), TableCell::label(value)}});
    };
    text("1.", "Dauer des Dienstverhältnisses",
         c.from.empty() ? "" : c.from + " - " + c.to + ", " + durationText(c));
    text("2.", "Zeiträume ohne Anspruch auf Arbeitslohn", "Anzahl „U“: " + std::to_string(c.interruptions));
    for (const CertificateRow& r : c.rows)
        t.rows.push_back({headsLetteredRows(r.number) ? RowKind::Heading : RowKind::Values,
                          {TableCell::label(r.number), TableCell::label(r.caption), r.value}});
    t.notes = c.notes;
    return t;
}

bool lohnsteuerbescheinigungdrucken(Session& g, const ListRequest& request, PrintSurface& s,
                                    const PrintOptions& options) {
    // Calculating the months only looks at them: the year's figures put the session's case-month back as
    // it was and write nothing.
    const WageTaxCertificate c = wageTaxCertificate(listFigures(g, request).front(), request.year);
    const WindowRecord& employer = g.storage.window;
    s.setScaleMode(ScaleMode::Inches);
    const double top = s.currentY() + 0.5;
    s.setCurrentY(top);
    s.setFont("Arial", 8);
    s.printRight(kAmountRight, "erstellt am " + longDate(options.today));
    s.setCurrentY(top);
    s.setFont("Arial", 13, true);
    s.printAt(kLeft, kTitle + std::to_string(c.year), true);
    rows::next(s, 0.5);

    const double block = s.currentY();
    s.setFont("Arial", 9, true);
    s.printAt(kLeft, employer.employerText(EmployerText::Line1), true);
    s.setFont("Arial", 9);
    for (EmployerText line :
         {EmployerText::Line2, EmployerText::Line3, EmployerText::Street, EmployerText::Town}) {
        const std::string text = employer.employerText(line);
        if (!text.empty()) s.printAt(kLeft, text, true);
    }
    // The employer record keeps no tax number; the form asks for it only in the electronic data.
    s.printAt(kLeft, "Steuer-Nr. nicht erfasst", true);
    const double employerEnd = s.currentY();

    s.setCurrentY(block);
    s.setFont("Arial", 10, true);
    s.printAt(4.3, c.name, true);
    s.setFont("Arial", 8);
    s.printAt(4.3, std::string(dataSetName(g.dataSet)) + ", Personalfall " + std::to_string(c.caseNumber),
              true);
    const MasterData person = caseMasterData(g, c.caseNumber);
    for (const auto& [caption, value] :
         {std::pair{"Pers.Nr.", &person.personalNumber}, std::pair{"Steuer-ID", &person.taxId},
          std::pair{"Geburtstag", &person.birthday}}) {
        s.printAt(4.3, caption);
        s.printAt(5.2, *value, true);
    }
    s.setCurrentY(std::max(employerEnd, s.currentY()));
    rows::next(s, 0.5);

    s.setFont("Arial", 8, true);
    s.printAt(kLeft, "Dem Lohnsteuerabzug wurden zugrunde gelegt:", true);
    s.setFont("Arial", 8);
    const std::pair<std::string, std::string> data[] = {{"Steuerkl.", c.taxClass},
                                                        {"Faktor", c.factor},
                                                        {"Ki.Freib.", c.childAllowances},
                                                        {"Rel.Bek.", c.denomination}};
    for (const auto& [caption, value] : data) {
        s.printAt(kLeft, caption);
        s.printAt(kValue, value, true);
    }
    for (const auto& [caption, value] : {std::pair{"Steuerfreier Jahresbetrag", c.annualAllowance},
                                         std::pair{"Jahreshinzurechnungsbetrag", c.annualAddition}}) {
        s.printAt(kLeft, caption);
        s.printAt(kValue, cellDisplay(value), true);
    }
    rows::next(s, 0.3);
    s.line(kLeft, s.currentY(), kAmountRight, s.currentY());
    rows::next(s, 0.3);

    // Rows closer than the salary printouts' so that the form stays on one sheet.
    constexpr double kStep = 0.8;
    s.setFont("Arial", 7.5);
    s.printAt(kLeft, "1.");
    s.printAt(kCaption, "Dauer des Dienstverhältnisses");
    if (!c.from.empty()) s.printAt(3.6, c.from + " - " + c.to);
    s.printRight(kAmountRight, durationText(c));
    rows::next(s, kStep);
    s.printAt(kLeft, "2.");
    s.printAt(kCaption, "Zeiträume ohne Anspruch auf Arbeitslohn");
    s.printAt(3.6, "Anzahl „U“");
    s.printRight(kAmountRight, std::to_string(c.interruptions));
    rows::next(s, kStep);
    for (const CertificateRow& r : c.rows) {
        const bool lettered = r.number.find(')') != std::string::npos;
        if (!lettered) s.printAt(kLeft, r.number);
        const std::string caption =
            lettered ? r.number.substr(r.number.size() - 2) + " " + r.caption : r.caption;
        const double x = lettered ? kCaption + 0.2 : kCaption;
        const std::vector<std::string> lines = wrapped(s, caption, 5.4 - (x - kCaption));
        for (size_t i = 0; i < lines.size(); ++i) {
            s.printAt(x, lines[i]);
            if (i + 1 < lines.size()) rows::next(s, kStep);
        }
        // A row without an amount stays blank as on the form; the withheld taxes always show theirs.
        const bool shown =
            r.value.kind == TableCell::Kind::Missing ||
            (r.value.kind == TableCell::Kind::Amount && (r.value.amount != Money() || alwaysShown(r.number)));
        if (shown) s.printRight(kAmountRight, cellDisplay(r.value));
        rows::next(s, kStep);
    }
    if (!c.notes.empty()) {
        rows::next(s, 0.5);
        for (const std::string& note : c.notes) {
            s.printAt(kLeft, note);
            rows::next(s);
        }
    }
    return c.notes.empty();
}

} // namespace varemo::print
