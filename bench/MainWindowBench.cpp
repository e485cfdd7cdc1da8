// The main window with a full bank (FullBank.h, every name set): the full refresh that runs after
// every load, reset and page change (target < 50 ms), switching pages (< 50 ms), scrolling the
// multisample list, the sample grid and the sound list (no frame over 16 ms: see the max_ms
// counters) and, given --bank-folder=DIR, opening the full bank file from the File menu (the
// script compares it with `ovbank info` of the same file: target < 1 s beyond it).
#include "FullBank.h"
#include "ui/Mainform.h"
#include "ui/RecordGrid.h"
#include "ui/RecordPage.h"
#include "ui/SampleGrid.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

using namespace ovb;

TForm1& Window() {
    static TForm1* form = [] {
        auto* f = new TForm1;
        f->resize(1180, 720);
        f->show();
        // Message boxes ("Bank loading OK!") are clicked away at once.
        f->jobServices().setDialogRunner([](QDialog& dialog) { dialog.accept(); });
        bench::CopyBank(*bench::FullBank(), f->bank());
        bench::NameEverything(f->bank(), f->managerBank(), 'a');
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
        bench::NameEverything(form.bank(), form.managerBank(), mark);
        mark = mark == 'b' ? 'c' : 'b';
        state.ResumeTiming();
        form.RefreshViews(refresh::All);
    }
}
BENCHMARK(BM_RefreshAllEveryNameChanged)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Switching to page N (the argument) from the page before it, up to the page painted.
void BM_SwitchPage(benchmark::State& state) {
    TForm1& form = Window();
    QTabWidget* tabs = form.pageControl();
    const int to = int(state.range(0));
    double longest = 0;
    for (auto _ : state) {
        tabs->setCurrentIndex((to + tabs->count() - 1) % tabs->count());
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        tabs->setCurrentIndex(to);
        tabs->currentWidget()->repaint();
        QCoreApplication::processEvents();
        const double seconds = double(clock.nsecsElapsed()) * 1e-9;
        state.SetIterationTime(seconds);
        longest = std::max(longest, seconds * 1000);
    }
    state.counters["max_ms"] = longest;
}
BENCHMARK(BM_SwitchPage)
    ->DenseRange(0, 7)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(15);

// Frames of scrolling: each moves the view by a wheel step (3 rows; argument 0) or a page
// (argument 1), wrapping at the end, and paints it. The longest frame is the max_ms counter.
enum class Scrolled { MultisampleList, SampleGrid, SoundList };

QAbstractItemView* View(TForm1& form, Scrolled which) {
    switch (which) {
    case Scrolled::MultisampleList:
        return form.multisamplePage()->grid();
    case Scrolled::SampleGrid:
        return form.multisamplePage()->sampleGrid();
    case Scrolled::SoundList:
        break;
    }
    return static_cast<RecordPage*>(form.editorPages().widget(page::Sound))->grid();
}

template <Scrolled Which> void BM_Scroll(benchmark::State& state) {
    TForm1& form = Window();
    QAbstractItemView* view = View(form, Which);
    form.pageControl()->setCurrentIndex(Which == Scrolled::SoundList ? page::Sound
                                                                     : page::Multisample);
    QCoreApplication::processEvents();
    QScrollBar* bar = view->verticalScrollBar();
    const int step = state.range(0) == 0 ? 3 * bar->singleStep() : bar->pageStep();
    double longest = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        bar->setValue(bar->value() + step > bar->maximum() ? 0 : bar->value() + step);
        view->viewport()->repaint();
        const double seconds = double(clock.nsecsElapsed()) * 1e-9;
        state.SetIterationTime(seconds);
        longest = std::max(longest, seconds * 1000);
    }
    state.counters["max_ms"] = longest;
}
BENCHMARK(BM_Scroll<Scrolled::MultisampleList>)
    ->Name("BM_ScrollMultisampleList")
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(300);
BENCHMARK(BM_Scroll<Scrolled::SampleGrid>)
    ->Name("BM_ScrollSampleGrid")
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(300);
BENCHMARK(BM_Scroll<Scrolled::SoundList>)
    ->Name("BM_ScrollSoundList")
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(300);

// File > Open Bank with the full bank file chosen, up to the bank shown.
void BM_OpenFullBankFromMenu(benchmark::State& state, const QString& path) {
    TForm1& form = Window();
    form.fileDialog = [path](const FileDialogRequest&) { return path; };
    QAction* open = form.command(Command::OpenBank);
    for (auto _ : state) {
        open->trigger();
        QCoreApplication::processEvents();
    }
    if (form.currentFileName() != path.toStdString()) state.SkipWithError("the bank did not open");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const char* prefix = "--bank-folder=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix, std::strlen(prefix)) != 0) continue;
        const auto bank = bench::FullBankFile(argv[i] + std::strlen(prefix));
        if (bank.empty()) {
            std::fprintf(stderr, "cannot make the full bank file in %s\n", argv[i]);
            return 1;
        }
        benchmark::RegisterBenchmark("BM_OpenFullBankFromMenu", BM_OpenFullBankFromMenu,
                                     QString::fromStdString(bank.string()))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
