// The calculation of stored cases: the recalculation of all cases of a folder of 1000 cases (twelve
// runs per case, each writing its month record and the case's year record), and single calculation
// runs of a case-month. The cases are mixed: TVöD VKA and TV-L employees of groups with table values,
// employees with agreed pay in the low-wage zone, tax classes I to VI with child allowances, thirteen
// health funds, four supplementary-pension choices, part-time, with and without church tax, the annual
// special payment and one-time payments. Reads the build tree's Tarife/.
//
// Each benchmark checks its results: a checksum over every amount of every stored month against the
// value the engine gave when the benchmark was written (so a change of a result shows here as well as
// in the tests), and no case-month of a table group without basic pay.

#include <benchmark/benchmark.h>

#include "calc/calculation_run.h"
#include "persistence/month_record.h"
#include "session/case_load.h"
#include "session/recalculate_all.h"

#include <array>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace varemo;

constexpr int kCases = 1000;

// Groups whose tables have values in every month of 2020 (Region 9).
constexpr std::array<int16_t, 15> kVkaGroups = {0, 1, 2, 3, 4, 5, 6, 7, 11, 12, 13, 14, 15, 16, 18};
constexpr std::array<int16_t, 12> kTvlGroups = {1, 3, 5, 7, 9, 10, 11, 12, 13, 14, 16, 17};
// Tax class positions: I, I with 1 and 2 child allowances, II, III with children, IV, IV with 1, V, VI.
constexpr std::array<int16_t, 12> kTaxClasses = {0, 2, 4, 10, 12, 21, 23, 25, 34, 36, 47, 48};
constexpr std::array<int16_t, 4> kSupplementaryFunds = {2, 6, 1, 40};

