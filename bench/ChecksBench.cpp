// The two checks that scan a whole bank: unused multisamples (10000 sounds × 20 zones against
// 9999 multisamples) and duplicated samples (every path against every path of later
// multisamples), on a full bank: 10000 multisamples × 64 distinct paths, every 50th multisample
// sharing one path with the multisample before it, and 10000 sounds with all 20 zones in use.
#include "bank/Acc_bank_structure.h"
#include "job/ScriptedJobServices.h"
#include "tools/BankChecks.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<ovb::as_bank> FullBank() {
    auto bank = std::make_unique<ovb::as_bank>();
    char text[80];
    for (unsigned m = 0; m < ovb::kMultisamples; ++m) {
        for (unsigned s = 0; s < ovb::kSamplesPerMultisample; ++s) {
            std::snprintf(text, sizeof text, "D:\\Samples\\Library\\MS %05u\\Sample %02u.wav", m,
                          s);
            bank->path(m, s) = text;
        }
        if (m % 50 == 0 && m > 1) bank->path(m, 7) = bank->path(m - 1, 7);
    }
    // Sound s plays multisamples s*20+z modulo 9999 (+1): every multisample is played except a
    // few left over for the unused check to find.
    for (unsigned s = 0; s < ovb::kSounds; ++s)
        for (unsigned z = 0; z < ovb::kZones; ++z)
            bank->sound(s).zone[z].set_multisample(1 + (s * 7 + z * 3) % 9900);
    return bank;
}

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
