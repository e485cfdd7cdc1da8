// The two checks that scan a whole bank: unused multisamples (10000 sounds × 20 zones against
// 9999 multisamples) and duplicated samples (every path against every path of later
// multisamples), on a full bank (FullBank.h).
#include "FullBank.h"
#include "job/ScriptedJobServices.h"
#include "tools/BankChecks.h"

#include <benchmark/benchmark.h>

namespace {

using ovb::bench::FullBank;

void BM_CheckUnusedMultisamples(benchmark::State& state) {
    const auto bank = FullBank();
    unsigned found = 0;
    for (auto _ : state) {
        ovb::ScriptedJobServices ui;
        found = ovb::CheckUnusedMultisamples(*bank, ui);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_CheckUnusedMultisamples)->Unit(benchmark::kMillisecond);

void BM_CheckDuplicatedSamples(benchmark::State& state) {
    const auto bank = FullBank();
    unsigned found = 0;
    for (auto _ : state) {
        ovb::ScriptedJobServices ui;
        found = ovb::ScanDuplicatedSamples(*bank, ui);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_CheckDuplicatedSamples)->Unit(benchmark::kMillisecond);

} // namespace
