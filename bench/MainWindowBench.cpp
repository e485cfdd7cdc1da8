// The main window's full refresh, which runs after every load, reset and page change, on a bank
// whose every record has a name: the worst case for the lists it rewrites. Target: under 50 ms.
#include "ui/Mainform.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

using namespace ovb;

template <std::size_t N> void SetName(Name<N>& name, const char* prefix, unsigned i, char mark) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %c%05u", prefix, mark, i);
    name.fill('.'); // no padding left: every byte of the name is text
    std::copy_n(text, std::min(N, std::strlen(text)), name.begin());
}

// Every name of every table, with a mark character that differs between two generations so that
// each refresh finds every list item changed.
void NameEverything(as_bank& bank, as_bank& manager, char mark) {
    for (unsigned i = 0; i < kScenes; ++i) {
        SetName(bank.scene(i).name, "Scene", i, mark);
        SetName(bank.solo(i).name, "Solo", i, mark);
        SetName(bank.acomp(i).name, "Acomp", i, mark);
        SetName(bank.fbass(i).name, "Fbass", i, mark);
        SetName(bank.chord(i).name, "Chord", i, mark);
    }
    for (unsigned i = 0; i < kSounds; ++i) {
        SetName(bank.sound(i).name, "Snd", i, mark);
        SetName(manager.sound(i).name, "Mgr", i, mark);
    }
    for (unsigned i = 1; i < kMultisamples; ++i)
        SetName(bank.multisample(i).name, "MS", i, mark);
}

TForm1& Window() {
    static TForm1* form = [] {
        auto* f = new TForm1;
        f->show();
        NameEverything(f->bank(), f->managerBank(), 'a');
        f->RefreshViews(refresh::All);
        QCoreApplication::processEvents();
        return f;
    }();
    return *form;
}

// Nothing changed since the last refresh: the cost of comparing every item.
void BM_RefreshAllUnchanged(benchmark::State& state) {
    TForm1& form = Window();
    for (auto _ : state)
        form.RefreshViews(refresh::All);
}
BENCHMARK(BM_RefreshAllUnchanged)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Every name changed (a load of another bank): every item of every list is rewritten.
void BM_RefreshAllEveryNameChanged(benchmark::State& state) {
    TForm1& form = Window();
    char mark = 'b';
    for (auto _ : state) {
        state.PauseTiming();
        NameEverything(form.bank(), form.managerBank(), mark);
        mark = mark == 'b' ? 'c' : 'b';
        state.ResumeTiming();
        form.RefreshViews(refresh::All);
    }
}
BENCHMARK(BM_RefreshAllEveryNameChanged)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
