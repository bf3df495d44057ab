// The command serial-print: one kind of printout for a run of cases, or for a run of months of one case,
// as the window "Seriendruck" prints it. The whole order is one document (one print job); with
// --pdf-per-case each case or month is a file of its own (FILE with "-N" before its extension).
// Progress goes to stderr; Ctrl+C cancels between two cases, and a cancelled single document is not
// written.

#include "app/cli_common.h"
#include "presentation/navigation.h"
#include "presentation/year_view.h"
#include "print/recording_surface.h"
#include "print/serial_print.h"
#include "print/table_printout.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/startup.h"

#ifdef VAREMO_CLI_PDF
#include "ui/print_surfaces.h"
#endif

#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>

namespace varemo::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
extern "C" void onInterrupt(int) {
    interrupted = 1;
}

std::string numberedFile(const std::string& file, int item) {
    std::filesystem::path p(file);
    return (p.parent_path() / (p.stem().string() + "-" + std::to_string(item) + p.extension().string()))
        .string();
}

class CliSerialHost : public print::SerialPrintHost {
  public:
    CliSerialHost(Session& g, print::PrintSurface* single, std::string perItemFile, bool cases)
        : g_(g), single_(single), perItemFile_(std::move(perItemFile)), cases_(cases) {}

    bool showCase(int caseNumber) override {
        // A case-range order prints months, never the year salary.
        if (g_.showsYearSalary()) g_.selectMonth(12);
        g_.caseNumber = caseNumber;
        return SelectCaseMonth(g_);
    }
    bool showMonth(int month) override { return SelectMonth(g_, month); }
    void printYearView(int caseNumber, const print::SerialPrintOption& option,
                       print::PrintSurface& s) override {
        const YearViewOptions view{option.employerView ? YearViewKind::EmployerCost : YearViewKind::Salaries,
                                   option.accumulated};
        print::printTable(
            s, print::printTableOf(buildYearView(CalculateCaseYear(g_, caseNumber), g_.year, view)));
    }
    print::PrintSurface& begin(int item) override {
        if (single_) {
            if (started_) single_->newPage();
            started_ = true;
            return *single_;
        }
#ifdef VAREMO_CLI_PDF
        own_ = std::make_unique<ui::PdfSurface>(QString::fromStdString(numberedFile(perItemFile_, item)));
        return *own_;
#else
        (void)item;
        throw std::logic_error("a file per case needs the PDF surface");
#endif
    }
    void end(int item) override {
        if (single_) return;
        own_->endDocument();
        std::cerr << numberedFile(perItemFile_, item) << "\n";
        own_.reset();
    }
    bool proceed(int done, int total, int item) override {
        std::cerr << (cases_ ? "Personalfall " : "Monat ") << item << " (" << done + 1 << " von " << total
                  << ")\n";
        return !interrupted;
    }

  private:
    Session& g_;
    print::PrintSurface* single_;
    std::string perItemFile_;
    bool cases_;
    bool started_ = false;
    std::unique_ptr<print::PrintSurface> own_;
};

} // namespace

int runSerialPrint(CliContext& ctx) {
    int year = 0;
    std::optional<DataSet> set;
    int code = -1;
    int caseNumber = 0;
    int month = 1;
    std::optional<int> first;
    std::optional<int> last;
    std::string pdf;
    bool perCase = false;
    bool text = false;
    print::PrintOptions options;
    options.today = todayText();
    ArgReader r(ctx.args);
    while (r.next()) {
        const std::string& a = r.current();
        if (a == "--year") {
            year = r.intValue();
        } else if (a == "--set") {
            set = parseDataSet(r.value());
            if (!set) throw UsageError("--set takes REAL, PLAN or INFO");
        } else if (a == "--code") {
            code = r.intValue();
        } else if (a == "--case") {
            caseNumber = r.intValue();
        } else if (a == "--month") {
            month = r.intValue();
        } else if (a == "--first") {
            first = r.intValue();
        } else if (a == "--last") {
            last = r.intValue();
        } else if (a == "--pdf") {
            pdf = r.value();
        } else if (a == "--pdf-per-case") {
            perCase = true;
        } else if (a == "--text") {
            text = true;
        } else if (a == "--today") {
            options.today = r.value();
        } else {
            r.unknown();
        }
    }
    if (year < kFirstYear || year > kLastYear)
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    if (!set) throw UsageError("--set is required");
    const print::SerialPrintOption* option = print::findSerialPrintOption(code);
    if (!option) throw UsageError("--code takes 0 to 4, 6, 8, 10 or 12 to 15");
    const bool cases = option->range == print::SerialRange::Cases;
    if (!cases && (caseNumber < 1 || caseNumber > kMostCases)) throw UsageError("months need --case N");
    if (month < 1 || month > 12) throw UsageError("--month must be 1 to 12");
    if (text == !pdf.empty()) throw UsageError("serial-print needs either --text or --pdf FILE");
    if (perCase && pdf.empty()) throw UsageError("--pdf-per-case needs --pdf FILE");
#ifndef VAREMO_CLI_PDF
    if (!pdf.empty()) throw UsageError("--pdf needs a build with the window (VAREMO_BUILD_UI=ON)");
#endif

    Session g(*ctx.prompter);
    g.programDir = ctx.programDir;
    if (!StartUp(g)) return 3;
    g.year = year;
    g.dataSet = *set;
    g.selectMonth(month);
    const DataSet sets[] = {g.dataSet};
    const int highest = cases ? caseCount(g, year) - 1 : print::kSerialYearSalaryMonth;
    if (highest < 1) {
        g.prompter.tell("Sorry", {"Im Jahr " + std::to_string(year) + " gibt es keine Personalfälle."});
        return 1;
    }
    if (!cases) {
        if (!caseStored(g, year, caseNumber, sets)) {
            g.prompter.tell("Sorry", {"Den Personalfall " + std::to_string(caseNumber) + " gibt es im Jahr " +
                                      std::to_string(year) + " in " + dataSetName(g.dataSet) + " nicht."});
            return 1;
        }
        g.caseNumber = caseNumber;
        if (!SelectCaseMonth(g)) return 1;
    }
    // The range fields of the window: in order and within the cases of the list or months 1 to 13.
    print::NumberRange range{first.value_or(1), last.value_or(cases ? highest : 12)};
    range = print::afterFirstChanged(print::afterLastChanged(range, highest), highest);

    interrupted = 0;
    const auto previous = std::signal(SIGINT, onInterrupt);
    print::SerialPrintResult result;
    if (text) {
        print::RecordingSurface surface;
        CliSerialHost host(g, &surface, {}, cases);
        result = print::RunSerialPrint(g, *option, range, host, options);
        surface.endDocument();
        std::cout << surface.readingOrder();
    }
#ifdef VAREMO_CLI_PDF
    else {
        ui::ensureGuiApplication();
        std::unique_ptr<ui::PdfSurface> surface;
        if (!perCase) surface = std::make_unique<ui::PdfSurface>(QString::fromStdString(pdf));
        CliSerialHost host(g, surface.get(), pdf, cases);
        result = print::RunSerialPrint(g, *option, range, host, options);
        // A cancelled order that goes into one document writes nothing.
        if (surface && !result.cancelled) surface->endDocument();
    }
#endif
    std::signal(SIGINT, previous);
    if (result.cancelled) {
        std::cerr << "[Seriendruck] Abgebrochen nach " << result.printed << " Ausdrucken"
                  << (perCase || text ? "." : "; es wurde keine Datei geschrieben.") << "\n";
        return 1;
    }
    return result.skipped ? 1 : 0;
}

} // namespace varemo::cli
