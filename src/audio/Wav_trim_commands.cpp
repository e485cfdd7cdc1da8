#include "audio/Wav_trim_commands.h"

#include "audio/Wav_silence.h"
#include "audio/Wav_trim.h"
#include "base/Formatting.h"
#include "job/JobServices.h"

#include <charconv>

namespace ovb {

namespace {

constexpr char kDashes[] = "-----------------------------------------------------------";
constexpr char kEditor[] = "Sample Editor";
constexpr char kWarning[] = "WARNING!!!";

std::string N(std::uint64_t v) {
    return FormatWithSpaces(v);
}

bool Warn(JobServices& ui, const char* what, const char* where) {
    return ui.yes(kWarning, std::string("WARNING!!!\nThis function try to remove ") + what +
                                " from " + where +
                                " of EVERY ONE WAV file loaded in you multisample list!\nThis "
                                "will make permanent change in you WAV files!\n\nAre You Sure "
                                "to continue?") &&
           ui.yes(kWarning, "WARNING!!!\nAre You REALLY Sure to continue?");
}

// Lists the files that could not be read or written; false when there are any.
bool ReportFailures(JobServices& ui, const TrimRun& run) {
    if (run.unreadable.empty() && run.failures.empty()) return true;
    std::vector<std::string> lines;
    if (!run.unreadable.empty()) {
        lines.push_back("Files that could not be read: " + N(run.unreadable.size()));
        lines.insert(lines.end(), run.unreadable.begin(), run.unreadable.end());
    }
    if (!run.failures.empty()) {
        lines.push_back("Files left unchanged because they could not be written: " +
                        N(run.failures.size()));
        lines.insert(lines.end(), run.failures.begin(), run.failures.end());
    }
    ui.ShowReport("Report: ERRORS", lines);
    ui.CloseReport();
    return false;
}

// The closing message, how many distinct files changed, and the files that failed.
bool Close(JobServices& ui, const TrimRun& run, std::string text) {
    if (!text.ends_with('\n')) text += '\n';
    text += "Changed files: " + N(run.changed.size());
    ui.message(kEditor, text);
    return ReportFailures(ui, run);
}

std::vector<std::string> ScanReport(const TrimRun& run, const char* title, bool fades) {
    std::vector<std::string> lines{title, kDashes};
    for (std::size_t t = 0; t < kSilenceThresholds.size(); ++t) {
        std::string line = "Treshold value:  +/-" + N(unsigned(kSilenceThresholds[t])) +
                           "     Removed: " + N(run.removedAt[t] * 2) + " bytes, ";
        if (fades) line += "     In Fades: " + N(run.inFadesAt[t] * 2) + " bytes.";
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace

std::vector<std::string> StartScanReport(const TrimRun& run) {
    return ScanReport(run, "REPORT: Delete empty samples from START of WAV files!", false);
}
std::vector<std::string> EndScanReport(const TrimRun& run) {
    return ScanReport(run, "REPORT: Delete empty samples from end of WAV files!", true);
}

bool CheckStartSilence(const std::vector<std::string>& paths, JobServices& ui) {
    const TrimRun run = MeasureStartSilence(paths, ui);
    ui.ShowReport("Report: Scan Report", StartScanReport(run));
    ui.CloseReport();
    return ReportFailures(ui, run);
}

bool CheckEndSilence(const std::vector<std::string>& paths, bool fade, JobServices& ui) {
    const TrimRun run = MeasureEndSilence(paths, fade, ui);
    ui.ShowReport("Report: Scan Report", EndScanReport(run));
    ui.CloseReport();
    return ReportFailures(ui, run);
}

bool TrimStartSilence(const std::vector<std::string>& paths, unsigned tableIndex, JobServices& ui) {
    if (tableIndex >= kSilenceThresholds.size() || !Warn(ui, "silence", "START")) return false;
    const TrimRun run = RemoveStartSilence(paths, kSilenceThresholds[tableIndex], ui);
    return Close(ui, run,
                 "Removed samples: " + N(run.removed) + " samples = " + N(run.removed * 2) +
                     " bytes.\n");
}

bool TrimEndSilence(const std::vector<std::string>& paths, int threshold, bool fade,
                    JobServices& ui) {
    if (!Warn(ui, "silence", "end")) return false;
    const TrimRun run = RemoveEndSilence(paths, threshold, fade, ui);
    return Close(ui, run,
                 "Null samples: " + N(run.removed) + " samples = " + N(run.removed * 2) +
                     " bytes.\n" + "Total samples in fades: " + N(run.inFades) +
                     " samples = " + N(run.inFades * 2) + " bytes.");
}

bool ConfirmFixedRemoval(JobServices& ui) {
    return Warn(ui, "FIXED COUNT OF SAMPLES", "START");
}

int ParseSampleCount(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end) return -1;
    return value;
}

bool TrimFixedCount(const std::vector<std::string>& paths, std::string_view entered,
                    JobServices& ui) {
    const int n = ParseSampleCount(entered);
    const char* refusal = n < 0      ? "Invalid Value!"
                          : n == 0   ? "No possible to remove 0 samples!"
                          : n > 2048 ? "Max samples for remove is 2048!"
                                     : nullptr;
    if (refusal) {
        ui.message(refusal, "ERROR");
        return false;
    }
    if (!ui.yes(kWarning, "WARNING!!!\nAre You REALLY Sure to continue with REMOVING " +
                              N(unsigned(n)) + " samples?"))
        return false;
    const TrimRun run = RemoveFixedFrames(paths, unsigned(n), ui);
    return Close(
        ui, run,
        "Stereo samples are included in calculation like 2 mono samples!\n\nTotally removed "
        "samples:\nRemoved " +
            N(run.removed) + " aligned to MONO samples >> equal to " + N(run.removed * 2) +
            " bytes.\n");
}

} // namespace ovb
