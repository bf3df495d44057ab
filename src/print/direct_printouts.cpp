#include "print/direct_printouts.h"

#include "model/data_set.h"
#include "pay/allowances.h"
#include "pay/basic_pay.h"
#include "pay/pay_options.h"
#include "pay/special_payment.h"
#include "pay/steps.h"
#include "print/number_format.h"
#include "print/recording_surface.h"
#include "print/salary_printout.h"
#include "tariffs/multipliers.h"
#include "tariffs/service_relationship.h"
#include "tariffs/tariff_address.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

namespace varemo::print {
namespace {

constexpr double kLeft = 1000; // twips: the employer, the title and the rows
constexpr double kDate = 8000; // twips: the date of the head
constexpr double kTop = 900;   // twips: the first row of a following sheet
constexpr double kSignatureRight = 6500;
constexpr const char* kBodyFont = "Times New Roman";
constexpr const char* kFigureFont = "Courier New";
constexpr double kFigureSize = 9;

Money cents(int64_t v) {
    return Money::fromCents(v);
}

Money lineMoney(const Sheet& sheet, int line) {
    return cents(sheet.line(line).amountCents.value_or(0));
}

double pageBottom(const PrintSurface& s) {
    return (s.orientation() == Orientation::Landscape ? 8.27 : 11.69) * 1440 - 1000;
}

// The next line; a full sheet continues on the next.
void nextLine(PrintSurface& s) {
    if (s.currentY() + s.textHeight() <= pageBottom(s)) return;
    const PrintFont font = s.font();
    s.newPage();
    s.setScaleMode(ScaleMode::Twips);
    s.setCurrentY(kTop);
    s.font() = font;
}

void emptyLines(PrintSurface& s, int n) {
    for (int i = 0; i < n; ++i) {
        s.print();
        nextLine(s);
    }
}

// Text padded with blanks to width characters: on the left for figures, on the right for captions.
std::string padLeft(const std::string& text, size_t width) {
    const size_t n = characterCount(text);
    return n >= width ? text : std::string(width - n, ' ') + text;
}
std::string padRight(const std::string& text, size_t width) {
    const size_t n = characterCount(text);
    return n >= width ? text : text + std::string(width - n, ' ');
}

// The standard head: two empty lines, the employer's name at x = 1000 and today's date at x = 8000 on one
// line, the further employer lines, then the title and its "hier: " line.
void standardHead(const Session& g, PrintSurface& s, const PrintOptions& options, const std::string& title,
                  const std::string& subject) {
    const WindowRecord& employer = g.storage.window;
    s.setScaleMode(ScaleMode::Twips);
    s.setFont(kBodyFont, 12);
    s.setCurrentY(std::max(s.currentY(), kTop));
    emptyLines(s, 2);
    const double y = s.currentY();
    s.printAt(kLeft, employer.employerText(EmployerText::Line1));
    s.setCurrentY(y);
    s.printAt(kDate, longDate(options.today), true);
    for (EmployerText line : {EmployerText::Line2, EmployerText::Line3, EmployerText::Line4,
                              EmployerText::Line5, EmployerText::Street, EmployerText::Town}) {
        const std::string text = employer.employerText(line);
        if (!text.empty()) s.printAt(kLeft, text, true);
    }
    emptyLines(s, 1);
    s.setFont(kBodyFont, 12, true);
    if (!title.empty()) s.printAt(kLeft, title, true);
    s.setFont(kBodyFont, 12);
    s.printAt(kLeft, subject, true);
    emptyLines(s, 1);
}

void signatures(PrintSurface& s) {
    s.setFont(kBodyFont, 12);
    emptyLines(s, 3);
    const double y = s.currentY();
    s.printAt(kLeft, "Sachlich und rechnerisch richtig: ");
    s.setCurrentY(y);
    s.printAt(kSignatureRight, "Festgestellt:", true);
}

void bodyLine(PrintSurface& s, const std::string& text, bool bold = false) {
    s.setFont(kBodyFont, 12, bold);
    s.printAt(kLeft, text, true);
    nextLine(s);
}

// A table in "Courier New": each column as wide as its widest text, the first left-aligned, amounts
// padded on the left so that their commas line up; headings and totals bold, a missing value "fehlt".
void printFigures(PrintSurface& s, const ReportTable& t) {
    std::vector<size_t> widths(t.columns.size());
    for (size_t c = 0; c < t.columns.size(); ++c)
        widths[c] = characterCount(t.columns[c]);
    for (const TableRow& row : t.rows)
        for (size_t c = 0; c < row.cells.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], characterCount(cellDisplay(row.cells[c])));
    auto compose = [&](const std::vector<std::string>& cells, const std::vector<bool>& right) {
        std::string out;
        for (size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            if (c > 0) out += "  ";
            out += right[c] ? padLeft(cells[c], widths[c]) : padRight(cells[c], widths[c]);
        }
        const size_t end = out.find_last_not_of(' ');
        return end == std::string::npos ? std::string() : out.substr(0, end + 1);
    };
    std::vector<bool> amountColumn(t.columns.size(), false);
    for (const TableRow& row : t.rows)
        for (size_t c = 0; c < row.cells.size() && c < amountColumn.size(); ++c)
            if (row.cells[c].kind != TableCell::Kind::Text) amountColumn[c] = true;
    s.setFont(kFigureFont, kFigureSize, true);
    s.printAt(kLeft, compose(t.columns, amountColumn), true);
    nextLine(s);
    for (const TableRow& row : t.rows) {
        std::vector<std::string> cells;
        for (const TableCell& cell : row.cells)
            cells.push_back(cellDisplay(cell));
        s.setFont(kFigureFont, kFigureSize, row.kind == RowKind::Heading || row.kind == RowKind::Total);
        s.printAt(kLeft, compose(cells, amountColumn), true);
        nextLine(s);
    }
    s.setFont(kBodyFont, 10);
    for (const std::string& note : t.notes) {
        s.printAt(kLeft, note, true);
        nextLine(s);
    }
}

TableRow amounts(RowKind kind, const std::string& caption, std::initializer_list<Money> values) {
    TableRow row{kind, {TableCell::label(caption)}};
    for (Money m : values)
        row.cells.push_back(TableCell::money(m));
    return row;
}

std::string caseTitle(const Session& g) {
    return "Gehaltsabrechnung " + monthOfYear(g.month(), g.year) + " für " + g.workingCase.name;
}

// The pay lines 8 to 20 with an amount, each marked by flag as liable or not.
ReportTable payElements(const Session& g, LineFlag flag, const char* liable, const char* notLiable) {
    ReportTable t;
    t.columns = {"Zeile", "Bezeichnung", "Betrag", ""};
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const GrossLineAttributes& a = g.workingCase.grossLine(line);
        if (a.reducedAmount == Money()) continue;
        t.rows.push_back(
            {RowKind::Values,
             {TableCell::label(std::to_string(line)), TableCell::label(lineCaption(g, line)),
              TableCell::money(a.reducedAmount), TableCell::label(a.flag(flag) ? liable : notLiable)}});
    }
    return t;
}

