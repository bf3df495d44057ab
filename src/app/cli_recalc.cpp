// recalc-all --year Y --set REAL|PLAN|INFO: the recalculation of all cases of the user's year and data
// set. The confirmation is answered by --answer (no: nothing changes); the progress goes to stderr as
// the window's status line shows it.

#include "app/cli_common.h"
#include "app/cli_storage.h"
#include "session/case_load.h"
#include "session/recalculate_all.h"

#include <iostream>

namespace varemo::cli {
namespace {

class StderrStatusLine : public StatusLine {
  public:
    void show(const std::string& text) override { std::cerr << text << "\n"; }
};

} // namespace

int runRecalcAll(CliContext& ctx) {
    int year = 0;
    std::optional<DataSet> set;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--year") {
            year = r.intValue();
        } else if (r.current() == "--set") {
            set = parseDataSet(r.value());
            if (!set) throw UsageError("--set takes REAL, PLAN or INFO");
        } else {
            r.unknown();
        }
    }
    if (year < kFirstYear || year > kLastYear)
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    if (!set) throw UsageError("recalc-all needs --set REAL|PLAN|INFO");

    StderrStatusLine status;
    Session g(*ctx.prompter);
    g.storage.status = &status;
    if (!startSession(g, ctx)) return 3;
    g.year = year;
    g.dataSet = *set;
    OpenYearFiles(g);
    const RecalculationSummary summary = RecalculateAllCases(g);
    if (!summary.done) return 1;
    std::cout << summary.cases << " Personalfälle, " << summary.monthsRun << " Monate neu berechnet\n";
    if (summary.outOfRange > 0)
        std::cout << summary.outOfRange << " Monate außerhalb des Wertebereichs (nicht gespeichert)\n";
    if (summary.failed > 0)
        std::cout << summary.failed << " Monate wegen eines Fehlers nicht berechnet (nicht gespeichert)\n";
    return summary.outOfRange > 0 || summary.failed > 0 ? 1 : 0;
}

} // namespace varemo::cli
