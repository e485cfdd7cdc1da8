// Writing the planned files on worker threads while the job's own thread keeps the progress
// window alive and watches its Cancel; then the questions around the run.
#include "bank/Acc_bank_structure.h"
#include "base/Formatting.h"
#include "job/PathResolver.h"
#include "tools/Conform.h"
#include "tools/ConformAudio.h"
#include "tools/LibraryPaths.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace ovb {

namespace {

struct Outcome {
    ConvertOutcome what = ConvertOutcome::Cancelled; // not started
    std::string error;
};

unsigned Workers(const ConformOptions& options, std::size_t files) {
    unsigned n =
        options.parallelFiles ? options.parallelFiles : std::thread::hardware_concurrency();
    return unsigned(std::clamp<std::size_t>(n, 1, std::max<std::size_t>(files, 1)));
}

// The job's thread: progress and Cancel until every worker has finished.
void Watch(JobServices& ui, const bool& cancelPressed, std::atomic<bool>& stop,
           const std::atomic<std::size_t>& finished, std::size_t files,
           const std::atomic<std::uint64_t>& framesRead, std::uint64_t totalFrames) {
    while (finished.load() < files) {
        ui.processEvents();
        if (cancelPressed) stop = true;
        const std::uint64_t done = framesRead.load();
        ui.SetProgressPercent(
            unsigned(totalFrames ? std::min<std::uint64_t>(done * 100 / totalFrames, 100) : 0));
        ui.SetProgressDetail(Format("%zu of %zu files", finished.load(), files));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace

ConformResult RunConform(const ConformPlan& plan, const ConformOptions& options, JobServices& ui) {
    std::vector<const ConformItem*> work;
    std::uint64_t totalFrames = 0;
    for (const ConformItem& item : plan.items)
        if (item.action == ConformAction::Rewrap || item.action == ConformAction::Convert) {
            work.push_back(&item);
            totalFrames += item.frames;
        }
    std::vector<Outcome> outcomes(work.size());
    // Found here, before the workers start: a resolver serves one thread.
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> files;
    PathResolver resolver;
    for (const ConformItem* item : work)
        files.emplace_back(resolver.file(item->source), resolver.forWriting(item->target));
    bool cancelPressed = false;
    std::atomic<bool> stop{false};
    std::atomic<std::size_t> next{0}, finished{0};
    std::atomic<std::uint64_t> framesRead{0};
    const unsigned workers = Workers(options, work.size());
    {
        ProgressScope progress(ui, 'w', &cancelPressed);
        ui.SetProgressText("Conforming WAV files to 48 kHz / 16-bit...");
        ConvertControl control{&stop, &framesRead, 1};
        // A lone file gets the processors through the resampler's own threads.
        if (workers == 1)
            control.resamplerThreads = std::max(1u, std::thread::hardware_concurrency());
        auto worker = [&] {
            for (std::size_t i; (i = next++) < work.size(); ++finished) {
                if (stop) continue;
                outcomes[i].what =
                    ConvertToModuleWav(files[i].first, files[i].second, control, outcomes[i].error);
            }
        };
        std::vector<std::thread> threads;
        for (unsigned t = 0; t < workers; ++t)
            threads.emplace_back(worker);
        Watch(ui, cancelPressed, stop, finished, work.size(), framesRead, totalFrames);
        for (std::thread& t : threads)
            t.join();
    }
    ConformResult result;
    result.cancelled = stop;
    for (std::size_t i = 0; i < work.size(); ++i) {
        switch (outcomes[i].what) {
        case ConvertOutcome::Written:
            result.written[work[i]->source] = work[i]->target;
            ++(work[i]->action == ConformAction::Rewrap ? result.rewrapped : result.converted);
            break;
        case ConvertOutcome::Failed:
            result.failures.push_back(DisplayPath(work[i]->source) + ": " + outcomes[i].error);
            break;
        case ConvertOutcome::Cancelled:
            ++result.notDone;
            break;
        }
    }
    return result;
}

ConformSession ConformWavFiles(const std::vector<std::string>& paths, const ConformOptions& options,
                               as_bank* bank, bool askToStart, JobServices& ui) {
    ConformSession s;
    s.plan = PlanConform(paths, options, &ui);
    const unsigned n = s.plan.toWrite();
    if (n == 0) {
        if (s.plan.items.empty()) {
            ui.message(kConformCaption, "No WAV files to conform.");
            return s;
        }
        ui.message(kConformCaption,
                   Format("No file to convert: %u already accepted, %u refused, %u missing.",
                          s.plan.count(ConformAction::Keep), s.plan.count(ConformAction::Refuse),
                          s.plan.count(ConformAction::Missing)));
        if (!s.clean()) {
            ui.ShowReport("Report: Conform WAV files", ConformPreviewReport(s.plan));
            ui.CloseReport();
        }
        return s;
    }
    ui.ShowReport("Report: Conform WAV files (preview)", ConformPreviewReport(s.plan));
    ui.CloseReport();
    if (askToStart &&
        !ui.yes(kConformCaption,
                Format("Write %u conformed WAV files (48 kHz / 16-bit)?\nThe original files "
                       "are not changed.",
                       n)))
        return s;
    s.started = true;
    s.result = RunConform(s.plan, options, ui);
    ui.ShowReport("Report: Conform WAV files", ConformFinalReport(s.plan, s.result));
    ui.CloseReport();
    if (bank && !s.result.cancelled && !s.result.written.empty() &&
        ui.yes(kConformCaption, Format("Change the bank's paths to the %zu conformed files?",
                                       s.result.written.size())))
        s.slotsUpdated = ReplaceSamplePaths(*bank, s.result.written);
    return s;
}

} // namespace ovb