// The annual pay of the annual-earnings check with the inputs the panel starts from.
AnnualEarningsCheck obligationCheck(const Session& g) {
    AnnualEarningsInput in;
    in.supplementaryPensionPart = g.pension.svAddedPay;
    return annualEarningsCheck(g, in);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// 70: the tax sheet

void steuerblatt(const Session& g, PrintSurface& s, const PrintOptions& options) {
    standardHead(g, s, options, caseTitle(g), "hier: Berechnung der Steuerabzüge");
    printFigures(s, payElements(g, LineFlag::WageTax, "steuerpflichtig", "steuerfrei"));
    emptyLines(s, 1);

    const TaxWorksheet& w = g.tax.worksheet;
    Money taxable, free;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const GrossLineAttributes& a = g.workingCase.grossLine(line);
        (a.flag(LineFlag::WageTax) ? taxable : free) += a.reducedAmount;
    }
    bodyLine(s, "V E R G Ü T U N G", true);
    ReportTable pay;
    pay.columns = {"", "Betrag"};
    pay.rows = {amounts(RowKind::Values, "steuerpflichtig", {taxable}),
                amounts(RowKind::Values, "steuerfrei", {free}),
                amounts(RowKind::Values, w.label(10), {w.amount(10)})};
    printFigures(s, pay);
    emptyLines(s, 1);

    // The rows add up to lines 34 to 36; a December with the employer's annual adjustment replaces the
    // month's own taxes by what the year's table leaves for December.
    const Money lines[] = {-lineMoney(g.sheet, 34), -lineMoney(g.sheet, 35), -lineMoney(g.sheet, 36)};
    ReportTable taxes;
    taxes.columns = {"", "Lohnst.", "Soli.Z.", "Kirchenst.", "Summen"};
    auto row = [&](RowKind kind, const std::string& caption, Money a, Money b, Money c) {
        taxes.rows.push_back(amounts(kind, caption, {a, b, c, a + b + c}));
    };
    const Money current[] = {w.currentWageTax(), w.currentSurcharge(), w.currentChurchTax()};
    const Money oneTime[] = {w.amount(30), w.amount(31), w.amount(32)};
    const Money flat[] = {w.amount(19), w.amount(20), w.amount(21)};
    row(RowKind::Values, "aus laufendem Entgelt", current[0], current[1], current[2]);
    row(RowKind::Values, "aus sonstigem Entgelt", oneTime[0], oneTime[1], oneTime[2]);
    if (g.tax.adjustment.performed()) {
        Money d[3];
        for (int i = 0; i < 3; ++i)
            d[i] = lines[i] - flat[i] - current[i] - oneTime[i];
        row(RowKind::Values, "Lohnsteuer-Jahresausgleich", d[0], d[1], d[2]);
    }
    row(RowKind::Values, "pauschal (AN)", flat[0], flat[1], flat[2]);
    row(RowKind::Total, "Summen", lines[0], lines[1], lines[2]);
    printFigures(s, taxes);
    signatures(s);
}

// ---------------------------------------------------------------------------------------------------
// 71: the insurance sheet

