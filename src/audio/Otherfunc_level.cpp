#include "audio/Otherfunc_level.h"

#include "audio/Wav_samples.h"
#include "job/ReplacingBatch.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ovb {

namespace {

const char* const kAnalyseTexts[] = {
    "ANALISE_OK",
    "ANALISE_FILE_NOT_EXIST",
    "ANALISE_ERROR_OPEN_FILE",
    "ANALISE_INVALID_WAV_FILE_FORMAT",
    "ANALISE_NO_DATA_CHUNK",
    "ANALISE_NULL_SIZE_WAV_FILE",
    "ANALISE_ERROR_TMEMORY_STREAM",
    "ANALISE_INIT_STATUS",
};
const char* const kGainTexts[] = {
    "APPLY_GAIN_OK",
    "APPLY_GAIN_FILE_NOT_EXIST",
    "APPLY_GAIN_ERROR_OPEN_FILE",
    "APPLY_GAIN_INVALID_WAV_FILE_FORMAT",
    "APPLY_GAIN_NO_DATA_CHUNK",
    "APPLY_GAIN_NULL_SIZE_WAV_FILE",
    "APPLY_GAIN_ERROR_TMEMORY_STREAM",
    "APPLY_GAIN_INIT_STATUS",
};

std::uint8_t StatusOf(WavLoad load) {
    switch (load) {
    case WavLoad::Ok:
        return kLevelOk;
    case WavLoad::Missing:
        return kLevelFileNotExist;
    case WavLoad::CannotOpen:
        return kLevelErrorOpenFile;
    case WavLoad::Rejected:
        return kLevelInvalidFormat;
    case WavLoad::NoData:
        return kLevelNoDataChunk;
    case WavLoad::Empty:
        return kLevelNullSize;
    case WavLoad::Truncated:
        return kLevelMemoryStream;
    }
    return kLevelInitStatus;
}

} // namespace

const char* AnalyseStatusText(unsigned status) {
    return status < std::size(kAnalyseTexts) ? kAnalyseTexts[status] : "UNCOWN ERROR";
}
const char* GainStatusText(unsigned status) {
    return status < std::size(kGainTexts) ? kGainTexts[status] : "UNCOWN ERROR";
}

double LevelDb(double ratio) {
    return ratio > 0 ? 20.0 * std::log10(ratio) : -96.33;
}
float LevelDbSingle(float ratio) {
    return ratio > 0 ? 20.0f * std::log10(ratio) : -96.33f;
}
float GainCoefficient(float gainDb) {
    return std::pow(10.0f, gainDb * 0.05f);
}

// Walking the values in order and replacing on a strictly greater value ends with the extreme
// values at their first places. So the extremes are found first, in a loop the compiler turns
// into vector instructions, and then only their first places are searched for.
void ScanPeaks(std::span<const std::int16_t> values, AnalysisResult& r) {
    if (values.empty()) return;
    std::int16_t low = values[0], high = values[0];
    for (const std::int16_t v : values) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    const auto firstOf = [&](auto match) {
        return std::uint64_t(std::find_if(values.begin(), values.end(), match) - values.begin());
    };
    if (high > r.maxPositive) {
        r.maxPositive = high;
        r.positionPositive = firstOf([high](std::int16_t v) { return v == high; });
    }
    if (low < r.maxNegative) {
        r.maxNegative = low;
        r.positionNegative = firstOf([low](std::int16_t v) { return v == low; });
    }
    const std::uint32_t peak = std::uint32_t(std::max(int(high), -int(low)));
    if (peak > r.maxAbsolute) {
        r.maxAbsolute = peak;
        r.positionAbsolute =
            firstOf([peak](std::int16_t v) { return std::abs(int(v)) == int(peak); });
    }
}

AnalysisResult AnalyseFile(const std::filesystem::path& path) {
    WavSamples wav;
    return AnalyseFile(path, wav);
}

AnalysisResult AnalyseFile(const std::filesystem::path& path, WavSamples& wav) {
    AnalysisResult r;
    r.status = StatusOf(LoadWavSamples(path, wav));
    if (r.status != kLevelOk) return r;
    ScanPeaks(std::span(wav.values.data(), wav.valueCount()), r);
    if (wav.stereo()) {
        r.positionPositive /= 2;
        r.positionNegative /= 2;
        r.positionAbsolute /= 2;
    }
    r.channels = std::uint8_t(wav.channels());
    return r;
}

std::int16_t ScaleValue(std::int16_t v, float coefficient) {
    const float f = float(v) * (1.0f / 32768.0f) * coefficient * 32768.0f;
    std::int64_t i = std::int64_t(f);
    const float d = f - float(i);
    if (f < 0 && d <= -0.5f) --i;
    if (f >= 0 && d >= 0.5f) ++i;
    if (i < -32768) i = -32768;
    if (i > 32767) i = 32767;
    return std::int16_t(i);
}

void ScaleValues(std::span<std::int16_t> values, float coefficient) {
    // Every possible value scaled once; a file of more values than that only looks them up.
    thread_local float tableFor = std::nanf("");
    thread_local std::array<std::int16_t, 65536> table;
    if (values.size() < table.size()) {
        for (std::int16_t& v : values)
            v = ScaleValue(v, coefficient);
        return;
    }
    if (!(tableFor == coefficient)) {
        for (int v = -32768; v <= 32767; ++v)
            table[std::uint16_t(v)] = ScaleValue(std::int16_t(v), coefficient);
        tableFor = coefficient;
    }
    for (std::int16_t& v : values)
        v = table[std::uint16_t(v)];
}

GainOutcome ApplyGainToFile(const std::filesystem::path& path, float coefficient) {
    GainOutcome out;
    WavSamples wav;
    ReplacingBatch batch(1);
    ApplyGainToFile(path, coefficient, wav, batch, [&out](const GainOutcome& g) { out = g; });
    batch.flush();
    return out;
}

void ApplyGainToFile(const std::filesystem::path& path, float coefficient, WavSamples& wav,
                     ReplacingBatch& batch, std::function<void(const GainOutcome&)> done) {
    GainOutcome out;
    out.status = StatusOf(LoadWavSamples(path, wav));
    if (out.status != kLevelOk) {
        done(out);
        return;
    }
    ScaleValues(std::span(wav.values.data(), wav.valueCount()), coefficient);
    RewriteWavData(path, wav, batch, [done = std::move(done)](const std::string& error) {
        done(error.empty() ? GainOutcome{kLevelOk, {}} : GainOutcome{kLevelErrorOpenFile, error});
    });
}

} // namespace ovb
