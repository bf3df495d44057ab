// One wage-tax flow-chart run per iteration: a plain monthly wage, and the longest path (pension,
// one-time payment and multi-year pay, which re-run the annual computation several times).
// Then the tax step of one case-month: a plain month, and December with a one-time payment and the
// employer's annual adjustment (stored months read back, four flow-chart runs).

#include <benchmark/benchmark.h>

#include "calc/calculation_run.h"
#include "deductions/tax_step.h"
#include "law/lohnstr.h"
#include "session/case_load.h"
#include "session/recalculate.h"

#include <filesystem>
#include <random>

namespace {

using varemo::Decimal;
using varemo::LohnstrInput;

LohnstrInput monthlyWage() {
    LohnstrInput in;
    in.LZZ = 2;
    in.RE4 = 412345;
    in.STKL = 3;
    in.ZKF = Decimal::parse("1.5");
    in.R = 1;
    in.KVZ = Decimal::parse("1.10");
    return in;
}

void BM_LohnstrMonthly(benchmark::State& state) {
    const LohnstrInput in = monthlyWage();
    for (auto _ : state)
        benchmark::DoNotOptimize(varemo::LOHNSTR(2020, in));
}
BENCHMARK(BM_LohnstrMonthly);

void BM_LohnstrOneTimeAndMultiYear(benchmark::State& state) {
    LohnstrInput in = monthlyWage();
    in.STKL = 1;
    in.VBEZ = 150000;
    in.VBEZM = 150000;
    in.VJAHR = 2015;
    in.ALTER1 = 1;
    in.AJAHR = 2016;
    in.JRE4 = 4948140;
    in.JVBEZ = 1800000;
    in.SONSTB = 500000;
    in.VMT = 2000000;
    in.ENTSCH = 500000;
    for (auto _ : state)
        benchmark::DoNotOptimize(varemo::LOHNSTR(2021, in));
}
BENCHMARK(BM_LohnstrOneTimeAndMultiYear);

// A case of 2020 in a temporary program folder, all twelve months stored with 4,123.45 on line 13.
class TaxStepSession {
  public:
    TaxStepSession() : g(prompter) {
        dir = std::filesystem::temp_directory_path() /
              ("varemo-bench-" + std::to_string(std::random_device{}()));
        g.programDir = dir;
        g.userFolder = dir / "User001";
        g.year = 2020;
        g.selectMonth(1);
        varemo::OpenYearFiles(g);
        varemo::LoadCaseMonth(g);
        g.workingCase.enterAmount(12, 412345);
        g.workingCase.setKey(36, 1);
        varemo::RunCalculation(g);
        varemo::RunFollowingMonths(g);
    }
    ~TaxStepSession() {
        g.files.close();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    varemo::RecordingPrompter prompter;
    varemo::Session g;
    std::filesystem::path dir;
};

void BM_TaxStepMonth(benchmark::State& state) {
    TaxStepSession s;
    s.g.workingCase.setKey(20, 4);
    for (auto _ : state) {
        varemo::WageTaxStep(s.g);
        benchmark::DoNotOptimize(s.g.workingCase.amount(33));
    }
}
BENCHMARK(BM_TaxStepMonth);

void BM_TaxStepDecemberWithOneTimePaymentAndAdjustment(benchmark::State& state) {
    TaxStepSession s;
    s.g.workingCase.setKey(20, 11);
    s.g.workingCase.setKey(30, 0);
    s.g.workingCase.enterAmount(19, 250000);
    varemo::RunCalculation(s.g);
    for (auto _ : state) {
        varemo::WageTaxStep(s.g);
        benchmark::DoNotOptimize(s.g.workingCase.amount(33));
    }
}
BENCHMARK(BM_TaxStepDecemberWithOneTimePaymentAndAdjustment);

} // namespace