void versicherungsblatt(const Session& g, PrintSurface& s, const PrintOptions& options) {
    standardHead(g, s, options, caseTitle(g), "hier: Berechnung der Sozialversicherungsbeiträge");
    printFigures(s,
                 payElements(g, LineFlag::SocialInsurance, "soz.vers.pflichtig", "nicht soz.vers.pflichtig"));
    emptyLines(s, 1);
    const SocialInsuranceWorksheet& sv = g.social.worksheet;
    ReportTable t;
    t.columns = {"", "Bemessung", "AN-Anteil", "AG-Anteil", "Summen"};
    Money employee, employer;
    auto branch = [&](const std::string& caption, const BranchResult& b) {
        t.rows.push_back(
            amounts(RowKind::Values, caption, {b.base, b.employee, b.employer, b.employee + b.employer}));
        employee += b.employee;
        employer += b.employer;
    };
    branch("Krankenversicherung", sv.kv);
    branch("Zusatzbeitrag KV", sv.kvAdditional);
    branch("Pflegeversicherung", sv.pv);
    branch("Rentenversicherung", sv.rv);
    branch("Arbeitslosenversicherung", sv.av);
    t.rows.push_back({RowKind::Total,
                      {TableCell::label("Summen"), TableCell::label(""), TableCell::money(employee),
                       TableCell::money(employer), TableCell::money(employee + employer)}});
    printFigures(s, t);
    emptyLines(s, 1);
    bodyLine(s, "Die Beiträge werden an die " + lineCaption(g, 33) + " abgeführt.");
    signatures(s);
}

// ---------------------------------------------------------------------------------------------------
// 72: the employer's annual adjustment

ReportTable annualAdjustmentTable(const AnnualAdjustment& a, int year) {
    ReportTable t;
    t.name = "annualAdjustment";
    t.title = "Lohnsteuer-Jahresausgleich " + std::to_string(year);
    t.columns = {" M O N A T", "E N T G E L T", "+/- lt.Str.Karte", "LOHNSTEUER", "SOLI-Z.", " KIRCHENST."};
    if (!a.performed()) {
        switch (a.status) {
        case AnnualAdjustment::Status::RefusedAllowance:
            t.notes.push_back(
                "Ein Lohnsteuerjahresausgleich ist nicht zugelassen, wenn ein Freibetrag oder ein "
                "Hinzurechnungsbetrag zu berücksichtigen ist.");
            break;
        case AnnualAdjustment::Status::RefusedTaxClass:
            t.notes.push_back("In den Steuerklassen V und VI und bei pauschaler Steuer gibt es keinen "
                              "Lohnsteuerjahresausgleich des Arbeitgebers.");
            break;
        default:
            t.notes.push_back("Für Dezember ist kein Lohnsteuerjahresausgleich des Arbeitgebers eingestellt "
                              "(Zeile 31).");
        }
        return t;
    }
    for (size_t m = 0; m < 12; ++m) {
        const AnnualAdjustment::Month& r = a.months[m];
        t.rows.push_back(amounts(RowKind::Values, monthRowCaptions()[m],
                                 {r.taxable, r.allowance, r.wageTax, r.surcharge, r.churchTax}));
        t.rows.back().month = static_cast<int>(m) + 1;
    }
    const AnnualAdjustment::Month& sum = a.sum;
    t.rows.push_back(amounts(RowKind::Total, "Summe",
                             {sum.taxable, sum.allowance, sum.wageTax, sum.surcharge, sum.churchTax}));
    TableRow annual{RowKind::Values,
                    {TableCell::label("Jahressteuer lt. Tabelle"), TableCell::money(a.annualTaxable),
                     TableCell::label(""), TableCell::money(a.annual.wageTax),
                     TableCell::money(a.annual.surcharge), TableCell::money(a.annual.churchTax)}};
    t.rows.push_back(annual);
    // The year's tax less what the months withheld: a negative difference is refunded in December.
    TableRow difference{RowKind::Total,
                        {TableCell::label("Differenz"), TableCell::label(""), TableCell::label(""),
                         TableCell::money(a.annual.wageTax - sum.wageTax),
                         TableCell::money(a.annual.surcharge - sum.surcharge),
                         TableCell::money(a.annual.churchTax - sum.churchTax)}};
    t.rows.push_back(difference);
    return t;
}

void jahresausgleichdrucken(const Session& g, PrintSurface& s, const PrintOptions& options) {
    standardHead(g, s, options,
                 "A N L A G E   zur Gehaltsabrechnung für den Monat Dezember " + std::to_string(g.year),
                 "hier: Lohnsteuer-Jahresausgleich " + g.workingCase.name);
    const bool december = g.month() == 12;
    ReportTable t = annualAdjustmentTable(december ? g.tax.adjustment : AnnualAdjustment{}, g.year);
    if (!december)
        t.notes = {"Der Lohnsteuerjahresausgleich des Arbeitgebers gehört zur Abrechnung des Dezembers."};
    printFigures(s, t);
    signatures(s);
}

// ---------------------------------------------------------------------------------------------------
// 73: the health-insurance obligation

