// The command print: one printout of a case-month, as text in reading order (--text) or as a PDF file
// (--pdf FILE, in builds with the window). Printing reads the case-month as its calculation left it and
// writes nothing back. The year views (kinds 39, 40, 41, with --accumulated the months summed) and the
// control listing (49) print the case's year.

#include "app/cli_calculator_input.h"
#include "calculators/calculator_files.h"
#include "presentation/navigation.h"
#include "presentation/year_view.h"
#include "print/calculator_printouts.h"
#include "print/print_kind.h"
#include "print/recording_surface.h"

#ifdef VAREMO_CLI_PDF
#include "ui/print_surfaces.h"
#endif

#include <iostream>

namespace varemo::cli {
namespace {

std::string knownKinds() {
    std::string out;
    for (const print::PrintKindEntry& e : print::printKinds())
        out += (out.empty() ? "" : ", ") + std::to_string(e.kind);
    return out;
}

} // namespace

int runPrint(CliContext& ctx) {
    CaseMonthSelection sel;
    int kind = 0;
    std::string pdf;
    bool text = false;
    bool accumulated = false;
    std::optional<int> movement;
    std::optional<CalendarDate> beginning;
    print::PrintOptions options;
    options.today = todayText();
    ArgReader r(ctx.args);
    while (r.next()) {
        if (sel.take(r)) continue;
        const std::string& a = r.current();
        if (a == "--kind")
            kind = r.intValue();
        else if (a == "--pdf")
            pdf = r.value();
        else if (a == "--text")
            text = true;
        else if (a == "--today")
            options.today = r.value();
        else if (a == "--second-sheet")
            options.secondSheet = true;
        else if (a == "--accumulated")
            accumulated = true;
        else if (a == "--movement") // the step-duration letter: months of lengthening (+) or shortening (−)
            movement = r.intValue();
        else if (a == "--beginning") // the step-duration letter: another beginning of step 1 than line 6's
            beginning = dateOption(r.value(), a);
        else
            r.unknown();
    }
    // Month 13 is the year salary, which the salary calculation prints too.
    const bool yearSalary = sel.month == kYearSalaryMonth;
    if (yearSalary) sel.month = 12;
    sel.validate();
    if (!print::findPrintKind(kind)) throw UsageError("--kind takes " + knownKinds());
    if (text == !pdf.empty()) throw UsageError("print needs either --text or --pdf FILE");
    if ((movement || beginning) && kind != print::kStepDurationLetter)
        throw UsageError("--movement and --beginning belong to --kind 56");
    if (movement && (*movement < -600 || *movement > 600))
        throw UsageError("--movement takes -600 to 600 months");
#ifndef VAREMO_CLI_PDF
    if (!pdf.empty()) throw UsageError("--pdf needs a build with the window (VAREMO_BUILD_UI=ON)");
#endif

    Session g(*ctx.prompter);
    const int opened = openCaseMonth(g, ctx, sel, false);
    if (opened == kCaseMissing) return 1;
    if (opened == 3) return 3;
    if (yearSalary && !SelectMonth(g, kYearSalaryMonth)) return 1;
    if (auto refusal = print::yearSalaryRefusal(g, kind)) {
        g.prompter.ask(*refusal);
        return 1;
    }
    options.table = yearViewPrintTable(g, kind, accumulated);
    // The step calculators lay out their results with the inputs their window keeps, unless given here.
    if (kind == print::kStepDurationLetter)
        options.stepDuration =
            StepDurationOf(g, beginning, movement.value_or(LoadStepInputs(g).movementMonths));
    if (kind == print::kPromotion) {
        const StepInputsRecord stored = LoadStepInputs(g);
        options.promotion = PromotionOf(g, Money::fromCents(stored.allowanceACents),
                                        Money::fromCents(stored.allowanceBCents));
    }
    if (auto missing = print::calculatorInputMissing(g, kind, options)) {
        g.prompter.ask(*missing);
        return 1;
    }
    if (text) {
        print::RecordingSurface surface;
        print::runPrintKind(kind, g, surface, options);
        surface.endDocument();
        std::cout << surface.readingOrder();
        return opened;
    }
#ifdef VAREMO_CLI_PDF
    ui::ensureGuiApplication();
    ui::PdfSurface surface(QString::fromStdString(pdf));
    print::runPrintKind(kind, g, surface, options);
    surface.endDocument(); // throws with the message when the file cannot be written
#endif
    return opened;
}

} // namespace varemo::cli
