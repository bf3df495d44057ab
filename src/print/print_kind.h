#pragma once
// The printouts by their code (PrintKind): the preview shows one, and its print button runs the same
// procedure again on the printer. A code without an entry prints an empty document.

#include "base/report_table.h"
#include "calculators/pay_steps.h"
#include "print/print_surface.h"
#include "session/session.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varemo::print {

// What a printout needs besides the session.
struct PrintOptions {
    std::string today;        // "TT.MM.JJJJ", the date of "erstellt am "
    bool secondSheet = false; // the employer's cost always on a sheet of its own ("Blatt 2")
    // The year views (39, 40, 41) and the control listing (49): the table the window built from the
    // case's months, so that printing it again prints what was shown.
    std::shared_ptr<const ReportTable> table = nullptr;
    // The step-duration letter (56): the steps as the calculator laid them out with its movement. They
    // need the month's tariff file, which the printout itself only reads through a const session.
    std::optional<StepDurationView> stepDuration{};
    // The promotion's comparison (52), for the same reason.
    std::optional<PromotionView> promotion{};
    // The working-time recorder's printouts (60, 61): the month the recorder shows; 0 the month shown.
    int month = 0;
};

using PrintProcedure = void (*)(const Session& g, PrintSurface& s, const PrintOptions& options);
// The lists over the stored months (print/list_kind.h) calculate the months first and so need the
// session itself.
using ListProcedure = void (*)(int kind, Session& g, PrintSurface& s, const PrintOptions& options);

struct PrintKindEntry {
    int kind;
    const char* procedure; // the printout's name, as the code knows it
    const char* title;     // what the preview's caption says
    Orientation orientation;
    // Refused for the year salary: the parts that need the month's worksheets (the employer's cost,
    // the annex, the pay statement, the working times of a month); the gross and net calculation prints
    // the year's totals.
    bool singleMonthOnly;
    PrintProcedure run;
    ListProcedure runList = nullptr; // instead of run, for the lists
};

// The codes that have a printout so far, in ascending order: 11 to 61 are the previewable printouts, the
// lists of list_kind.h among them; 70 to 79 are the sheets of the payroll office that used to go straight
// to the printer (70 the tax sheet, 71 the insurance sheet, 72 the annual tax adjustment, 73 the
// health-insurance obligation, 74 the year list of the monthly salaries, 75 the health-fund list, 76 the
// pay table of the shown case's service relationship, region and month), now
// shown in the preview as well. The calculators' printouts that the table of codes leaves without one
// (service age, jubilee, vacation calculation, promotion) take free codes of 11 to 61
// (print/calculator_printouts.h), the printouts of partial retirement 36 to 38
// (print/partial_retirement_printouts.h).
const std::vector<PrintKindEntry>& printKinds();
const PrintKindEntry* findPrintKind(int kind);

// The refusal of a single-month printout while the year salary is shown, or nothing.
std::optional<PromptMessage> yearSalaryRefusal(const Session& g, int kind);

// Draws the printout of kind onto s from the top of its current page, in inches; the caller ends the
// document, so that one surface can take the printouts of many cases. Returns false (and draws nothing)
// for a code without an entry.
bool runPrintKind(int kind, Session& g, PrintSurface& s, const PrintOptions& options);

} // namespace varemo::print