ReportTable insuranceObligationTable(const AnnualEarningsCheck& c) {
    ReportTable t;
    t.name = "insuranceObligation";
    t.title = c.heading;
    t.columns = {"Nr", "Bezeichnung", "Betrag", "Multiplikator", "Jahresbetrag"};
    for (const AnnualEarningsRow& r : c.rows)
        t.rows.push_back({RowKind::Values,
                          {TableCell::label(r.line > 0 ? std::to_string(r.line) : ""),
                           TableCell::label(r.text), TableCell::money(r.amount),
                           TableCell::label(std::to_string(r.multiplier)), TableCell::money(r.annual)}});
    auto total = [&](const std::string& caption, Money m) {
        t.rows.push_back({RowKind::Total,
                          {TableCell::label(""), TableCell::label(caption), TableCell::label(""),
                           TableCell::label(""), TableCell::money(m)}});
    };
    total(c.totalText, c.total);
    total(c.limitText, c.limit);
    t.notes.push_back(c.verdict);
    t.notes.push_back("*) in Zeile 19: Jahresbetrag unter Berücksichtigung von Freibeträgen u.a.");
    return t;
}

void versicherungspflicht(const Session& g, PrintSurface& s, const PrintOptions& options) {
    const AnnualEarningsCheck check = obligationCheck(g);
    standardHead(g, s, options, caseTitle(g),
                 "hier:   Versicherungspflicht in der Krankenversicherung nach § 5 und 6 SGB V");
    bodyLine(s, std::string("Status: ") + (check.compulsorilyInsured ? "versicherungspflichtig"
                                                                     : "privat oder freiwillig versichert"));
    emptyLines(s, 1);
    printFigures(s, insuranceObligationTable(check));
    signatures(s);
}

// ---------------------------------------------------------------------------------------------------
// 74: the year list of the monthly salaries

ReportTable yearListTable(const CaseYearFigures& figures, int year) {
    ReportTable t;
    t.name = "yearList";
    t.title = "Monatsgehälter " + std::to_string(year) + " für " + figures.name;
    static const std::pair<int, const char*> kColumns[] = {
        {23, "Brutto"}, {34, "Lohnsteuer"}, {35, "Soli.Z."}, {36, "Kirchenst."}, {37, "KV"},
        {38, "PV"},     {39, "RV"},         {40, "AV"},      {47, "Auszahlung"}};
    t.columns = {"Monat"};
    for (const auto& [line, caption] : kColumns)
        t.columns.push_back(caption);
    std::vector<Money> sums(std::size(kColumns));
    bool complete = true;
    for (const MonthFigures& f : figures.months) {
        const std::string month = monthRowCaptions()[static_cast<size_t>(f.month - 1)];
        TableRow row{RowKind::Values, {TableCell::label(month)}, figures.caseNumber, f.month};
        if (!f.stored) {
            for (size_t c = 0; c < std::size(kColumns); ++c)
                row.cells.push_back(TableCell::label(""));
            t.rows.push_back(std::move(row));
            continue;
        }
        if (!f.available()) complete = false;
        for (size_t c = 0; c < std::size(kColumns); ++c) {
            if (!f.available()) {
                row.cells.push_back(TableCell::missing());
                continue;
            }
            const Money m = lineMoney(f.sheet, kColumns[c].first);
            row.cells.push_back(TableCell::money(m));
            sums[c] += m;
        }
        if (!f.available()) t.notes.push_back(month + " " + f.problem);
        t.rows.push_back(std::move(row));
    }
    TableRow total{RowKind::Total, {TableCell::label("Summe")}};
    for (Money m : sums)
        total.cells.push_back(complete ? TableCell::money(m) : TableCell::missing());
    t.rows.push_back(std::move(total));
    return t;
}

bool jahresgehaelterliste(Session& g, const ListRequest& r, PrintSurface& s, const PrintOptions& options) {
    // The year's figures only look at the months and put the session's case-month back as it was.
    const CaseYearFigures figures = listFigures(g, r).front();
    s.setOrientation(Orientation::Landscape);
    standardHead(g, s, options, "Monatsgehälter " + std::to_string(g.year) + " für " + figures.name,
                 "hier: Jahresliste der Monatsgehälter");
    bodyLine(s, "Dienstanschrift:");
    for (EmployerText line : {EmployerText::Line1, EmployerText::Street, EmployerText::Town}) {
        const std::string text = g.storage.window.employerText(line);
        if (!text.empty()) bodyLine(s, "    " + text);
    }
    emptyLines(s, 1);
    const ReportTable table = yearListTable(figures, g.year);
    printFigures(s, table);
    signatures(s);
    return table.notes.empty();
}

// ---------------------------------------------------------------------------------------------------
// 75: the health-fund list

