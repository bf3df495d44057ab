#include "presentation/cost_centre_overview.h"

#include "tariffs/service_relationship.h"

#include <algorithm>
#include <array>
#include <map>

namespace varemo {
namespace {

constexpr size_t kColumns = 11;
using Values = std::array<Money, kColumns>;

Values& operator+=(Values& a, const Values& b) {
    for (size_t i = 0; i < kColumns; ++i)
        a[i] += b[i];
    return a;
}

Money item(const MonthFigures& f, EmployerItem i) {
    return f.employer[i];
}

// A month's figures in the overview's columns.
Values monthValues(const MonthFigures& f) {
    const bool civil = isCivilServant(f.workingCase.serviceRelationship());
    const Money gross = item(f, EmployerItem::Gross);
    const Money levy = item(f, EmployerItem::Levy);
    Values v{};
    v[0] = civil ? gross : Money();
    v[1] = civil ? Money() : gross;
    v[2] = civil ? levy : Money();
    v[3] = item(f, EmployerItem::HealthShare) + item(f, EmployerItem::CareShare) +
           item(f, EmployerItem::PensionShare) + item(f, EmployerItem::UnemploymentShare);
    v[4] = item(f, EmployerItem::CapitalContribution) + item(f, EmployerItem::Restructuring) +
           (civil ? Money() : levy);
    v[5] = item(f, EmployerItem::LevyTaxes) + item(f, EmployerItem::LevyChurchTax) +
           item(f, EmployerItem::TakenOverTaxes);
    v[6] = v[0] + v[1] + v[2] + v[3] + v[4] + v[5] + item(f, EmployerItem::CalculatedCosts);
    v[7] = item(f, EmployerItem::InKind);
    v[8] = item(f, EmployerItem::PartialRetirementTopUp);
    v[9] = item(f, EmployerItem::OtherPayments) + item(f, EmployerItem::Levies);
    v[10] = f.performancePay;
    return v;
}

int costCentreOf(const MonthFigures& f) {
    return f.workingCase.key(KeySlot::CostCentre);
}

std::string trimmed(std::string s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The name of cost centre position p as the latest month assigned to it shows it.
std::map<int, std::string> costCentreNames(const std::vector<CaseYearFigures>& cases) {
    std::map<int, std::string> names;
    for (const CaseYearFigures& c : cases)
        for (const MonthFigures& f : c.months)
            if (f.available() && costCentreOf(f) > 0) names[costCentreOf(f)] = trimmed(f.sheet.line(28).text);
    return names;
}

bool selected(const CostCentreChoice& choice, int position) {
    switch (choice.kind) {
    case CostCentreChoice::Kind::All:
        return true;
    case CostCentreChoice::Kind::Without:
        return position == 0;
    case CostCentreChoice::Kind::One:
        return position == choice.position;
    }
    return false;
}

TableRow valuesRow(RowKind kind, const std::string& number, const std::string& name, const Values& v) {
    TableRow row;
    row.kind = kind;
    row.cells.push_back(TableCell::label(number));
    row.cells.push_back(TableCell::label(name));
    for (const Money& m : v)
        row.cells.push_back(TableCell::money(m));
    return row;
}

struct CaseInGroup {
    const CaseYearFigures* figures;
    Values total{};
};

} // namespace

const std::vector<std::string>& costCentreAmountColumns() {
    static const std::vector<std::string> columns = {
        "Beamten- bezüge", "Angest.- verg.",          "Versorg. Beamte",      "Soz.Vers. Angestellte",
        "ATV Uml.+Zusch.", "Steuern des AG.",         "Summe Personalkosten", "Sachbezüge",
        "ATZ-Aufst.",      "Sonstiges (u.a.Umlagen)", "Leistungs- entgelt"};
    return columns;
}

std::vector<CostCentreEntry> costCentreEntries(const std::vector<CaseYearFigures>& cases) {
    std::vector<CostCentreEntry> out = {{{CostCentreChoice::Kind::All, 0}, kAllCostCentres},
                                        {{CostCentreChoice::Kind::Without, 0}, kWithoutCostCentre}};
    for (const auto& [position, name] : costCentreNames(cases))
        out.push_back({{CostCentreChoice::Kind::One, position}, name});
    return out;
}

std::string costCentreTitle(const CostCentreChoice& choice, const std::vector<CaseYearFigures>& cases) {
    switch (choice.kind) {
    case CostCentreChoice::Kind::All:
        return "Monatsgehälter - Gesamtzusammenstellung";
    case CostCentreChoice::Kind::Without:
        return "Monatsgehälter für Personalfälle ohne Kostenstelle";
    case CostCentreChoice::Kind::One:
        break;
    }
    const auto names = costCentreNames(cases);
    const auto it = names.find(choice.position);
    return "Monatsgehälter für " +
           (it != names.end() ? it->second : "Kostenstelle " + std::to_string(choice.position));
}

std::string costCentreAddressee(const CostCentreChoice& choice, const std::vector<CaseYearFigures>& cases) {
    switch (choice.kind) {
    case CostCentreChoice::Kind::All:
        return "für alle Kostenstellen";
    case CostCentreChoice::Kind::Without:
        return "für Personalfälle ohne Kostenstelle";
    case CostCentreChoice::Kind::One:
        break;
    }
    return costCentreTitle(choice, cases).substr(std::string("Monatsgehälter ").size());
}

std::vector<ReportTable> buildCostCentreOverview(const std::vector<CaseYearFigures>& cases, int year,
                                                 DataSet set, const CostCentreOptions& options) {
    const std::string suffix = " " + std::to_string(year) + " (" + dataSetName(set) + ") in EURO";
    const auto names = costCentreNames(cases);

    ReportTable upper;
    upper.name = "costCentres";
    upper.title = costCentreTitle(options.choice, cases) + suffix;
    if (options.month != 0)
        upper.title += std::string(", ") + monthColumnCaptions()[static_cast<size_t>(options.month - 1)] +
                       (options.accumulated ? " (akkumuliert)" : "");
    upper.columns = {"Nr.", "Name"};
    for (const std::string& c : costCentreAmountColumns())
        upper.columns.push_back(c);

    ReportTable months;
    months.name = "months";
    months.title = upper.title + (options.accumulated ? " (akkumuliert)" : " (Monate einzeln)");
    months.columns = {"Monat", ""};
    for (const std::string& c : costCentreAmountColumns())
        months.columns.push_back(c);

    // Each case-month goes to the cost centre its month names.
    std::map<int, std::vector<CaseInGroup>> groups;
    std::array<Values, 12> perMonth{};
    Values grand{};
    for (const CaseYearFigures& c : cases) {
        for (const MonthFigures& f : c.months) {
            if (!f.available()) {
                upper.notes.push_back(
                    "Nicht enthalten: Personalfall " + std::to_string(c.caseNumber) + " " + trimmed(c.name) +
                    ", " + monthColumnCaptions()[static_cast<size_t>(f.month - 1)] + ": " + f.problem);
                continue;
            }
            const int position = costCentreOf(f);
            if (!selected(options.choice, position)) continue;
            const Values v = monthValues(f);
            perMonth[static_cast<size_t>(f.month - 1)] += v;
            if (options.month != 0 &&
                (options.accumulated ? f.month > options.month : f.month != options.month))
                continue;
            auto& group = groups[position];
            if (group.empty() || group.back().figures != &c) group.push_back({&c, {}});
            group.back().total += v;
            grand += v;
        }
    }
    months.notes = upper.notes;

    auto groupName = [&names](int position) {
        if (position == 0) return std::string(kWithoutCostCentre);
        const auto it = names.find(position);
        return it != names.end() ? it->second : "Kostenstelle " + std::to_string(position);
    };
    // Cost centres by position with the cases without one last, or all by name.
    std::vector<int> order;
    for (const auto& [position, group] : groups)
        if (position != 0) order.push_back(position);
    if (options.sorted)
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return groupName(a) < groupName(b); });
    if (groups.count(0)) order.push_back(0);

