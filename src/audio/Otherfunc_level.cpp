#include "audio/Otherfunc_level.h"

#include "audio/Wav_samples.h"

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

void ScanPeaks(std::span<const std::int16_t> values, AnalysisResult& r) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::int16_t v = values[i];
        if (v >= 0 && v > r.maxPositive) {
            r.maxPositive = v;
            r.positionPositive = i;
        }
        if (v < 0 && v < r.maxNegative) {
            r.maxNegative = v;
            r.positionNegative = i;
        }
        const std::uint32_t a = std::uint32_t(v < 0 ? -int(v) : int(v));
        if (a > r.maxAbsolute) {
            r.maxAbsolute = a;
            r.positionAbsolute = i;
        }
    }
}

AnalysisResult AnalyseFile(const std::filesystem::path& path) {
    AnalysisResult r;
    WavSamples wav;
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

GainOutcome ApplyGainToFile(const std::filesystem::path& path, float coefficient) {
    GainOutcome out;
    WavSamples wav;
    out.status = StatusOf(LoadWavSamples(path, wav));
    if (out.status != kLevelOk) return out;
    for (std::size_t i = 0; i < wav.valueCount(); ++i)
        wav.values[i] = ScaleValue(wav.values[i], coefficient);
    out.reason = RewriteWavData(path, wav);
    if (!out.reason.empty()) out.status = kLevelErrorOpenFile;
    return out;
}

} // namespace ovb