ReportTable fundListTable(const std::vector<CaseYearFigures>& cases, int month, int year) {
    ReportTable t;
    t.name = "fundList";
    t.title = "Beiträge zur Sozialversicherung " + monthOfYear(month, year);
    t.columns = {"N A M E", "KV AN", "KV AG", "PV AN", "PV AG", "RV AN",    "RV AG",
                 "AV AN",   "AV AG", "U 1",   "U 2",   "U 3",   "S U M M E"};
    std::map<std::string, std::vector<TableRow>> byFund;
    std::map<std::string, std::vector<Money>> sums;
    for (const CaseYearFigures& c : cases) {
        const MonthFigures& f = c.months.at(static_cast<size_t>(month - 1));
        if (!f.stored) continue;
        const std::string label = c.name + " (" + std::to_string(c.caseNumber) + ")";
        if (!f.available()) {
            const std::string fund = "ohne Angabe";
            TableRow row{RowKind::Values, {TableCell::label(label)}, c.caseNumber, month};
            for (size_t i = 1; i < t.columns.size(); ++i)
                row.cells.push_back(TableCell::missing());
            byFund[fund].push_back(std::move(row));
            t.notes.push_back(label + ": " + f.problem);
            continue;
        }
        const SocialInsuranceWorksheet& sv = f.social;
        const std::vector<Money> values = {sv.kv.employee + sv.kvAdditional.employee,
                                           sv.kv.employer + sv.kvAdditional.employer,
                                           sv.pv.employee,
                                           sv.pv.employer,
                                           sv.rv.employee,
                                           sv.rv.employer,
                                           sv.av.employee,
                                           sv.av.employer,
                                           sv.levies.u1.amount,
                                           sv.levies.u2.amount,
                                           sv.levies.u3.amount};
        Money total;
        for (Money m : values)
            total += m;
        const std::string fund = f.sheet.line(33).text;
        std::vector<Money>& sum = sums[fund];
        sum.resize(values.size() + 1);
        TableRow row{RowKind::Values, {TableCell::label(label)}, c.caseNumber, month};
        for (size_t i = 0; i < values.size(); ++i) {
            row.cells.push_back(TableCell::money(values[i]));
            sum[i] += values[i];
        }
        row.cells.push_back(TableCell::money(total));
        sum.back() += total;
        byFund[fund].push_back(std::move(row));
    }
    for (auto& [fund, rows] : byFund) {
        t.rows.push_back({RowKind::Heading, {TableCell::label("K A S S E  " + fund)}});
        for (TableRow& row : rows)
            t.rows.push_back(std::move(row));
        TableRow total{RowKind::Total, {TableCell::label("S U M M E")}};
        const auto it = sums.find(fund);
        for (size_t i = 1; i < t.columns.size(); ++i)
            total.cells.push_back(it != sums.end() ? TableCell::money(it->second[i - 1])
                                                   : TableCell::missing());
        t.rows.push_back(std::move(total));
    }
    return t;
}

bool kassenliste(Session& g, const ListRequest& r, PrintSurface& s, const PrintOptions& options) {
    // As the year list: the cases' months are looked at, nothing is written.
    const ReportTable all = fundListTable(listFigures(g, r), r.month, r.year);
    s.setOrientation(Orientation::Landscape);
    // One sheet per fund: the fund's heading, its cases and its sum.
    int page = 0;
    for (size_t r = 0; r < all.rows.size(); ++r) {
        if (all.rows[r].kind != RowKind::Heading) continue;
        if (page++ > 0) {
            s.newPage();
            s.setCurrentY(0);
        }
        ReportTable fund = all;
        fund.rows.clear();
        fund.notes.clear();
        for (size_t k = r; k < all.rows.size() && (k == r || all.rows[k].kind != RowKind::Heading); ++k)
            fund.rows.push_back(all.rows[k]);
        standardHead(g, s, options, all.title, "hier: Beitragsliste je Krankenkasse");
        printFigures(s, fund);
        s.setFont(kBodyFont, 12);
        emptyLines(s, 1);
        s.printAt(kLeft, "Seite " + std::to_string(page), true);
        signatures(s);
    }
    if (page == 0) {
        standardHead(g, s, options, all.title, "hier: Beitragsliste je Krankenkasse");
        bodyLine(s, "Für diesen Monat ist kein Personalfall gespeichert.");
    }
    for (const std::string& note : all.notes)
        bodyLine(s, note);
    return all.notes.empty();
}

// ---------------------------------------------------------------------------------------------------
// 76: the pay table

