// The in-memory jobs every command and window repeats: resetting the bank (each new bank, each
// load) and turning the 640000 sample paths into the text area of a file and back.
#include "bank/Acc_bank_structure.h"
#include "bank/PathArea.h"
#include "job/ScriptedJobServices.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// A stored path of exactly `length` characters (at least the 33 of the fixed part), different
// for every slot so that nothing can be shared between them.
std::string SlotPath(unsigned m, unsigned s, std::size_t length) {
    char text[64];
    std::snprintf(text, sizeof text, "D:\\Samples\\MS %05u\\Sample %02u", m, s);
    std::string path = text;
    path.resize(length > path.size() + 4 ? length - 4 : path.size(), '_');
    return path + ".wav";
}

// Every slot of every multisample holds a path: the largest path area a bank can have for the
// given path length.
void FillAllPaths(ovb::as_bank& bank, std::size_t length) {
    for (unsigned m = 0; m < ovb::kMultisamples; ++m)
        for (unsigned s = 0; s < ovb::kSamplesPerMultisample; ++s)
            bank.path(m, s) = SlotPath(m, s, length);
}

void BM_BankReset(benchmark::State& state) {
    ovb::as_bank bank;
    for (auto _ : state) {
        bank.reset();
        benchmark::DoNotOptimize(bank.records().multisample[ovb::kMultisamples - 1]);
    }
}
BENCHMARK(BM_BankReset)->Unit(benchmark::kMillisecond);

// What every command pays before it loads anything: allocation and the first reset.
void BM_NewBank(benchmark::State& state) {
    for (auto _ : state) {
        auto bank = std::make_unique<ovb::as_bank>();
        benchmark::DoNotOptimize(bank->records().header);
    }
}
BENCHMARK(BM_NewBank)->Unit(benchmark::kMillisecond);

void BM_BuildPathArea(benchmark::State& state) {
    ovb::as_bank bank;
    FillAllPaths(bank, std::size_t(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        std::string area = ovb::BuildPathArea(bank);
        size = area.size();
        benchmark::DoNotOptimize(area.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(size));
}
// A typical library path, and the longest path a slot may hold (253 characters plus CR LF).
BENCHMARK(BM_BuildPathArea)->Arg(60)->Arg(253)->Unit(benchmark::kMillisecond);

// Filling a freshly made bank, as a load does: every path is a new string.
void BM_FillPathsFromArea(benchmark::State& state) {
    std::string area;
    {
        ovb::as_bank source;
        FillAllPaths(source, std::size_t(state.range(0)));
        area = ovb::BuildPathArea(source);
    }
    ovb::ScriptedJobServices ui;
    for (auto _ : state) {
        state.PauseTiming();
        auto bank = std::make_unique<ovb::as_bank>();
        state.ResumeTiming();
        ovb::FillPathsFromArea(*bank, area, ui);
        benchmark::DoNotOptimize(bank->path(ovb::kMultisamples - 1, 63).data());
        state.PauseTiming();
        bank.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(area.size()));
}
BENCHMARK(BM_FillPathsFromArea)->Arg(60)->Arg(253)->Unit(benchmark::kMillisecond);

} // namespace
