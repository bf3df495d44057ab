// The recalculation of all cases of a folder of 1000 cases: twelve calculation runs per case, each
// writing its month record and the case's year record. The cases are TVöD VKA employees (the build
// tree's tariff files), every second one part-time, with the annual special payment in November.

#include <benchmark/benchmark.h>

#include "calc/calculation_run.h"
#include "persistence/month_record.h"
#include "session/case_load.h"
#include "session/recalculate_all.h"

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace varemo;

constexpr int kCases = 1000;

struct Folder {
    fs::path root;
    Folder() {
        root = fs::temp_directory_path() / ("varemo_recalc_bench_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "User001");
        std::error_code ec;
        fs::create_directory_symlink(fs::path(VAREMO_BUILD_DIR) / "Tarife", root / "Tarife", ec);
    }
    ~Folder() { fs::remove_all(root); }
};

void fill(Session& g) {
    for (int n = 1; n <= kCases; ++n) {
        Case c = defaultCase();
        c.name = "Personalfall " + std::to_string(n);
        c.setKey(slot::Region, 9);
        c.setKey(slot::ServiceRelationship, 12);
        c.setKey(slot::PayGroup, 8);
        c.setKey(7, 2);  // step
        c.setKey(18, 0); // line 19: computed
        if (n % 2 == 0) c.enterAmount(slot::AgreedHours, 1925000);
        c.enterAmount(12, 15000);
        YearRecord year = g.files.readYear(n);
        year.setName(c.name);
        year.setCaseNumber(n);
        g.files.writeYear(n, year);
        for (int m = 1; m <= 12; ++m) {
            c.setKey(slot::Month, static_cast<int16_t>(m - 1));
            g.files.writeMonth(m, n, packMonthRecord(c));
        }
    }
    g.storage.window.setCaseCount(g.year, kCases + 1);
}

void BM_RecalculateAllCases(benchmark::State& state) {
    Folder folder;
    RecordingPrompter prompter(true);
    Session g(prompter);
    g.programDir = folder.root;
    g.userFolder = folder.root / "User001";
    g.year = 2020;
    g.dataSet = DataSet::Real;
    OpenYearFiles(g);
    fill(g);
    for (auto _ : state) {
        const RecalculationSummary r = RecalculateAllCases(g);
        benchmark::DoNotOptimize(r.monthsRun);
        if (r.monthsRun != kCases * 12) state.SkipWithError("not every case-month ran");
    }
    state.counters["case_months"] =
        benchmark::Counter(kCases * 12.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RecalculateAllCases)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
