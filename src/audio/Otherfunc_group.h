#pragma once
// Level analysis and normalising over a group of WAV files: one multisample's paths or files
// the user picked. Paths are stored texts (see PathResolver); empty texts are skipped.
#include <cstdint>
#include <string>
#include <vector>

namespace ovb {

class JobServices;

struct LoudestRecord {
    std::uint32_t maxAbsolute = 0;
    std::uint64_t position = 0;
    std::uint32_t analysed = 0; // files analysed without error
    std::string path;           // at most 255 bytes
    unsigned errors = 0;        // files that could not be analysed
};

LoudestRecord AnalyseGroup(const std::vector<std::string>& paths, JobServices& ui, bool showErrors);
void ShowAnalysisResult(const LoudestRecord& loudest, JobServices& ui);

struct GainGroupResult {
    unsigned errors = 0;
    unsigned changedFiles = 0; // distinct files rewritten
};
// A file listed more than once (one sample in several slots) is changed once.
GainGroupResult ApplyGainToGroup(const std::vector<std::string>& paths, float coefficient,
                                 JobServices& ui, bool showErrors);

// The two menu actions: analyse and show; analyse, show and offer to normalise to -0.5 dB.
// Finding is false when a file could not be analysed.
bool FindLoudestFile(const std::vector<std::string>& paths, JobServices& ui);
// Normalising is false when the user declined or a file could not be analysed or changed.
bool NormaliseGroup(const std::vector<std::string>& paths, JobServices& ui);

} // namespace ovb