namespace {

constexpr const char* kNoAmount = "kein Betrag";

std::string nameAt(const std::vector<std::string>& names, int position, const std::string& fallback) {
    if (position >= 0 && position < static_cast<int>(names.size()) &&
        !names[static_cast<size_t>(position)].empty())
        return names[static_cast<size_t>(position)];
    return fallback + " " + std::to_string(position + 1);
}

// An amount of the table with the program's multiplier where the lookup applies it to the line.
TableCell tableAmount(const Globaldaten& g, int sr, int group, int region, int month, int line, int option,
                      int handEntry, int32_t cents) {
    const auto multiplier = applicableMultiplier(g.pay.multipliers, sr, group, region, month);
    const auto kind = multiplierKindOf(sr);
    if (multiplier && kind && multiplierScalesLine(*kind, sr, line, option, handEntry))
        cents = scaleByMultiplier(cents, *multiplier);
    return TableCell::money(Money::fromCents(cents));
}

std::string familyStepCaption(int step) {
    if (step == 1) return "Stufe 1 (verheiratet)";
    const int children = step - 1;
    return "Stufe " + std::to_string(step) + " (verheiratet, " + std::to_string(children) +
           (children == 1 ? " Kind)" : " Kinder)");
}

// A row of the table: a caption and one cell, the other columns empty.
TableRow singleCellRow(const std::string& caption, TableCell cell, size_t columns) {
    TableRow row{RowKind::Values, {TableCell::label(caption), std::move(cell)}};
    while (row.cells.size() < columns)
        row.cells.push_back(TableCell::label(""));
    return row;
}

// Thousandths of a percent with two decimals, or three where the third is not 0: "38,001 %", "70,00 %".
std::string milliPercentText(int32_t milli) {
    if (milli % 10 == 0) return percentText(milli / 10) + " %";
    std::string digits = std::to_string(milli % 1000);
    digits.insert(0, 3 - digits.size(), '0');
    return std::to_string(milli / 1000) + "," + digits + " %";
}

// A band of groups of the Länder's rules as the printout names it: "A12 and higher" is "ab A12",
// "up to A8" "bis A8", "A4-A9" "A4 bis A9", "judges" "Richter".
std::string bandText(std::string_view band) {
    static const std::map<std::string_view, std::string_view> kWords = {
        {"all", "alle Gruppen"},
        {"all groups", "alle Gruppen"},
        {"judges", "Richter"},
        {"Beamte and Anwärter", "Beamte und Anwärter"},
        {"per child", "je Kind"},
        {"1st and 2nd child", "1. und 2. Kind"},
        {"3rd and further child", "3. und jedes weitere Kind"}};
    std::string out;
    size_t start = 0;
    while (start <= band.size()) {
        size_t end = band.find(',', start);
        if (end == std::string_view::npos) end = band.size();
        std::string_view part = band.substr(start, end - start);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        std::string text(part);
        if (const auto it = kWords.find(part); it != kWords.end())
            text = it->second;
        else if (part.starts_with("up to "))
            text = "bis " + std::string(part.substr(6));
        else if (const size_t higher = part.find(" and higher"); higher != std::string_view::npos)
            text = "ab " + std::string(part.substr(0, higher));
        else if (const size_t dash = part.find('-'); dash != std::string_view::npos)
            text = std::string(part.substr(0, dash)) + " bis " + std::string(part.substr(dash + 1));
        out += (out.empty() ? "" : ", ") + text;
        start = end + 1;
    }
    return out;
}

std::string paidIn(int month, int year) {
    if (month == -1) return ", monatlich";
    return month > 0 ? ", " + monthOfYear(month, year) : "";
}

// The civil servants' special payment of the case's Land in the year, row by row as the special-payment
// step applies it.
void appendCivilSpecialPayment(ReportTable& t, const Globaldaten& g, const std::string& regionName,
                               int region) {
    t.rows.push_back({RowKind::Heading, {TableCell::label("Sonderzahlung " + regionName)}});
    const std::vector<CivilServantPaymentRow> rules = civilServantPaymentRules(g, region);
    if (rules.empty())
        t.rows.push_back(singleCellRow("keine Regel für " + std::to_string(g.year),
                                       TableCell::label(kNoAmount), t.columns.size()));
    for (const CivilServantPaymentRow& r : rules) {
        std::string caption;
        TableCell cell = TableCell::label(kNoAmount);
        switch (r.kind) {
        case CivilPaymentKind::Integrated:
            caption = "in die monatlichen Bezüge eingebaut";
            break;
        case CivilPaymentKind::None:
            caption = "keine Sonderzahlung";
            break;
        case CivilPaymentKind::Child:
            caption = "Kinderzuschlag " + bandText(r.groups) + paidIn(r.month, g.year);
            cell = TableCell::money(Money::fromCents(r.cents));
            break;
        default: // Annual, Monthly: a percentage of the pay or a fixed amount
            caption = bandText(r.groups) + paidIn(r.kind == CivilPaymentKind::Monthly ? -1 : r.month, g.year);
            cell = r.percentMilli > 0 ? TableCell::label(milliPercentText(r.percentMilli))
                                      : TableCell::money(Money::fromCents(r.cents));
            break;
        }
        t.rows.push_back(singleCellRow(caption, std::move(cell), t.columns.size()));
    }
}

// What the rows of the case's group read: the case-month, its record of the month's table and the
// month's tables themselves (the allowance records and the percentages read other records).
struct GroupElements {
    const Globaldaten& g;
    const Case& c;
    int month;
    TariffYear& tariffs;
    TariffRecord cells;
    std::string groupName;
    int handEntry;

