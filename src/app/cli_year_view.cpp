// The commands year-view and cost-centres: the year view of a case and the cost-centre overview of a
// year and data set, exported as JSON or CSV (docs/exports.md). Both only read: no month is written.

#include "app/cli_common.h"
#include "presentation/cost_centre_overview.h"
#include "presentation/year_view.h"
#include "session/case_operations.h"
#include "session/startup.h"

#include <iostream>

namespace varemo::cli {
namespace {

enum class Format { None, Json, Csv };

struct YearSelection {
    int year = 0;
    std::optional<DataSet> set;
    Format format = Format::None;

    bool take(ArgReader& r) {
        const std::string& a = r.current();
        if (a == "--year") {
            year = r.intValue();
        } else if (a == "--set") {
            set = parseDataSet(r.value());
            if (!set) throw UsageError("--set takes REAL, PLAN or INFO");
        } else if (a == "--json" || a == "--csv") {
            const Format f = a == "--json" ? Format::Json : Format::Csv;
            if (format != Format::None && format != f) throw UsageError("give either --json or --csv");
            format = f;
        } else {
            return false;
        }
        return true;
    }
    void validate() const {
        if (year < kFirstYear || year > kLastYear)
            throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " +
                             std::to_string(kLastYear));
        if (!set) throw UsageError("--set is required");
        if (format == Format::None) throw UsageError("give --json or --csv");
    }
};

bool start(Session& g, const CliContext& ctx, const YearSelection& sel) {
    g.programDir = ctx.programDir;
    if (!StartUp(g)) return false;
    g.year = sel.year;
    g.dataSet = *sel.set;
    return true;
}

void print(const std::vector<ReportTable>& tables, Format format) {
    std::cout << (format == Format::Json ? toJson(tables) : toCsv(tables));
}

CostCentreChoice choiceOption(const std::string& text) {
    if (text == "all") return {CostCentreChoice::Kind::All, 0};
    if (text == "none") return {CostCentreChoice::Kind::Without, 0};
    const int position = parseInt(text, "--centre");
    if (position < 1 || position > 121) throw UsageError("--centre takes all, none or 1 to 121");
    return {CostCentreChoice::Kind::One, position};
}

} // namespace

int runYearView(CliContext& ctx) {
    YearSelection sel;
    int caseNumber = 0;
    YearViewOptions options;
    bool settings = false;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (sel.take(r)) continue;
        const std::string& a = r.current();
        if (a == "--case") {
            caseNumber = r.intValue();
        } else if (a == "--view") {
            const int number = r.intValue();
            auto kind = yearViewKindNumbered(number);
            if (!kind) throw UsageError("--view takes 40, 41 or 39");
            options.kind = *kind;
        } else if (a == "--accumulated") {
            options.accumulated = true;
        } else if (a == "--settings") {
            settings = true;
        } else {
            r.unknown();
        }
    }
    sel.validate();
    if (caseNumber < 1 || caseNumber > kMostCases) throw UsageError("--case must be 1 to 9999");

    Session g(*ctx.prompter);
    if (!start(g, ctx, sel)) return 3;
    const DataSet set[] = {g.dataSet};
    if (!caseStored(g, sel.year, caseNumber, set)) {
        g.prompter.tell("Sorry", {"Den Personalfall " + std::to_string(caseNumber) + " gibt es im Jahr " +
                                  std::to_string(sel.year) + " in " + dataSetName(g.dataSet) + " nicht."});
        return 1;
    }
    const CaseYearFigures figures = CalculateCaseYear(g, caseNumber);
    print({settings ? buildSettingsListing(figures, sel.year) : buildYearView(figures, sel.year, options)},
          sel.format);
    bool complete = true;
    for (const MonthFigures& f : figures.months)
        complete = complete && f.available();
    return complete ? 0 : 1;
}

int runCostCentres(CliContext& ctx) {
    YearSelection sel;
    CostCentreOptions options;
    bool performancePay = false;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (sel.take(r)) continue;
        const std::string& a = r.current();
        if (a == "--month") {
            options.month = r.intValue();
            if (options.month < 1 || options.month > 12) throw UsageError("--month must be 1 to 12");
        } else if (a == "--centre") {
            options.choice = choiceOption(r.value());
        } else if (a == "--accumulated") {
            options.accumulated = true;
        } else if (a == "--sorted") {
            options.sorted = true;
        } else if (a == "--empty-lines") {
            options.emptyLines = true;
        } else if (a == "--performance-pay") {
            performancePay = true;
        } else {
            r.unknown();
        }
    }
    sel.validate();

    Session g(*ctx.prompter);
    if (!start(g, ctx, sel)) return 3;
    if (caseCount(g, sel.year) <= 1) {
        g.prompter.tell("Sorry", {"Im Jahr " + std::to_string(sel.year) + " gibt es keine Personalfälle."});
        return 1;
    }
    const std::vector<CaseYearFigures> cases = CalculateAllCases(g);
    if (performancePay) {
        const ReportTable table = buildPerformancePayTable(cases, sel.year, g.dataSet, options.choice);
        print({table}, sel.format);
        return table.notes.empty() ? 0 : 1;
    }
    const auto tables = buildCostCentreOverview(cases, sel.year, g.dataSet, options);
    print(tables, sel.format);
    return tables.front().notes.empty() ? 0 : 1;
}

} // namespace varemo::cli