    for (int position : order) {
        std::vector<CaseInGroup>& members = groups[position];
        if (options.sorted)
            std::stable_sort(members.begin(), members.end(), [](const CaseInGroup& a, const CaseInGroup& b) {
                return trimmed(a.figures->name) < trimmed(b.figures->name);
            });
        Values total{};
        for (const CaseInGroup& m : members)
            total += m.total;
        upper.rows.push_back(valuesRow(RowKind::Heading, "", groupName(position), total));
        for (const CaseInGroup& m : members) {
            TableRow row = valuesRow(RowKind::Values, std::to_string(m.figures->caseNumber),
                                     trimmed(m.figures->name), m.total);
            row.caseNumber = m.figures->caseNumber;
            upper.rows.push_back(std::move(row));
        }
        if (options.emptyLines) {
            TableRow empty;
            empty.kind = RowKind::Empty;
            empty.cells.resize(upper.columns.size());
            upper.rows.push_back(std::move(empty));
        }
    }
    upper.rows.push_back(valuesRow(RowKind::Total, "", kGrandTotal, grand));

    Values running{};
    for (int m = 1; m <= 12; ++m) {
        running += perMonth[static_cast<size_t>(m - 1)];
        TableRow row = valuesRow(RowKind::Values, monthRowCaptions()[static_cast<size_t>(m - 1)], "",
                                 options.accumulated ? running : perMonth[static_cast<size_t>(m - 1)]);
        row.month = m;
        months.rows.push_back(std::move(row));
    }
    months.rows.push_back(valuesRow(RowKind::Total, "Summe", "", running));
    return {std::move(upper), std::move(months)};
}