    int step() const { return c.key(KeySlot::Step); }
    // The context of the lookup for the case with another option; the table in full (tariff factor 1).
    LookupContext lookup(const Case& variant) const {
        return {variant, g.year, month, cells.row, step(), handEntry, 1.0f, &tariffs};
    }
    TableCell amount(int line, int option, int32_t cents) const {
        return tableAmount(g, c.serviceRelationship(), c.payGroup(), c.region(), month, line, option,
                           handEntry, cents);
    }
};

// Line 9 by each of its options that takes an entry of the case's record.
void appendLineNine(ReportTable& t, const GroupElements& e) {
    t.rows.push_back({RowKind::Heading, {TableCell::label("Zeile 9 (" + e.groupName + ") in Euro")}});
    const std::vector<std::string> options = lineNineOptions(e.c);
    for (int option = 0; option < static_cast<int>(options.size()); ++option) {
        Case nine = e.c;
        nine.setKey(KeySlot::StructuralAllowance, static_cast<int16_t>(option));
        const auto entry = lineNineEntry(nine, e.step());
        if (!entry) continue;
        t.rows.push_back(singleCellRow(options[static_cast<size_t>(option)],
                                       e.cells.amount(*entry)
                                           ? e.amount(9, option, lineNineAmount(e.lookup(nine)).cents)
                                           : TableCell::label(kNoAmount),
                                       t.columns.size()));
    }
}

// The family allowance as the lookup takes it for options 1 to 6 (married, then one to five children),
// the married part in full.
void appendFamilyAllowance(ReportTable& t, const GroupElements& e) {
    t.rows.push_back(
        {RowKind::Heading, {TableCell::label("Familienzuschlag (" + e.groupName + ") in Euro")}});
    for (int option = 1; option <= 6; ++option) {
        const bool held =
            e.cells.amount(16).has_value() && (option == 1 || e.cells.amount(option + 15).has_value());
        TableCell cell = TableCell::label(kNoAmount);
        if (held) {
            Case family = e.c;
            family.setKey(KeySlot::FamilyAllowance, static_cast<int16_t>(option));
            family.setKey(KeySlot::LineSeven, 0);
            const LookupContext ctx{family, e.g.year, e.month, e.cells.row, 0, 0, 1.0f, nullptr};
            cell = tableAmount(e.g, e.c.serviceRelationship(), e.c.payGroup(), e.c.region(), e.month, 10,
                               option, 0, lineTenAmount(ctx, true).cents);
        }
        t.rows.push_back(singleCellRow(familyStepCaption(option), std::move(cell), t.columns.size()));
    }
}

// The allowances of lines 13 to 15 that the month's tables hold (named allowances of the allowance
// records, percentages of a table's amount). Only those with an amount are listed, and the block is left
// out without one: the allowance records are not shipped and read as zeros until the tariff editor fills
// them, and a hundred rows of "kein Betrag" would hide the few that exist.
void appendAllowances(ReportTable& t, const GroupElements& e, const std::vector<std::string>& names) {
    const int32_t lineNine = lineNineAmount(e.lookup(e.c)).cents;
    std::vector<TableRow> rows;
    for (int option = optiontext::kFirstNamedAllowance; option < optiontext::kAllowanceOptions; ++option) {
        Case allowance = e.c;
        allowance.setKey(KeySlot::Allowance1, static_cast<int16_t>(option));
        const int32_t cents = allowanceAmount(e.lookup(allowance), 13, lineNine);
        if (cents == 0) continue;
        rows.push_back(singleCellRow(names.at(static_cast<size_t>(option)), e.amount(13, option, cents),
                                     t.columns.size()));
    }
    if (rows.empty()) return;
    t.rows.push_back(
        {RowKind::Heading, {TableCell::label("Zeilen 13 bis 15 (" + e.groupName + ") in Euro")}});
    t.rows.insert(t.rows.end(), rows.begin(), rows.end());
}

// The employees' annual special payment: the percentage of the agreement, year and tariff area for the
// groups of the table, neighbours with the same percentage in one row ("E1 bis E4"); a group the
// percentage table has no place for gets none.
void appendAnnualPercentages(ReportTable& t, Globaldaten& g, const Case& c, int agreement,
                             const std::vector<int>& groups, const std::vector<std::string>& names) {
    EnsureAnnualPaymentTable(g);
    const bool east = isEastArea(c);
    t.rows.push_back(
        {RowKind::Heading,
         {TableCell::label("Jahressonderzahlung " + agreementNames().at(static_cast<size_t>(agreement)) +
                           (east ? " (Ost)" : " (West)") + " in %")}});
    std::string first, last, shown;
    auto flush = [&] {
        if (first.empty()) return;
        t.rows.push_back(singleCellRow(first == last ? first : first + " bis " + last,
                                       TableCell::label(shown), t.columns.size()));
    };
    for (int group : groups) {
        Case member = c;
        member.setKey(KeySlot::PayGroup, static_cast<int16_t>(group));
        const SpecialPaymentCategory of = classifySpecialPayment(member, g.year);
        const std::string cell =
            of.group < 0
                ? kNoAmount
                : percentText(g.extras.annualPercentages.percent(of.agreement, g.year, east, of.group)) +
                      " %";
        const std::string name = nameAt(names, group, "Gruppe");
        if (cell != shown || first.empty()) {
            flush();
            first = name;
            shown = cell;
        }
        last = name;
    }
    flush();
}

} // namespace

