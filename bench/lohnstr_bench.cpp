// One wage-tax flow-chart run per iteration: a plain monthly wage, and the longest path (pension,
// one-time payment and multi-year pay, which re-run the annual computation several times).

#include <benchmark/benchmark.h>

#include "deductions/lohnstr.h"

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

} // namespace
