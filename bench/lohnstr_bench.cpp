// The wage-tax flow chart alone. Each iteration runs one batch of mixed inputs: monthly wages of all
// classes with child allowances, factor, church tax, Saxony, childless surcharge, East and no pension
// insurance, private insurance; and a batch with pensions, old-age relief, one-time payments and
// multi-year pay (up to four annual computations each). Reported: evaluations per second.
//
// Every batch is checked: the sum of all outputs must equal the sum the Decimal computation gives for
// the same inputs (computed once before timing), so a fast wrong answer does not pass as a result.
// BM_LohnstrDecimal* time that Decimal computation on the same batches, for comparison.

#include <benchmark/benchmark.h>

#include "law/lohnstr.h"
#include "law/lohnstr_params.h"

#include <cstdint>
#include <random>
#include <vector>

namespace {

using varemo::Decimal;
using varemo::LohnstrInput;
using varemo::LohnstrOutput;

constexpr int kBatch = 1024;
constexpr int kYear = 2020;

std::int64_t sumOfOutputs(const LohnstrOutput& o) {
    return o.BK + 3 * o.BKS + 5 * o.BKV + 7 * o.LSTLZZ + 11 * o.SOLZLZZ + 13 * o.SOLZS + 17 * o.SOLZV +
           19 * o.STS + 23 * o.STV + 29 * o.VKVLZZ + 31 * o.VKVSONST + 37 * o.VFRB + 41 * o.VFRBS1 +
           43 * o.VFRBS2 + 47 * o.WVFRB + 53 * o.WVFRBO + 59 * o.WVFRBM;
}

std::vector<LohnstrInput> monthlyInputs() {
    std::mt19937 rng(4711);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<LohnstrInput> inputs;
    for (int i = 0; i < kBatch; ++i) {
        LohnstrInput in;
        in.LZZ = 2;
        in.STKL = 1 + i % 6;
        in.RE4 = pick(45000, 1200000);
        in.ZKF = in.STKL <= 4 ? Decimal::fromScaled(pick(0, 6) * 5, 1) : Decimal(0);
        in.R = pick(0, 1);
        in.KRV = pick(0, 9) == 0 ? 2 : pick(0, 1);
        in.KVZ = Decimal::fromScaled(pick(39, 150), 2);
        in.PVS = pick(0, 19) == 0;
        in.PVZ = pick(0, 2) == 0;
        if (in.STKL == 4 && pick(0, 1)) in.f = Decimal::fromScaled(pick(800, 999), 3);
        if (pick(0, 9) == 0) {
            in.PKV = pick(1, 2);
            in.PKPV = pick(20000, 80000);
        }
        inputs.push_back(in);
    }
    return inputs;
}

std::vector<LohnstrInput> oneTimeAndMultiYearInputs() {
    std::vector<LohnstrInput> inputs = monthlyInputs();
    std::mt19937 rng(815);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (LohnstrInput& in : inputs) {
        in.JRE4 = in.RE4 * 12;
        in.SONSTB = pick(10000, 800000);
        if (pick(0, 2) == 0) {
            in.VBEZ = in.RE4 / 2;
            in.VBEZM = in.VBEZ;
            in.VJAHR = pick(2005, 2020);
            in.JVBEZ = in.VBEZ * 12;
        }
        if (pick(0, 2) == 0) {
            in.ALTER1 = 1;
            in.AJAHR = pick(2005, 2020);
        }
        if (pick(0, 1) == 0) {
            in.VMT = pick(100000, 3000000);
            in.ENTSCH = in.VMT / 4;
        }
    }
    return inputs;
}

std::int64_t decimalChecksum(const std::vector<LohnstrInput>& inputs) {
    const auto& params = varemo::lohnstr_detail::yearParams(kYear);
    std::int64_t sum = 0;
    for (const LohnstrInput& in : inputs)
        sum += sumOfOutputs(varemo::lohnstr_detail::LohnstrDecimal(params, in));
    return sum;
}

template <typename Run>
void timeBatches(benchmark::State& state, const std::vector<LohnstrInput>& inputs, Run run) {
    const std::int64_t expected = decimalChecksum(inputs);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const LohnstrInput& in : inputs)
            sum += sumOfOutputs(run(in));
        benchmark::DoNotOptimize(sum);
        if (sum != expected) {
            state.SkipWithError("the outputs differ from the Decimal computation");
            break;
        }
    }
    state.counters["evaluations/s"] =
        benchmark::Counter(static_cast<double>(inputs.size()), benchmark::Counter::kIsIterationInvariantRate);
}

LohnstrOutput fixedPoint(const LohnstrInput& in) {
    return varemo::LOHNSTR(kYear, in);
}

LohnstrOutput onDecimal(const LohnstrInput& in) {
    return varemo::lohnstr_detail::LohnstrDecimal(varemo::lohnstr_detail::yearParams(kYear), in);
}

void BM_LohnstrMonthly(benchmark::State& state) {
    timeBatches(state, monthlyInputs(), fixedPoint);
}
BENCHMARK(BM_LohnstrMonthly);

void BM_LohnstrOneTimeAndMultiYear(benchmark::State& state) {
    timeBatches(state, oneTimeAndMultiYearInputs(), fixedPoint);
}
BENCHMARK(BM_LohnstrOneTimeAndMultiYear);

void BM_LohnstrDecimalMonthly(benchmark::State& state) {
    timeBatches(state, monthlyInputs(), onDecimal);
}
BENCHMARK(BM_LohnstrDecimalMonthly);

void BM_LohnstrDecimalOneTimeAndMultiYear(benchmark::State& state) {
    timeBatches(state, oneTimeAndMultiYearInputs(), onDecimal);
}
BENCHMARK(BM_LohnstrDecimalOneTimeAndMultiYear);

} // namespace