ReportTable payTableOf(Globaldaten& g, const Case& c, int month) {
    const std::filesystem::path& root = g.dataRootOrProgram();
    const OptionTextFile texts(optionTextPath(root, g.year));
    TariffYear tariffs(root, g.year);
    const int sr = c.serviceRelationship();
    const int region = c.region();
    ReportTable t;
    t.name = "payTable";
    t.title = "B e s o l d u n g    in " + nameAt(regionNames(texts), region, "Region") + ", " +
              monthOfYear(month, g.year);
    if (!usesPayTables(sr)) {
        t.columns = {"Gruppe"};
        t.notes.push_back(
            "Für dieses Dienstverhältnis gibt es keine Tabelle; die Beträge werden eingegeben.");
        return t;
    }
    if (!tariffs.hasTables()) {
        t.columns = {"Gruppe"};
        t.notes.push_back("Für das Jahr " + std::to_string(g.year) + " gibt es keine Tariftabellen (Tarife/" +
                          std::to_string(g.year) + "1.ttt fehlt).");
        return t;
    }
    // One row per group the month's table holds a basic pay of, one column per step of the longest step
    // list (captioned by number: the lists' own texts are too wide for a row of eight).
    struct GroupRow {
        int group;
        TariffRecord record;
        int steps;
    };
    std::vector<GroupRow> groups;
    int mostSteps = 0;
    const std::vector<std::string> names = payGroupNames(texts, sr);
    for (int p = 0; p < static_cast<int>(names.size()); ++p) {
        if (names[static_cast<size_t>(p)].empty()) continue;
        const auto record = tariffRecordNumber(region, sr, p, g.year, month, 0);
        if (!record) continue;
        const TariffRecord cells = tariffs.readRecord(month, *record);
        if (!cells.hasAnyAmount()) continue;
        Case group = c;
        group.setKey(KeySlot::PayGroup, static_cast<int16_t>(p));
        const int steps = handEntryStep(group, g.year, month);
        bool any = false;
        for (int step = 0; step < steps; ++step)
            any = any || basicPayCell(cells, sr, region, p, step, g.year, month).has_value();
        if (!any) continue;
        mostSteps = std::max(mostSteps, steps);
        groups.push_back({p, cells, steps});
    }
    t.columns = {"Gruppe"};
    for (int step = 1; step <= mostSteps; ++step)
        t.columns.push_back("Stufe " + std::to_string(step));
    t.rows.push_back({RowKind::Heading,
                      {TableCell::label(std::string("Grundgehalt (") +
                                        (isEastRegion(region) ? "Ost" : "West") + ") in Euro")}});
    for (const GroupRow& r : groups) {
        TableRow row{RowKind::Values, {TableCell::label(nameAt(names, r.group, "Gruppe"))}};
        for (int step = 0; step < mostSteps; ++step) {
            if (step >= r.steps) {
                row.cells.push_back(TableCell::label(""));
                continue;
            }
            const auto cell = basicPayCell(r.record, sr, region, r.group, step, g.year, month);
            row.cells.push_back(cell ? tableAmount(g, sr, r.group, region, month, 8, step, r.steps, *cell)
                                     : TableCell::label(kNoAmount));
        }
        t.rows.push_back(std::move(row));
    }
    if (groups.empty())
        t.notes.push_back("Die Tabelle des Monats enthält für " +
                          nameAt(regionNames(texts), region, "Region") + " keine Beträge dieser Gruppen.");

    // The further elements of the case's group, in the order of their sheet lines; they need a column
    // for their amounts also where the table holds no basic pay.
    if (t.columns.size() < 2) t.columns.push_back("Betrag");
    const int group = c.payGroup();
    const auto record = tariffRecordNumber(region, sr, group, g.year, month, 0);
    GroupElements e{g,
                    c,
                    month,
                    tariffs,
                    record ? tariffs.readRecord(month, *record) : TariffRecord{},
                    nameAt(names, group, "Gruppe"),
                    handEntryStep(c, g.year, month)};
    appendLineNine(t, e);
    if (hasFamilyAllowance(sr)) appendFamilyAllowance(t, e);
    appendAllowances(t, e, allowanceOptions(c, texts));
    // The annual special payment as the special-payment step reads it.
    const SpecialPaymentCategory category = classifySpecialPayment(c, g.year);
    if (category.kind == SpecialPaymentCategory::Kind::CivilServant) {
        appendCivilSpecialPayment(t, g, nameAt(regionNames(texts), region, "Region"), region);
    } else if (category.kind == SpecialPaymentCategory::Kind::Agreement) {
        std::vector<int> listed;
        for (const GroupRow& r : groups)
            listed.push_back(r.group);
        appendAnnualPercentages(t, g, c, category.agreement, listed, names);
    }
    return t;
}

namespace {

// The pay table of the case's month as its sheet shows it; nothing is written.
ReportTable payTableOfMonth(Globaldaten& g, const CaseYearFigures& figures, int month) {
    const MonthFigures& f = figures.months.at(static_cast<size_t>(month - 1));
    ReportTable t = payTableOf(g, f.workingCase, month);
    if (!f.stored)
        t.notes.push_back("Der Personalfall " + figures.name + " ist für " + monthOfYear(month, g.year) +
                          " nicht gespeichert.");
    return t;
}

} // namespace

ReportTable payTableOf(Session& g, const ListRequest& r) {
    return payTableOfMonth(g, listFigures(g, r).front(), r.month);
}

bool besoldungstabelle(Session& g, const ListRequest& r, PrintSurface& s, const PrintOptions& options) {
    const CaseYearFigures figures = listFigures(g, r).front();
    const ReportTable table = payTableOfMonth(g, figures, r.month);
    const OptionTextFile texts(optionTextPath(g.dataRootOrProgram(), g.year));
    const int sr = figures.months.at(static_cast<size_t>(r.month - 1)).workingCase.serviceRelationship();
    s.setOrientation(Orientation::Landscape);
    standardHead(g, s, options, table.title,
                 "hier: " +
                     nameAt(serviceRelationshipNames(texts, g.pay.traineeName), sr, "Dienstverhältnis"));
    printFigures(s, table);
    signatures(s);
    return table.notes.empty();
}

} // namespace varemo::print
