// The bank as text and the combinator on full banks: 10000 named multisamples with 64 paths each
// and 10000 named sounds with all 20 zones in use. dump (text written to a file), apply (text to
// the script file), diff of two full banks that differ in every record, and merge of two banks
// whose first halves collide, each against a target of 2 s.
#include "bank/Acc_bank_structure.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "tools/BankDiff.h"
#include "tools/BankMerge.h"
#include "tools/DescriptionApply.h"
#include "tools/DescriptionDump.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

template <std::size_t N> void SetName(ovb::Name<N>& name, const std::string& text) {
    name.fill(' ');
    text.copy(name.data(), std::min(text.size(), N));
}

// Records first..last-1 of the sounds and multisamples named and filled; tag makes two banks
// differ in every one of them.
std::unique_ptr<ovb::as_bank> FilledBank(unsigned first, unsigned last, const char* tag) {
    auto bank = std::make_unique<ovb::as_bank>();
    char text[96];
    for (unsigned m = first; m < last; ++m) {
        SetName(bank->multisample(m).name, std::string(tag) + " MS " + std::to_string(m));
        for (unsigned s = 0; s < ovb::kSamplesPerMultisample; ++s) {
            std::snprintf(text, sizeof text, "D:\\Samples\\%s Library\\MS %05u\\Sample %02u.wav",
                          tag, m, s);
            bank->path(m, s) = text;
        }
    }
    for (unsigned i = first; i < last; ++i) {
        ovb::as_sound& sound = bank->sound(i);
        SetName(sound.name, std::string(tag) + " Sound " + std::to_string(i));
        for (unsigned z = 0; z < ovb::kZones; ++z) {
            sound.zone[z].set_multisample(std::max(first, 1u) + (i * 7 + z * 3) % (last - first));
            sound.zone[z].velocity_high = std::uint8_t(100 + z);
        }
    }
    return bank;
}

std::filesystem::path Scratch(const char* name) {
    return std::filesystem::temp_directory_path() /
           ("ovb-bench-" + std::to_string(getpid()) + "-" + name);
}

void BM_DumpFullBank(benchmark::State& state) {
    const auto bank = FilledBank(0, ovb::kMultisamples, "A");
    const auto out = Scratch("dump.json");
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string text = ovb::DumpDescription(*bank);
        std::ofstream(out, std::ios::binary).write(text.data(), std::streamsize(text.size()));
        size = text.size();
    }
    state.counters["MB"] = double(size) / 1e6;
    std::filesystem::remove(out);
}
BENCHMARK(BM_DumpFullBank)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ApplyFullBank(benchmark::State& state) {
    const std::string text = ovb::DumpDescription(*FilledBank(0, ovb::kMultisamples, "A"));
    const auto out = Scratch("apply.ovs");
    auto bank = std::make_unique<ovb::as_bank>();
    ovb::ScriptedJobServices ui;
    for (auto _ : state) {
        std::string error;
        if (!ovb::ReadDescription(text, *bank, error) || !ovb::WriteScript(*bank, out, ui))
            state.SkipWithError("the description was not applied");
    }
    std::filesystem::remove(out);
}
BENCHMARK(BM_ApplyFullBank)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DiffFullBanks(benchmark::State& state) {
    const auto a = FilledBank(0, ovb::kMultisamples, "A");
    const auto b = FilledBank(0, ovb::kMultisamples, "B");
    std::size_t lines = 0;
    for (auto _ : state)
        lines = ovb::DiffBanks(*a, *b).size();
    state.counters["lines"] = double(lines);
}
BENCHMARK(BM_DiffFullBanks)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MergeHalves(benchmark::State& state) {
    const unsigned half = ovb::kMultisamples / 2;
    const auto full = FilledBank(1, half, "A");
    const auto b = FilledBank(1, half, "B");
    auto a = std::make_unique<ovb::as_bank>();
    for (auto _ : state) {
        state.PauseTiming();
        a->records() = full->records();
        for (unsigned m = 0; m < ovb::kMultisamples; ++m)
            a->paths(m) = full->paths(m);
        ovb::ScriptedJobServices ui;
        state.ResumeTiming();
        if (!ovb::CombineBanks(*a, *b, ui)) state.SkipWithError("B did not fit");
    }
}
BENCHMARK(BM_MergeHalves)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