ReportTable buildPerformancePayTable(const std::vector<CaseYearFigures>& cases, int year, DataSet set,
                                     const CostCentreChoice& choice) {
    ReportTable t;
    t.name = "performancePay";
    t.title = "Leistungsentgelte " + std::to_string(year) + " (" + dataSetName(set) + ") " +
              costCentreAddressee(choice, cases);
    t.columns = {"Nr.", "Name"};
    for (const std::string& c : monthColumnCaptions())
        t.columns.push_back(c);
    t.columns.push_back("Summe");
    t.monthColumn = 2;
    std::array<Money, 13> grand{};
    bool grandComplete = true;
    for (const CaseYearFigures& c : cases) {
        TableRow row;
        row.caseNumber = c.caseNumber;
        row.cells = {TableCell::label(std::to_string(c.caseNumber)), TableCell::label(trimmed(c.name))};
        bool any = false;
        bool complete = true;
        Money sum;
        for (const MonthFigures& f : c.months) {
            if (!f.available()) {
                complete = false;
                row.cells.push_back(TableCell::missing());
                continue;
            }
            if (!selected(choice, costCentreOf(f))) {
                row.cells.push_back(TableCell::label(""));
                continue;
            }
            any = true;
            sum += f.performancePay;
            grand[static_cast<size_t>(f.month - 1)] += f.performancePay;
            row.cells.push_back(TableCell::money(f.performancePay));
        }
        if (!any && complete) continue;
        row.cells.push_back(complete ? TableCell::money(sum) : TableCell::missing());
        grandComplete = grandComplete && complete;
        if (!complete)
            t.notes.push_back("Personalfall " + std::to_string(c.caseNumber) + ": nicht alle Monate");
        grand[12] += sum;
        t.rows.push_back(std::move(row));
    }
    TableRow total;
    total.kind = RowKind::Total;
    total.cells = {TableCell::label(""), TableCell::label(kGrandTotal)};
    for (size_t m = 0; m < 13; ++m)
        total.cells.push_back(grandComplete ? TableCell::money(grand[m]) : TableCell::missing());
    t.rows.push_back(std::move(total));
    return t;
}

} // namespace varemo
