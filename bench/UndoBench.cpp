// Undo steps of bulk tools over a full bank: recording the step (the comparison with the last
// committed state) and undoing it, each with a target of under 100 ms. The copy of the whole
// bank (records and paths) is the yardstick: a step should cost about what one copy costs.
#include "bank/Acc_bank_structure.h"
#include "bank/UndoStack.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using ovb::as_bank;
using ovb::kMultisamples;
using ovb::kSamplesPerMultisample;

// A full bank: every slot holds a path of typical length, every sound and multisample a name.
std::unique_ptr<as_bank> FullBank() {
    auto bank = std::make_unique<as_bank>();
    char text[80];
    for (unsigned m = 0; m < kMultisamples; ++m) {
        for (unsigned s = 0; s < kSamplesPerMultisample; ++s) {
            std::snprintf(text, sizeof text, "D:\\Library\\Strings\\Ensemble %05u\\Note %02u.wav",
                          m, s);
            bank->path(m, s) = text;
        }
        std::snprintf(text, sizeof text, "MS %05u", m);
        std::memcpy(bank->multisample(m).name.data(), text, std::strlen(text));
    }
    for (unsigned i = 0; i < ovb::kSounds; ++i) {
        std::snprintf(text, sizeof text, "Sound %05u", i);
        std::memcpy(bank->sound(i).name.data(), text, std::strlen(text));
    }
    return bank;
}

// The bulk tools measured: a path replacement over every slot, and renaming every sound.
void ReplaceEveryPath(as_bank& bank, unsigned round) {
    const std::string drive = round % 2 ? "E:" : "D:";
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (std::string& path : bank.paths(m))
            path.replace(0, 2, drive);
}

void RenameEverySound(as_bank& bank, unsigned round) {
    for (unsigned i = 0; i < ovb::kSounds; ++i)
        bank.sound(i).name[0] = round % 2 ? 's' : 'S';
}

template <void (*Change)(as_bank&, unsigned)> void BM_RecordStep(benchmark::State& state) {
    auto bank = FullBank();
    std::string owner;
    ovb::UndoStack stack(*bank, owner);
    unsigned round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Change(*bank, ++round);
        state.ResumeTiming();
        benchmark::DoNotOptimize(stack.Commit(*bank, owner, "Bulk"));
    }
    state.counters["step_MiB"] = double(stack.Memory()) / double(stack.StepCount()) / 1048576.0;
}
BENCHMARK(BM_RecordStep<ReplaceEveryPath>)
    ->Name("BM_RecordEveryPathReplaced")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordStep<RenameEverySound>)
    ->Name("BM_RecordEverySoundRenamed")
    ->Unit(benchmark::kMillisecond);

// Each iteration undoes the step and the next redoes it: both restore the whole change.
template <void (*Change)(as_bank&, unsigned)> void BM_UndoStep(benchmark::State& state) {
    auto bank = FullBank();
    std::string owner;
    ovb::UndoStack stack(*bank, owner);
    Change(*bank, 1);
    stack.Commit(*bank, owner, "Bulk");
    for (auto _ : state)
        benchmark::DoNotOptimize(stack.CanUndo() ? stack.Undo(*bank, owner)
                                                 : stack.Redo(*bank, owner));
}
BENCHMARK(BM_UndoStep<ReplaceEveryPath>)
    ->Name("BM_UndoEveryPathReplaced")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoStep<RenameEverySound>)
    ->Name("BM_UndoEverySoundRenamed")
    ->Unit(benchmark::kMillisecond);

// What every refresh pays when nothing changed: the comparison alone.
void BM_CommitNothingChanged(benchmark::State& state) {
    auto bank = FullBank();
    std::string owner;
    ovb::UndoStack stack(*bank, owner);
    for (auto _ : state)
        benchmark::DoNotOptimize(stack.Commit(*bank, owner, "None"));
}
BENCHMARK(BM_CommitNothingChanged)->Unit(benchmark::kMillisecond);

// The yardstick: one plain copy of the whole full bank.
void BM_CopyWholeBank(benchmark::State& state) {
    auto bank = FullBank();
    auto block = std::make_unique_for_overwrite<std::uint8_t[]>(sizeof(ovb::as_bank_records));
    std::vector<ovb::SamplePathList> paths(kMultisamples);
    for (auto _ : state) {
        std::memcpy(block.get(), &bank->records(), sizeof(ovb::as_bank_records));
        for (unsigned m = 0; m < kMultisamples; ++m)
            paths[m] = bank->paths(m);
        benchmark::DoNotOptimize(block.get());
    }
}
BENCHMARK(BM_CopyWholeBank)->Unit(benchmark::kMillisecond);

} // namespace
