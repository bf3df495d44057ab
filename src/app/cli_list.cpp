// The command list: a payroll list over the stored months (print/list_kind.h) as CSV or JSON
// (docs/exports.md), as text in reading order or as a PDF file. Listing only reads: no month is written.

#include "app/cli_common.h"
#include "print/list_kind.h"
#include "print/print_kind.h"
#include "print/recording_surface.h"
#include "session/case_operations.h"
#include "session/startup.h"

#ifdef VAREMO_CLI_PDF
#include "ui/print_surfaces.h"
#endif

#include <iostream>

namespace varemo::cli {
namespace {

enum class Output { None, Csv, Json, Text, Pdf };

std::string knownKinds() {
    std::string out;
    for (const print::ListKindEntry& e : print::listKinds())
        out += (out.empty() ? "" : ", ") + std::to_string(e.kind);
    return out;
}

} // namespace

int runList(CliContext& ctx) {
    int kind = 0;
    int year = 0;
    std::optional<DataSet> set;
    print::ListRequest request;
    int from = 0; // the first month of a period
    Output output = Output::None;
    std::string pdf;
    print::PrintOptions options;
    options.today = todayText();
    auto take = [&output](Output o) {
        if (output != Output::None) throw UsageError("give one of --pdf FILE, --text, --csv and --json");
        output = o;
    };
    ArgReader r(ctx.args);
    while (r.next()) {
        const std::string& a = r.current();
        if (a == "--kind") {
            kind = r.intValue();
        } else if (a == "--year") {
            year = r.intValue();
        } else if (a == "--set") {
            set = parseDataSet(r.value());
            if (!set) throw UsageError("--set takes REAL, PLAN or INFO");
        } else if (a == "--month") {
            request.month = r.intValue();
        } else if (a == "--from") {
            from = r.intValue();
        } else if (a == "--case") {
            request.caseNumber = r.intValue();
        } else if (a == "--pdf") {
            take(Output::Pdf);
            pdf = r.value();
        } else if (a == "--text") {
            take(Output::Text);
        } else if (a == "--csv") {
            take(Output::Csv);
        } else if (a == "--json") {
            take(Output::Json);
        } else if (a == "--today") {
            options.today = r.value();
        } else {
            r.unknown();
        }
    }
    const print::ListKindEntry* entry = print::findListKind(kind);
    if (!entry) throw UsageError("--kind takes " + knownKinds());
    if (year < kFirstYear || year > kLastYear)
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    if (!set) throw UsageError("--set is required");
    const bool period = entry->scope == print::ListScope::Period;
    const bool monthly =
        entry->scope == print::ListScope::Month || entry->scope == print::ListScope::CaseMonth || period;
    if (monthly && (request.month < 1 || request.month > 12))
        throw UsageError("--month must be 1 to 12 for list " + std::to_string(kind));
    if (!monthly && request.month != 0)
        throw UsageError("list " + std::to_string(kind) + " takes no --month");
    if (!period && from != 0) throw UsageError("list " + std::to_string(kind) + " takes no --from");
    if (period) {
        // --month is the period's last month, --from its first (January when not given).
        if (from == 0) from = 1;
        if (from < 1 || from > request.month) throw UsageError("--from must be 1 to the month of --month");
        request.lastMonth = request.month;
        request.month = from;
    }
    if ((entry->scope == print::ListScope::CaseYear || entry->scope == print::ListScope::CaseMonth) &&
        request.caseNumber == 0)
        throw UsageError("list " + std::to_string(kind) + " needs --case");
    if (request.caseNumber != 0 && (request.caseNumber < 1 || request.caseNumber > kMostCases))
        throw UsageError("--case must be 1 to 9999");
    if (output == Output::None) throw UsageError("give one of --pdf FILE, --text, --csv and --json");
#ifndef VAREMO_CLI_PDF
    if (output == Output::Pdf) throw UsageError("--pdf needs a build with the window (VAREMO_BUILD_UI=ON)");
#endif
    request.year = year;
    request.set = *set;

    Session g(*ctx.prompter);
    g.programDir = ctx.programDir;
    if (!StartUp(g)) return 3;
    g.year = year;
    g.dataSet = *set;
    const DataSet sets[] = {g.dataSet};
    if (request.caseNumber != 0 && !caseStored(g, year, request.caseNumber, sets)) {
        g.prompter.tell("Sorry",
                        {"Den Personalfall " + std::to_string(request.caseNumber) + " gibt es im Jahr " +
                         std::to_string(year) + " in " + dataSetName(g.dataSet) + " nicht."});
        return 1;
    }
    if (request.caseNumber == 0 && caseCount(g, year) <= 1) {
        g.prompter.tell("Sorry", {"Im Jahr " + std::to_string(year) + " gibt es keine Personalfälle."});
        return 1;
    }

    bool complete = true;
    if (output == Output::Csv || output == Output::Json) {
        const std::vector<ReportTable> tables = entry->tables(g, request);
        std::cout << (output == Output::Json ? toJson(tables) : toCsv(tables));
        complete = tables.front().notes.empty();
    } else if (output == Output::Text) {
        print::RecordingSurface surface;
        surface.setOrientation(print::Orientation::Landscape);
        complete = entry->print(g, request, surface, options);
        surface.endDocument();
        std::cout << surface.readingOrder();
    } else {
#ifdef VAREMO_CLI_PDF
        ui::ensureGuiApplication();
        ui::PdfSurface surface(QString::fromStdString(pdf));
        surface.setOrientation(print::Orientation::Landscape);
        complete = entry->print(g, request, surface, options);
        surface.endDocument(); // throws with the message when the file cannot be written
#endif
    }
    return complete ? 0 : 1;
}

} // namespace varemo::cli
