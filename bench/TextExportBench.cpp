// The text listing of a full bank: every record named, so every line is at full length. The
// listing is meant to take well under 100 ms, file write and flush to the disk included.
#include "bank/TextExport.h"
#include "job/ScriptedJobServices.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

template <std::size_t N> void Fill(ovb::Name<N>& name, const char* kind, unsigned i) {
    name.fill(' ');
    std::string text = kind + std::to_string(i);
    text.copy(name.data(), std::min(text.size(), N));
}

void FillBank(ovb::as_bank& bank) {
    auto& r = bank.records();
    for (unsigned i = 0; i < ovb::kScenes; ++i)
        Fill(r.scene[i].name, "Scene ", i);
    for (unsigned i = 0; i < ovb::kSetups; ++i) {
        Fill(r.solo[i].name, "Solo ", i);
        Fill(r.acomp[i].name, "Acomp ", i);
        Fill(r.fbass[i].name, "F.bass ", i);
        Fill(r.chord[i].name, "Chord ", i);
    }
    for (unsigned i = 0; i < ovb::kSounds; ++i)
        Fill(r.sound[i].name, "Sound ", i);
    for (unsigned i = 0; i < ovb::kMultisamples; ++i)
        Fill(r.multisample[i].name, "MS ", i);
}

void BM_ExportTextFullBank(benchmark::State& state) {
    ovb::as_bank bank;
    FillBank(bank);
    auto out = std::filesystem::temp_directory_path() /
               ("ovb-bench-listing-" + std::to_string(getpid()) + ".txt");
    ovb::ScriptedJobServices ui;
    for (auto _ : state) {
        if (!ovb::ExportText(bank, out, ui)) state.SkipWithError("the listing was not written");
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(std::filesystem::file_size(out)));
    std::filesystem::remove(out);
}
BENCHMARK(BM_ExportTextFullBank)->Unit(benchmark::kMillisecond);

} // namespace
