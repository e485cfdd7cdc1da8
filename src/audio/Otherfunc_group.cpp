#include "audio/Otherfunc_group.h"

#include "audio/Otherfunc_level.h"
#include "base/Formatting.h"
#include "job/FileIdentity.h"
#include "job/JobServices.h"
#include "job/PathResolver.h"
#include "job/ReplacingBatch.h"

#include <optional>
#include <set>

namespace ovb {

namespace {

constexpr std::size_t kMaxRecordPath = 255;

// Asks whether to show the collected error lines and shows them with the count on top.
void OfferErrors(JobServices& ui, std::vector<std::string>& lines, unsigned errors,
                 const char* question, const char* firstLine) {
    if (errors == 0) return;
    if (!ui.yes("Info", Format(question, errors), AskPurpose::Harmless)) return;
    lines.insert(lines.begin(), Format(firstLine, errors));
    ui.ShowReport("Report: ERRORS", lines);
    ui.CloseReport();
}

void ShowFileProgress(JobServices& ui, const std::string& shownPath, std::size_t i, std::size_t n) {
    ui.SetProgressPercent(unsigned(i * 100 / n));
    ui.SetProgressDetail(std::string(StoredFileName(shownPath)));
    ui.processEvents();
}

} // namespace

LoudestRecord AnalyseGroup(const std::vector<std::string>& paths, JobServices& ui,
                           bool showErrors) {
    LoudestRecord loudest;
    std::vector<std::string> errorLines;
    unsigned& errors = loudest.errors;
    if (paths.empty()) return loudest;
    {
        ProgressScope progress(ui, 'r');
        ui.SetProgressText("Analizing WAV files...");
        PathResolver files;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            ShowFileProgress(ui, files.display(paths[i]), i, paths.size());
            if (paths[i].empty()) continue;
            const AnalysisResult r = AnalyseFile(files.file(paths[i]));
            if (r.status != WavStatus::Ok) {
                errorLines.push_back(std::string("ERROR: ") + AnalyseStatusText(r.status));
                errorLines.push_back("FILE.: " + files.display(paths[i]));
                ++errors;
                continue;
            }
            ++loudest.analysed;
            if (r.maxAbsolute > loudest.maxAbsolute) {
                loudest.maxAbsolute = r.maxAbsolute;
                loudest.position = r.positionAbsolute;
                loudest.path = paths[i].substr(0, kMaxRecordPath);
            }
        }
    }
    if (showErrors)
        OfferErrors(ui, errorLines, errors,
                    "Found %u errors when analize WAV files!!!\n\nShow errors ?",
                    "Found %u errors when analize WAV files!!!");
    return loudest;
}

void ShowAnalysisResult(const LoudestRecord& loudest, JobServices& ui) {
    if (loudest.analysed == 0) {
        ui.message("Analize Result:", "No analized WAV files !");
        return;
    }
    const double level = LevelDb(loudest.maxAbsolute / 32768.0);
    ui.message("Analize Result:",
               Format("Analized %u WAV files.\n\nLoudest WAV file path:\n\n%s\n\nMax sample "
                      "value:  %d / %fdB\nSample position..:  %u",
                      loudest.analysed, DisplayPath(loudest.path).c_str(), int(loudest.maxAbsolute),
                      level, unsigned(loudest.position & 0xFFFFFFFFu)));
}

GainGroupResult ApplyGainToGroup(const std::vector<std::string>& paths, float coefficient,
                                 JobServices& ui, bool showErrors) {
    GainGroupResult result;
    if (paths.empty()) return result;
    // Files are put in place a batch at a time; the outcomes are reported in list order.
    std::vector<std::optional<GainOutcome>> outcomes(paths.size());
    PathResolver files;
    {
        ProgressScope progress(ui, 'w');
        ui.SetProgressText("Apply GAIN to WAV files...");
        std::set<std::string> taken;
        ReplacingBatch batch;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            ShowFileProgress(ui, files.display(paths[i]), i, paths.size());
            if (paths[i].empty()) continue;
            const std::filesystem::path host = files.file(paths[i]);
            // A file that several slots (or names) share takes the gain once; twice would clip it.
            const std::string key = FileKey(host);
            if (taken.count(key) != 0) continue;
            ApplyGainToFile(host, coefficient, batch,
                            [&outcomes, &taken, host, i](const GainOutcome& g) {
                                outcomes[i] = g;
                                // The file in place is a new file: known by that one too.
                                if (g.status == WavStatus::Ok) taken.insert(FileKey(host));
                            });
            if (!outcomes[i] || outcomes[i]->status == WavStatus::Ok) taken.insert(key);
        }
        batch.flush();
    }
    std::vector<std::string> errorLines;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!outcomes[i]) continue;
        const GainOutcome& g = *outcomes[i];
        if (g.status == WavStatus::Ok) {
            ++result.changedFiles;
            continue;
        }
        errorLines.push_back(std::string("ERROR: ") + GainStatusText(g.status));
        errorLines.push_back("FILE.: " + files.display(paths[i]));
        if (!g.reason.empty()) errorLines.push_back("WHY..: " + g.reason);
        ++result.errors;
    }
    if (showErrors)
        OfferErrors(ui, errorLines, result.errors,
                    "Found %u errors when aplly GAIN to WAV files!!!\n\nShow errors ?",
                    "Found %u errors when apply GAIN to WAV files!!!");
    return result;
}

bool FindLoudestFile(const std::vector<std::string>& paths, JobServices& ui) {
    const LoudestRecord loudest = AnalyseGroup(paths, ui, true);
    ShowAnalysisResult(loudest, ui);
    return loudest.errors == 0;
}

bool NormaliseGroup(const std::vector<std::string>& paths, JobServices& ui) {
    const LoudestRecord loudest = AnalyseGroup(paths, ui, true);
    ShowAnalysisResult(loudest, ui);
    const float level = LevelDbSingle(float(loudest.maxAbsolute) * (1.0f / 32768.0f));
    if (level >= -0.5f) {
        ui.message("Calculation Result:",
                   Format("No need to execute NORMALIZE to -0.5dB, \nbecouse curent max level "
                          "alredy is %fdB",
                          double(level)));
        return loudest.errors == 0;
    }
    const float gain = (level + 0.5f) * -1.0f;
    const float coefficient = GainCoefficient(gain);
    if (!ui.yes("Calculation Result:",
                Format("Curent max sample level in samples:  %u\nCurent max sample level in db: "
                       " %fdB\nPossible GAIN to -0.5dB:  +%fdB\nPossible GAIN in coefficent:  "
                       "x%f\n\nContinue with NORMALISE ?",
                       loudest.maxAbsolute, double(level), double(gain), double(coefficient))))
        return false;
    if (!ui.yes("Start NORMALIZE:", "Are You Sure ?")) return false;
    const GainGroupResult r = ApplyGainToGroup(paths, coefficient, ui, true);
    if (r.errors == 0)
        ui.message("Normalize procedure report",
                   Format("Normalize OK!\n\nFiles changed: %u", r.changedFiles));
    return r.errors == 0 && loudest.errors == 0;
}

} // namespace ovb
