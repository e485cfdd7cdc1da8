#pragma once
// Measuring and cutting silence, and cutting a fixed number of frames, over every sample file
// of a bank (or any list of stored paths). Only files the module plays with at least 1024
// frames of audio are looked at; others are passed over without a word, as the user expects
// from a bulk tool. Files that are missing or cannot be opened are listed: the job is not whole.
// A file listed in several slots is visited once per slot.
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace ovb {

class JobServices;
struct TrimRun {
    // In 16-bit values: a stereo frame counts 2.
    std::uint64_t removed = 0;
    std::uint64_t inFades = 0;
    // The measurements, one entry per threshold of kSilenceThresholds.
    std::array<std::uint64_t, 20> removedAt{};
    std::array<std::uint64_t, 20> inFadesAt{};
    std::set<std::string> changed;     // distinct files rewritten
    std::set<std::string> unreadable;  // why files were not there or could not be opened
    std::vector<std::string> failures; // "path: reason" of files that could not be rewritten
};

TrimRun MeasureStartSilence(const std::vector<std::string>& paths, JobServices& ui);
TrimRun MeasureEndSilence(const std::vector<std::string>& paths, bool fade, JobServices& ui);
TrimRun RemoveStartSilence(const std::vector<std::string>& paths, int threshold, JobServices& ui);
// With fade, only tails longer than the fade are touched: 96 frames are kept and faded.
TrimRun RemoveEndSilence(const std::vector<std::string>& paths, int threshold, bool fade,
                         JobServices& ui);
// Files not longer than the cut are left alone; one exactly as long keeps an empty data chunk.
TrimRun RemoveFixedFrames(const std::vector<std::string>& paths, unsigned frames, JobServices& ui);

} // namespace ovb
