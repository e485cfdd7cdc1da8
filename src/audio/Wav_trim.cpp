#include "audio/Wav_trim.h"

#include "audio/Wav_samples.h"
#include "audio/Wav_silence.h"
#include "job/FileIdentity.h"
#include "job/InputFile.h"
#include "job/JobServices.h"
#include "job/PathResolver.h"
#include "job/ReplacingBatch.h"

#include <set>
#include <span>

namespace ovb {

namespace {

constexpr char kProgressTitle[] = "Calculating silence...";

using Paths = std::vector<std::string>;

bool Accepted(WavStatus load, const WavSamples& wav) {
    return load == WavStatus::Ok && wav.layout.dataSize >= 2048u * wav.channels();
}

std::string WhyUnreadable(const std::filesystem::path& host) {
    const InputCheck check = ProbeInput(host);
    return check.ready() ? "File " + host.string() + " cannot be opened"
                         : InputProblemText(host, check);
}

std::span<std::int16_t> Values(WavSamples& wav) {
    return {wav.values.data(), wav.valueCount()};
}

// Calls work(run, batch, host path, samples) for every accepted file, with the progress shown.
// Changed files are put in place a batch at a time; a file listed again is read only after its
// earlier change is in place.
// Scans visit a file once per slot that names it. Rewrites visit each file once (distinct): a
// second fixed cut or a second fade of a file that several slots share would remove audio that
// nobody asked to lose.
template <class Work>
TrimRun ForEachAccepted(const Paths& paths, JobServices& ui, Work work, bool distinct = false) {
    TrimRun run;
    WavSamples wav;
    ProgressScope progress(ui, 'l');
    ReplacingBatch batch;
    PathResolver files;
    std::set<std::string> visited;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        ui.SetProgressText(files.display(paths[i]));
        const std::filesystem::path host = files.file(paths[i]);
        if (batch.waiting(host)) batch.flush();
        // Known by its file, whatever the name: once rewritten, under its new identity too.
        const std::string key = FileKey(host);
        const bool again = distinct && (!visited.insert(key).second || run.changed.count(key));
        const WavStatus load = again ? WavStatus::Rejected : OpenWavSamples(host, wav);
        if (load == WavStatus::Missing || load == WavStatus::CannotOpen)
            run.unreadable.insert(WhyUnreadable(host));
        else if (Accepted(load, wav))
            work(run, batch, host, wav);
        ui.SetProgressText(kProgressTitle);
        ui.SetProgressPercent(unsigned((i + 1) * 100 / paths.size()));
        ui.processEvents();
    }
    batch.flush();
    return run;
}

// Writes frames [first, first + count) as the whole new file. Once it is in place, the change
// and the removed and faded values are counted; a failure is listed instead.
// Values from unchangedEnd on were changed in the buffer (faded).
void Rewrite(TrimRun& run, ReplacingBatch& batch, const std::filesystem::path& host,
             const WavSamples& wav, std::size_t firstFrame, std::uint32_t bytes,
             std::uint64_t removed, std::uint64_t inFades = 0,
             std::size_t unchangedEnd = std::size_t(-1)) {
    WriteTrimmedWav(host, wav, firstFrame * wav.channels(), bytes, unchangedEnd, batch,
                    [&run, host, removed, inFades](const std::string& error) {
                        if (!error.empty()) {
                            run.failures.push_back(host.string() + ": " + error);
                            return;
                        }
                        run.changed.insert(FileKey(host));
                        run.removed += removed;
                        run.inFades += inFades;
                    });
}

} // namespace

TrimRun MeasureStartSilence(const Paths& paths, JobServices& ui) {
    return ForEachAccepted(paths, ui, [](TrimRun& run, auto&, const auto&, WavSamples& wav) {
        if (!ReadSilentHead(wav, kSilenceThresholds.back())) return;
        for (std::size_t t = 0; t < kSilenceThresholds.size(); ++t)
            run.removedAt[t] +=
                SilentHeadFrames(Values(wav), wav.channels(), kSilenceThresholds[t]) *
                wav.channels();
    });
}

TrimRun MeasureEndSilence(const Paths& paths, bool fade, JobServices& ui) {
    return ForEachAccepted(paths, ui, [fade](TrimRun& run, auto&, const auto&, WavSamples& wav) {
        if (!ReadSilentTail(wav, kSilenceThresholds.back())) return;
        const unsigned ch = wav.channels();
        for (std::size_t t = 0; t < kSilenceThresholds.size(); ++t) {
            const std::size_t tail = SilentTailFrames(Values(wav), ch, kSilenceThresholds[t]);
            if (!fade) {
                run.removedAt[t] += tail * ch;
            } else if (tail > kFadeFrames) {
                run.removedAt[t] += (tail - kFadeFrames) * ch;
                run.inFadesAt[t] += kFadeFrames * ch;
            }
        }
    });
}

TrimRun RemoveStartSilence(const Paths& paths, int threshold, JobServices& ui) {
    return ForEachAccepted(
        paths, ui,
        [threshold](TrimRun& run, auto& batch, const auto& host, WavSamples& wav) {
            if (!ReadSilentHead(wav, threshold)) return;
            const unsigned ch = wav.channels();
            const std::size_t head = SilentHeadFrames(Values(wav), ch, threshold);
            if (head == 0) return;
            const std::uint32_t bytes = wav.layout.dataSize - std::uint32_t(head * 2 * ch);
            Rewrite(run, batch, host, wav, head, bytes, head * ch);
        },
        true);
}

TrimRun RemoveEndSilence(const Paths& paths, int threshold, bool fade, JobServices& ui) {
    return ForEachAccepted(
        paths, ui,
        [=](TrimRun& run, auto& batch, const auto& host, WavSamples& wav) {
            if (!ReadSilentTail(wav, threshold)) return;
            const unsigned ch = wav.channels();
            const std::size_t frames = wav.frameCount();
            const std::size_t tail = SilentTailFrames(Values(wav), ch, threshold);
            if (tail == 0 || (fade && tail <= kFadeFrames)) return;
            const std::size_t faded = fade ? kFadeFrames : 0;
            const std::size_t kept = frames - tail + faded;
            if (fade) FadeOut(Values(wav).subspan((frames - tail) * ch, kFadeFrames * ch), ch);
            Rewrite(run, batch, host, wav, 0, std::uint32_t(kept * 2 * ch), (tail - faded) * ch,
                    faded * ch, (frames - tail) * ch);
        },
        true);
}

TrimRun RemoveFixedFrames(const Paths& paths, unsigned frames, JobServices& ui) {
    return ForEachAccepted(
        paths, ui,
        [frames](TrimRun& run, auto& batch, const auto& host, WavSamples& wav) {
            const unsigned ch = wav.channels();
            // Unsigned 32-bit on purpose: a file shorter than the cut wraps round and is left
            // alone.
            const std::uint32_t bytes = wav.layout.dataSize - frames * 2u * ch;
            if (bytes >= wav.layout.dataSize) return;
            Rewrite(run, batch, host, wav, frames, bytes, std::uint64_t(frames) * ch);
        },
        true);
}

} // namespace ovb
