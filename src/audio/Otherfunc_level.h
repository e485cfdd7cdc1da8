#pragma once
// Peak levels of one WAV file and the common gain that normalises a group of files. The gain
// works in single precision and rounds half away from zero, so that a file normalised here has
// exactly the values the user's earlier tools gave.
#include "audio/Wav_samples.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace ovb {

class ReplacingBatch;

// Analysis and gain report a WavStatus, each with its own texts.
const char* AnalyseStatusText(WavStatus status);
const char* GainStatusText(WavStatus status);

// 20 log10(r), or -96.33 for r <= 0 and not-a-number.
double LevelDb(double ratio);
float LevelDbSingle(float ratio);
float GainCoefficient(float gainDb); // 10^(gain / 20)

struct AnalysisResult {
    std::int16_t maxPositive = 0;
    std::int16_t maxNegative = 0;
    std::uint32_t maxAbsolute = 0;
    std::uint64_t positionPositive = 0; // frames once the scan is finished
    std::uint64_t positionNegative = 0;
    std::uint64_t positionAbsolute = 0;
    std::uint8_t channels = 0;
    WavStatus status = WavStatus::NotFinished;
};

// Walks values in file order; only a strictly greater value replaces, so ties keep the first.
// Called again with the next values of the same file (firstIndex: the index of values[0]), it
// goes on where it stopped. Positions are value indices until AnalyseFile turns them to frames.
void ScanPeaks(std::span<const std::int16_t> values, AnalysisResult& result,
               std::uint64_t firstIndex = 0);
// Reads the file a piece at a time: memory stays small whatever its length.
AnalysisResult AnalyseFile(const std::filesystem::path& path);

// v scaled by the coefficient, rounded half away from zero and clamped to 16 bits.
std::int16_t ScaleValue(std::int16_t v, float coefficient);
// ScaleValue over many values.
void ScaleValues(std::span<std::int16_t> values, float coefficient);

struct GainOutcome {
    WavStatus status = WavStatus::NotFinished;
    std::string reason; // why the file could not be written; the file is then unchanged
};
GainOutcome ApplyGainToFile(const std::filesystem::path& path, float coefficient);
// For runs over many files: the file is put in place at the batch's next flush (or refused at
// once); done learns the outcome then.
void ApplyGainToFile(const std::filesystem::path& path, float coefficient, ReplacingBatch& batch,
                     std::function<void(const GainOutcome&)> done);

} // namespace ovb