struct Folder {
    fs::path root;
    explicit Folder(const std::string& name) {
        root = fs::temp_directory_path() / ("varemo_" + name + "_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "User001");
        std::error_code ec;
        fs::create_directory_symlink(fs::path(VAREMO_BUILD_DIR) / "Tarife", root / "Tarife", ec);
    }
    ~Folder() { fs::remove_all(root); }
};

bool hasTableGroup(int n) {
    return n % 8 != 7;
}

// Case n of the mix, as typed in January; the months differ only by the month and a one-time payment.
Case mixedCase(int n) {
    Case c = defaultCase();
    c.name = "Personalfall " + std::to_string(n);
    c.setKey(KeySlot::Region, 9);
    const int kind = n % 8;
    if (kind <= 4) {
        c.setKey(KeySlot::ServiceRelationship, 12); // TVöD VKA
        c.setKey(KeySlot::PayGroup, kVkaGroups[static_cast<size_t>(n / 8) % kVkaGroups.size()]);
    } else if (kind <= 6) {
        c.setKey(KeySlot::ServiceRelationship, 11); // TV-L
        c.setKey(KeySlot::PayGroup, kTvlGroups[static_cast<size_t>(n / 8) % kTvlGroups.size()]);
    } else {
        // Agreed pay of 700 to 1,600 euros: the low-wage zone.
        c.enterAmount(AmountSlot::Allowance1, 70000 + (n * 977) % 90000);
    }
    if (hasTableGroup(n)) {
        c.setKey(KeySlot::Step, static_cast<int16_t>(1 + n % 5));
        c.setKey(KeySlot::AnnualPayment, 0); // computed
    }
    c.setKey(KeySlot::TaxClass, kTaxClasses[static_cast<size_t>(n) % kTaxClasses.size()]);
    c.setKey(KeySlot::HealthFund, static_cast<int16_t>(n % 13));
    c.setKey(KeySlot::SupplementaryFund, kSupplementaryFunds[static_cast<size_t>(n / 3) % 4]);
    c.setKey(KeySlot::ChurchTax, n % 2 == 0 ? 0 : 3);
    if (n % 3 == 1) c.enterAmount(AmountSlot::AgreedHours, 1925000);
    return c;
}

void fill(Session& g, int cases) {
    for (int n = 1; n <= cases; ++n) {
        Case c = mixedCase(n);
        YearRecord year = g.files.readYear(n);
        year.setName(c.name);
        year.setCaseNumber(n);
        g.files.writeYear(n, year);
        for (int m = 1; m <= 12; ++m) {
            c.setKey(KeySlot::Month, static_cast<int16_t>(m - 1));
            c.enterAmount(AmountSlot::OneTimePayment, n % 5 == 2 && m == 6 ? 50000 : 0);
            g.files.writeMonth(m, n, packMonthRecord(c));
        }
    }
    g.storage.window.setCaseCount(g.year, cases + 1);
}

void openFolder(Session& g, const Folder& folder, int cases) {
    g.programDir = folder.root;
    g.userFolder = folder.root / "User001";
    g.year = 2020;
    g.dataSet = DataSet::Real;
    OpenYearFiles(g);
    fill(g, cases);
}

struct Check {
    std::uint64_t checksum = 0;
    int withoutBasicPay = 0;
};

// Every amount of every stored month, weighted by its slot; and the table cases without basic pay.
Check checkStoredMonths(Session& g, int cases) {
    Check check;
    for (int n = 1; n <= cases; ++n) {
        for (int m = 1; m <= 12; ++m) {
            Case c;
            unpackMonthRecord(g.files.readMonth(m, n), c);
            for (size_t s = 0; s < c.amounts.size(); ++s)
                check.checksum = check.checksum * 31 + static_cast<std::uint64_t>(c.amounts[s]) * (s + 1);
            if (hasTableGroup(n) && c.grossLine(8).amount == Money()) ++check.withoutBasicPay;
        }
    }
    return check;
}

// The checksum of the 1000 recalculated cases as the engine computed it when this benchmark was written.
constexpr std::uint64_t kRecalculatedChecksum = 11416769189537034583u;

void BM_RecalculateAllCases(benchmark::State& state) {
    Folder folder("recalc_bench");
    RecordingPrompter prompter(true);
    Session g(prompter);
    openFolder(g, folder, kCases);
    for (auto _ : state) {
        const RecalculationSummary r = RecalculateAllCases(g);
        benchmark::DoNotOptimize(r.monthsRun);
        if (r.monthsRun != kCases * 12 || r.failed != 0 || r.outOfRange != 0)
            state.SkipWithError("not every case-month was calculated");
    }
    const Check check = checkStoredMonths(g, kCases);
    if (check.withoutBasicPay != 0) state.SkipWithError("a table group without basic pay");
    if (check.checksum != kRecalculatedChecksum) {
        static std::string message;
        message = "results differ from the reference: checksum " + std::to_string(check.checksum);
        state.SkipWithError(message.c_str());
    }
    state.counters["case_months/s"] =
        benchmark::Counter(kCases * 12.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RecalculateAllCases)->Unit(benchmark::kMillisecond)->Iterations(3);

// One calculation run of a stored case-month as a view runs it (nothing written), the case's months
// held in memory as during a recalculation: no file is read or written while timing. The cases of the
// mix in January, June (one-time payment), November (annual special payment) and December (the employer's
// annual adjustment). Each run's amounts must be those the recalculation stored.
void BM_CalculationRun(benchmark::State& state) {
    constexpr int kRunCases = 16;
    static Folder folder("calc_run_bench");
    static RecordingPrompter prompter(true);
    static Session g(prompter);
    static const bool filled = [] {
        openFolder(g, folder, kRunCases);
        return RecalculateAllCases(g).monthsRun == kRunCases * 12;
    }();
    const int caseNumber = static_cast<int>(state.range(0));
    const int month = static_cast<int>(state.range(1));
    if (!filled) {
        state.SkipWithError("the recalculation failed");
        return;
    }
    const CaseYearInMemory held(g.files, caseNumber);
    g.caseNumber = caseNumber;
    g.selectMonth(month);
    LoadCaseMonth(g);
    Case stored;
    g.files.loadMonth(month, caseNumber, stored);
    g.closingStepSuspended = true;
    bool same = true;
    for (auto _ : state) {
        if (!RunCalculation(g)) {
            state.SkipWithError("the run failed");
            break;
        }
        same = same && g.workingCase.amounts == stored.amounts;
    }
    g.closingStepSuspended = false;
    if (!same) state.SkipWithError("the run's amounts differ from the stored results");
    state.counters["runs/s"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CalculationRun)
    ->ArgNames({"case", "month"})
    ->Args({1, 1})
    ->Args({2, 6})
    ->Args({3, 11})
    ->Args({4, 12})
    ->Args({7, 12})
    ->Args({12, 11})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
