#include "presentation/year_view.h"

#include "pay/allowances.h"
#include "tariffs/service_relationship.h"

#include <cmath>
#include <functional>

namespace varemo {
namespace {

using MonthAmount = std::function<Money(const MonthFigures&)>;
using MonthText = std::function<std::string(const MonthFigures&)>;

const char* const kChangeMonths[12] = {"Jan.", "Feb.", "März", "April", "Mai",  "Juni",
                                       "Juli", "Aug.", "Sep.", "Okt.",  "Nov.", "Dez."};

Money lineAmount(const MonthFigures& f, int line) {
    const auto& cents = f.sheet.line(line).amountCents;
    return cents ? Money::fromCents(*cents) : Money();
}

Money lines(const MonthFigures& f, int first, int last) {
    Money sum;
    for (int line = first; line <= last; ++line)
        sum += lineAmount(f, line);
    return sum;
}

// The line's label with the blanks that align it on the sheet taken out ("KV-Beitrag  14,60 %").
std::string lineText(const MonthFigures& f, int line) {
    std::string out;
    for (char ch : f.sheet.line(line).text)
        if (ch != ' ' || (!out.empty() && out.back() != ' ')) out += ch;
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

Money item(const MonthFigures& f, EmployerItem i) {
    return f.employer[i];
}

bool civilServant(const MonthFigures& f) {
    return isCivilServant(f.workingCase.serviceRelationship());
}

// Hours and days are kept in 1/100000; shown as "##0.00", rounded half to even.
std::string workingTime(const MonthFigures& f, AmountSlot slot) {
    const int64_t hundredths = mulDiv(f.workingCase.amount(slot), 1, 1000, Rounding::HalfEven);
    const int64_t whole = hundredths / 100;
    const int64_t rest = hundredths < 0 ? -(hundredths % 100) : hundredths % 100;
    return (hundredths < 0 && whole == 0 ? "-" : "") + std::to_string(whole) + ',' + char('0' + rest / 10) +
           char('0' + rest % 10);
}

// Whether any available month is a civil servant's: the captions of the pay-data rows follow it.
bool anyCivilServant(const CaseYearFigures& y) {
    for (const MonthFigures& f : y.months)
        if (f.available() && civilServant(f)) return true;
    return false;
}

std::string trimmed(std::string s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// The tax class as a short code: the label of line 34 without its leading "Steuerklasse".
std::string taxClassCode(const MonthFigures& f) {
    std::string text = trimmed(lineText(f, 34));
    const std::string prefix = "Steuerklasse";
    if (text.rfind(prefix, 0) == 0) text = trimmed(text.substr(prefix.size()));
    return text;
}

// Line 10 as a short code ("vh. 2K"); its text where the option has none.
std::string familyCode(const MonthFigures& f) {
    std::string code = lineTenShortCode(f.workingCase);
    return code.empty() ? lineText(f, 10) : code;
}

// Line 8 as a short code, so that the step survives the narrow cells of the printout: "Stufe 3",
// "Ü-Stufe 1" (transition steps), trainees "im 2. J.", "lt.Eing." for a typed amount; the text otherwise.
std::string stepCode(const MonthFigures& f) {
    const std::string text = lineText(f, 8);
    const std::string trainee = "Entgelt im ";
    if (text.rfind(trainee, 0) == 0) {
        const size_t dot = text.find('.', trainee.size());
        if (dot != std::string::npos)
            return "im " + text.substr(trainee.size(), dot - trainee.size()) + ". J.";
    }
    if (text.find("lt. Eingabe") != std::string::npos) return "lt.Eing.";
    const size_t step = text.find("tufe ");
    if (step == std::string::npos || step == 0) return text;
    const size_t digits = step + 5;
    size_t end = digits;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end == digits) return text;
    const bool transition = text.rfind("Überleitungsstufe", 0) == 0;
    return (transition ? "Ü-Stufe " : "Stufe ") + text.substr(digits, end - digits);
}

// A factor with five decimals ("###,##0.00000"), from hundred-thousandths.
std::string factorCell(int64_t hundredThousandths) {
    const int64_t whole = hundredThousandths / 100000;
    const std::string rest = std::to_string(hundredThousandths % 100000 + 100000).substr(1);
    return std::to_string(whole) + ',' + rest;
}

std::string partTimeFactorCell(const MonthFigures& f) {
    // The factor is a float of the run; it is shown, not computed with, so its own value to five decimals.
    return factorCell(std::llround(static_cast<double>(f.partTimeFactor) * 100000.0));
}

std::string partialMonthFactorCell(const MonthFigures& f) {
    if (f.monthWhole <= 0) return {};
    return factorCell(mulDiv(f.monthPaid, 100000, f.monthWhole, Rounding::HalfUp));
}

struct Builder {
    const CaseYearFigures& y;
    bool accumulated;
    ReportTable table;

    // A row of amounts: single months, or each month the sum from January; the year column the total.
    // A month without figures makes its cell (and, accumulated, every later cell and the total) missing.
    void amountRow(const std::string& caption, const MonthAmount& value) {
        TableRow row;
        row.cells.push_back(TableCell::label(caption));
        Money running;
        bool complete = true;
        for (const MonthFigures& f : y.months) {
            if (!f.available()) {
                complete = false;
                row.cells.push_back(TableCell::missing());
                continue;
            }
            const Money v = value(f);
            running += v;
            row.cells.push_back(accumulated && !complete ? TableCell::missing()
                                                         : TableCell::money(accumulated ? running : v));
        }
        row.cells.push_back(complete ? TableCell::money(running) : TableCell::missing());
        table.rows.push_back(std::move(row));
    }

    // A row of short texts; the year column names January's value and each change with its month.
    void textRow(const std::string& caption, const MonthText& value) {
        TableRow row;
        row.cells.push_back(TableCell::label(caption));
        std::string summary;
        std::optional<std::string> previous;
        for (const MonthFigures& f : y.months) {
            if (!f.available()) {
                row.cells.push_back(TableCell::missing());
                continue;
            }
            std::string v = value(f);
            if (!previous)
                summary = v;
            else if (v != *previous)
                summary +=
                    std::string(summary.empty() ? "" : "; ") + "ab " + kChangeMonths[f.month - 1] + ": " + v;
            previous = v;
            row.cells.push_back(TableCell::label(std::move(v)));
        }
        row.cells.push_back(previous ? TableCell::label(summary) : TableCell::missing());
        table.rows.push_back(std::move(row));
    }

    void headingRow(const std::string& caption) {
        TableRow row;
        row.kind = RowKind::Heading;
        row.cells.push_back(TableCell::label(caption));
        row.cells.resize(14);
        table.rows.push_back(std::move(row));
    }

    void monthColumns() {
        table.columns = {"Bezeichnung"};
        for (const std::string& c : monthColumnCaptions())
            table.columns.push_back(c);
        table.columns.push_back("JAHR");
        table.monthColumn = 1;
    }
};

void addNotes(const CaseYearFigures& y, ReportTable& table) {
    for (const MonthFigures& f : y.months)
        if (!f.available())
            table.notes.push_back(monthColumnCaptions()[static_cast<size_t>(f.month - 1)] + " " + f.problem);
}

// § 168 (1) No. 1b SGB VI: of a mini-job the employer pays a flat share of the pension contribution and
// the employee the rest of the full rate, at least on the minimum base of § 163 (8) SGB VI.
void addMiniJobNote(const CaseYearFigures& y, ReportTable& table) {
    for (const MonthFigures& f : y.months)
        if (f.available() && f.miniJobMinimumBase) {
            table.notes.push_back(
                "Minijob: Der Arbeitnehmer trägt den Unterschied zwischen dem Pauschalbeitrag "
                "des Arbeitgebers und dem vollen Beitrag zur Rentenversicherung, mindestens "
                "aus " +
                f.miniJobMinimumBase->toDisplay() +
                " Euro  (Mindestbeitragsbemessungsgrundlage bei Minijobs).");
            return;
        }
}

// The accumulated salaries are headed as the year's summary.
void addSummaryHeading(const CaseYearFigures& y, int year, ReportTable& table) {
    table.headings.push_back("A U F S U M M I E R U N G    D E R   J A H R E S G E H Ä L T E R   2 0 " +
                             std::to_string(year % 100 + 100).substr(1) + "   für " + trimmed(y.name));
}

void salaries(Builder& b) {
    const bool civil = anyCivilServant(b.y);
    b.headingRow("Bezügedaten");
    b.textRow(civil ? "Bes.Gruppe" : "Entg.Gruppe", [](const MonthFigures& f) { return f.payGroup; });
    b.textRow(civil ? "DA-Stufe" : "Entgeltstufe", stepCode);
    b.textRow(civil ? "Fam.Z.Stufe" : "Besitzstand für Kinder", familyCode);
    b.textRow("Arbeitsstunden",
              [](const MonthFigures& f) { return workingTime(f, AmountSlot::AgreedHours); });
    b.textRow("Tage", [](const MonthFigures& f) { return workingTime(f, AmountSlot::PaidDays); });
    b.textRow("Kostenstelle", [](const MonthFigures& f) { return lineText(f, 28); });
    b.amountRow("Sachbezug Zeile 25", [](const MonthFigures& f) { return lineAmount(f, 25); });
    b.amountRow("Sachbezug Zeile 26", [](const MonthFigures& f) { return lineAmount(f, 26); });

    b.headingRow("Gehalt");
    b.amountRow("B R U T T O G E H A L T", [](const MonthFigures& f) { return lineAmount(f, 23); });
    b.amountRow("davon Leistungsentgelt", [](const MonthFigures& f) { return f.performancePay; });
    for (int line = 34; line <= 46; ++line)
        b.amountRow("Zeile " + std::to_string(line) + " " + trimmed(lineInfo(line).caption),
                    [line](const MonthFigures& f) { return lineAmount(f, line); });
    b.amountRow("Pauschale Lohnsteuer", [](const MonthFigures& f) { return f.flatWageTax; });
    b.amountRow("Pauschaler Soli-Zuschlag", [](const MonthFigures& f) { return f.flatSurcharge; });
    b.amountRow("Pauschale Kirchensteuer", [](const MonthFigures& f) { return f.flatChurchTax; });
    b.amountRow("A U S Z A H L U N G", [](const MonthFigures& f) { return lineAmount(f, 47); });

    b.headingRow("Steuer- und Versicherungsdaten");
    b.textRow("Steuerklasse", taxClassCode);
    b.amountRow("Steuerpflichtiges Entgelt", [](const MonthFigures& f) { return f.taxablePay; });
    b.amountRow("KV-pflichtiges Entgelt", [](const MonthFigures& f) { return f.healthBase; });
    b.amountRow("RV-pflichtiges Entgelt", [](const MonthFigures& f) { return f.pensionBase; });
    b.amountRow("ATV-pflichtiges Entgelt", [](const MonthFigures& f) { return f.levyBase; });
    b.textRow("Krankenkasse", [](const MonthFigures& f) { return lineText(f, 33); });
    b.textRow("Krankenversicherung", [](const MonthFigures& f) { return lineText(f, 37); });
}

Money staffCost(const MonthFigures& f);

void employerCost(Builder& b) {
    for (int i = 0; i < kEmployerItems; ++i) {
        const auto which = static_cast<EmployerItem>(i);
        b.amountRow(trimmed(employerItemLabel(which)),
                    [which](const MonthFigures& f) { return item(f, which); });
    }
    // The cost of the post in the narrow sense (as the combined sheet's "= PERSONAL- KOSTEN"), and the
    // part of it that rewards performance.
    b.amountRow("P E R S O N A L K O S T E N", staffCost);
    b.amountRow("davon Leistungsentgelt", [](const MonthFigures& f) { return f.performancePay; });
    b.amountRow("G E S A M T K O S T E N", [](const MonthFigures& f) { return f.employer.total; });
}

// The columns of the combined sheet: what the employee receives, then what the post costs.
struct CombinedColumn {
    const char* caption;
    MonthAmount value;
};

Money employerShares(const MonthFigures& f) {
    return item(f, EmployerItem::HealthShare) + item(f, EmployerItem::CareShare) +
           item(f, EmployerItem::PensionShare) + item(f, EmployerItem::UnemploymentShare);
}
Money civilServantLevy(const MonthFigures& f) {
    return civilServant(f) ? item(f, EmployerItem::Levy) : Money();
}
Money fundContributions(const MonthFigures& f) {
    return item(f, EmployerItem::CapitalContribution) + item(f, EmployerItem::Restructuring) +
           (civilServant(f) ? Money() : item(f, EmployerItem::Levy));
}
Money takenOverTaxes(const MonthFigures& f) {
    return item(f, EmployerItem::LevyTaxes) + item(f, EmployerItem::LevyChurchTax) +
           item(f, EmployerItem::TakenOverTaxes);
}
Money staffCost(const MonthFigures& f) {
    return item(f, EmployerItem::Gross) + employerShares(f) + civilServantLevy(f) + fundContributions(f) +
           takenOverTaxes(f);
}
Money otherBenefits(const MonthFigures& f) {
    return item(f, EmployerItem::InKind) + item(f, EmployerItem::CalculatedCosts) +
           item(f, EmployerItem::OtherPayments);
}

const std::vector<CombinedColumn>& combinedColumns() {
    static const std::vector<CombinedColumn> columns = {
        {"Grundgehalt", [](const MonthFigures& f) { return lineAmount(f, 8); }},
        {"Ortszuschlag", [](const MonthFigures& f) { return lineAmount(f, 10); }},
        {"Allg.St.Zul", [](const MonthFigures& f) { return lineAmount(f, 9); }},
        {"Verm.wirks.L.", [](const MonthFigures& f) { return lineAmount(f, 11); }},
        {"Leist.Zul.", [](const MonthFigures& f) { return lineAmount(f, 12); }},
        {"+ Sonstige laufende Zulagen", [](const MonthFigures& f) { return lines(f, 13, 15); }},
        {"+ Überstd.", [](const MonthFigures& f) { return lines(f, 16, 17); }},
        {"Einmalige Zahlungen", [](const MonthFigures& f) { return lines(f, 18, 20); }},
        {"= BRUTTO- GEHALT", [](const MonthFigures& f) { return lineAmount(f, 23); }},
        {"- Lohnsteuer", [](const MonthFigures& f) { return lineAmount(f, 34); }},
        {"Solidaritäts- zuschlag", [](const MonthFigures& f) { return lineAmount(f, 35); }},
        {"Ki.-Steuer", [](const MonthFigures& f) { return lineAmount(f, 36); }},
        {"- Sozial- versich.- und ATV- beiträge", [](const MonthFigures& f) { return lines(f, 37, 42); }},
        {"+ ATZ-Aufst., Kindergeld", [](const MonthFigures& f) { return lineAmount(f, 43); }},
        {"+/- Auszahlungen Einbehalte", [](const MonthFigures& f) { return lines(f, 44, 46); }},
        {"= N E T T O - G E H A L T", [](const MonthFigures& f) { return lineAmount(f, 47); }},
        {"+ Sachbezüge", [](const MonthFigures& f) { return lines(f, 25, 26); }},
        {"BRUTTO- GEHALT (AG)", [](const MonthFigures& f) { return item(f, EmployerItem::Gross); }},
        {"+ AG-Anteile KV, Pfl.V. RV und AV +KV-Zus./2 AG", employerShares},
        {"+ Umlage für Pensions- fonds", civilServantLevy},
        {"+ ATV - Umlage Beitrag San.Geld", fundContributions},
        {"+ Vom AG übernom. Steuern (ATV u.a.)", takenOverTaxes},
        {"= PERSONAL- KOSTEN i.e.Sinne", staffCost},
        {"+ ATZ- Aufstock.",
         [](const MonthFigures& f) { return item(f, EmployerItem::PartialRetirementTopUp); }},
        {"+ Sonstige Geld- und Sach- leistungen", otherBenefits},
        {"+ Umlagen U1 U2 U3 u.a.", [](const MonthFigures& f) { return item(f, EmployerItem::Levies); }},
        {"= GESAMT- KOSTEN der Stelle", [](const MonthFigures& f) { return f.employer.total; }},
    };
    return columns;
}

void combined(Builder& b) {
    const auto& columns = combinedColumns();
    b.table.columns = {"Monat"};
    for (const CombinedColumn& c : columns)
        b.table.columns.push_back(c.caption);
    b.table.columns.push_back("Kostenstelle");
    std::vector<Money> running(columns.size());
    bool complete = true;
    for (const MonthFigures& f : b.y.months) {
        TableRow row;
        row.month = f.month;
        row.cells.push_back(TableCell::label(monthRowCaptions()[static_cast<size_t>(f.month - 1)]));
        complete = complete && f.available();
        for (size_t c = 0; c < columns.size(); ++c) {
            if (!f.available()) {
                row.cells.push_back(TableCell::missing());
                continue;
            }
            const Money v = columns[c].value(f);
            running[c] += v;
            row.cells.push_back(b.accumulated && !complete
                                    ? TableCell::missing()
                                    : TableCell::money(b.accumulated ? running[c] : v));
        }
        row.cells.push_back(f.available() ? TableCell::label(lineText(f, 28)) : TableCell::missing());
        b.table.rows.push_back(std::move(row));
    }
    TableRow total;
    total.kind = RowKind::Total;
    total.cells.push_back(TableCell::label("Summe"));
    for (const Money& sum : running)
        total.cells.push_back(complete ? TableCell::money(sum) : TableCell::missing());
    total.cells.push_back(TableCell::label(""));
    b.table.rows.push_back(std::move(total));
}

// The lines 8 to 20 whose flag is set, as ranges: "8-20" when all, "8-12, 16", "" when none.
std::string flaggedLines(const MonthFigures& f, LineFlag flag) {
    std::string out;
    int line = kFirstGrossLine;
    while (line <= kLastGrossLine) {
        if (!f.workingCase.grossLine(line).flag(flag)) {
            ++line;
            continue;
        }
        int last = line;
        while (last < kLastGrossLine && f.workingCase.grossLine(last + 1).flag(flag))
            ++last;
        out += (out.empty() ? "" : ", ") + std::to_string(line);
        if (last > line) out += "-" + std::to_string(last);
        line = last + 1;
    }
    return out;
}

} // namespace

std::optional<YearViewKind> yearViewKindNumbered(int number) {
    switch (number) {
    case 39:
        return YearViewKind::Combined;
    case 40:
        return YearViewKind::Salaries;
    case 41:
        return YearViewKind::EmployerCost;
    default:
        return std::nullopt;
    }
}

std::string yearViewTitle(const std::string& name, YearViewOptions options) {
    const std::string mode = options.accumulated ? " (akkumuliert) in EURO" : " (Monate einzeln) in EURO";
    switch (options.kind) {
    case YearViewKind::EmployerCost:
        return "    -   A R B E I T G E B E R A U F W A N D   " + name + mode;
    case YearViewKind::Combined:
        return "    - Monatsgehälter " + name + " und Arbeitgeberaufwand" + mode;
    case YearViewKind::Salaries:
        break;
    }
    return "    - Monatsgehälter " + name + mode;
}

std::string accumulateButtonCaption(bool accumulated) {
    return accumulated ? "Monate einzeln" : "akkumulieren";
}

std::string yearViewClickHint(YearViewKind kind) {
    return std::string(" Sie können die Gehaltsberechnung eines bestimmten Monats aufrufen, indem Sie auf "
                       "die entsprechende ") +
           (kind == YearViewKind::Combined ? "Zeile klicken." : "Spalte klicken.");
}

ReportTable buildYearView(const CaseYearFigures& figures, int year, YearViewOptions options) {
    Builder b{figures, options.accumulated, {}};
    b.table.title = yearViewTitle(trimmed(figures.name), options) + " " + std::to_string(year);
    switch (options.kind) {
    case YearViewKind::Salaries:
        b.table.name = "salaries";
        b.monthColumns();
        salaries(b);
        break;
    case YearViewKind::EmployerCost:
        b.table.name = "employerCost";
        b.monthColumns();
        employerCost(b);
        break;
    case YearViewKind::Combined:
        b.table.name = "combined";
        combined(b);
        break;
    }
    if (options.accumulated && options.kind != YearViewKind::EmployerCost)
        addSummaryHeading(figures, year, b.table);
    addNotes(figures, b.table);
    if (options.kind != YearViewKind::Salaries) addMiniJobNote(figures, b.table);
    return std::move(b.table);
}

ReportTable buildSettingsListing(const CaseYearFigures& figures, int year) {
    Builder b{figures, false, {}};
    b.table.name = "settings";
    b.table.title =
        "    -   Kontrolle der Einstellungen  " + trimmed(figures.name) + " " + std::to_string(year);
    b.table.columns = {"Zeile", "Bezeichnung"};
    for (const std::string& c : monthColumnCaptions())
        b.table.columns.push_back(c);
    b.table.monthColumn = 2;
    auto row = [&b](const std::string& line, const std::string& caption, const MonthText& value) {
        TableRow r;
        r.cells.push_back(TableCell::label(line));
        r.cells.push_back(TableCell::label(caption));
        for (const MonthFigures& f : b.y.months)
            r.cells.push_back(f.available() ? TableCell::label(value(f)) : TableCell::missing());
        b.table.rows.push_back(std::move(r));
    };
    auto textOf = [&row](int line, const char* caption) {
        row(std::to_string(line), caption, [line](const MonthFigures& f) { return lineText(f, line); });
    };
    auto amountOf = [&row](int line, const char* caption) {
        row(std::to_string(line), caption,
            [line](const MonthFigures& f) { return lineAmount(f, line).toDisplay(); });
    };
    auto flagOf = [&row](const char* caption, LineFlag flag) {
        row("8-20", caption, [flag](const MonthFigures& f) { return flaggedLines(f, flag); });
    };
    textOf(2, "Bundesland");
    textOf(7, "Ehegatte i.ö.D.");
    textOf(4, "Dienstverhältnis");
    row("4", "Gruppe", [](const MonthFigures& f) { return f.payGroup; });
    // The short codes of the year view, so that the narrow cells of the printout keep what matters.
    row("8", "Stufe", stepCode);
    row("10", "Zuschlag", familyCode);
    textOf(9, "Allg.Zulage");
    textOf(11, "Vermögensw. Leistungen");
    textOf(12, "Leistungszulagen");
    textOf(13, "Zulage 1");
    textOf(14, "Zulage 2");
    textOf(15, "Zulage 3");
    textOf(16, "Mehrarbeitsvergütung");
    textOf(17, "steuerfreie Zeitzuschläge");
    textOf(19, "Zuwendung");
    textOf(20, "Einmalige Zahlung");
    flagOf("Steuerpfl. Zeilen", LineFlag::WageTax);
    flagOf("Soz.pfl. Zeilen", LineFlag::SocialInsurance);
    flagOf("ATV-pfl. Zeilen", LineFlag::SupplementaryPension);
    flagOf("Zeilen für Zuwend.", LineFlag::AnnualPayment);
    flagOf("Zeilen für Teilzeit", LineFlag::PartTime);
    flagOf("Zeilen für Bruchteil", LineFlag::PartialMonth);
    textOf(22, "Teilzeit");
    row("22", "Teilzeitfaktor", partTimeFactorCell);
    textOf(23, "Bruchteil");
    row("23", "Bruchteilfaktor", partialMonthFactorCell);
    amountOf(24, "Freibetrag");
    row("25-26", "Sachbezüge", [](const MonthFigures& f) { return lines(f, 25, 26).toDisplay(); });
    textOf(27, "Zusatzversorgung");
    row("28", "Kostenstelle Nr.",
        [](const MonthFigures& f) { return std::to_string(f.workingCase.key(KeySlot::CostCentre)); });
    row("34", "Lohnsteuertabelle", [](const MonthFigures& f) { return f.taxTable; });
    textOf(32, "Lebensjahr");
    row("34", "Steuerklasse", taxClassCode);
    textOf(36, "Kirchensteuer");
    textOf(37, "KV-Beitragssatz");
    textOf(42, "ATV-AN-Beitragssatz");
    amountOf(43, "Kindergeld");
    addNotes(figures, b.table);
    return std::move(b.table);
}

std::shared_ptr<const ReportTable> yearViewPrintTable(Session& g, int kind, bool accumulated) {
    const std::optional<YearViewKind> view = yearViewKindNumbered(kind);
    if (!view && kind != kSettingsListingPrintKind) return nullptr;
    const CaseYearFigures figures = CalculateCaseYear(g, g.caseNumber);
    return std::make_shared<const ReportTable>(view ? buildYearView(figures, g.year, {*view, accumulated})
                                                    : buildSettingsListing(figures, g.year));
}

} // namespace varemo
