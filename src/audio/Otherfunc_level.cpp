#include "audio/Otherfunc_level.h"

#include "audio/Wav_samples.h"
#include "job/ReplacingBatch.h"
#include "job/ReplacingFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>

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

} // namespace

const char* AnalyseStatusText(WavStatus status) {
    const auto code = std::size_t(status);
    return code < std::size(kAnalyseTexts) ? kAnalyseTexts[code] : "UNCOWN ERROR";
}
const char* GainStatusText(WavStatus status) {
    const auto code = std::size_t(status);
    return code < std::size(kGainTexts) ? kGainTexts[code] : "UNCOWN ERROR";
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

namespace {

// The loops over every value of a library also get a version for processors with 256-bit vector
// instructions, chosen when the program starts; elsewhere the plain version runs.
#if defined(__x86_64__) && defined(__GNUC__) && defined(__linux__)
#define OVB_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define OVB_VECTOR_CLONES
#endif

struct Extremes {
    std::int16_t low, high;
};

// Written so that the compiler turns it into vector instructions.
OVB_VECTOR_CLONES Extremes ExtremesOf(std::span<const std::int16_t> values) {
    int low = values[0], high = values[0];
    for (const std::int16_t v : values) {
        low = v < low ? v : low;
        high = v > high ? v : high;
    }
    return {std::int16_t(low), std::int16_t(high)};
}

std::uint64_t FirstPlaceOf(std::span<const std::int16_t> values, std::int16_t wanted) {
    return std::uint64_t(std::find(values.begin(), values.end(), wanted) - values.begin());
}

} // namespace

// Walking the values in order and replacing on a strictly greater value ends with each extreme
// at its first place. So each block's extremes are found first, and only a block that beats the
// extremes so far is searched for their first place. The first absolute peak is the earlier of
// the first places of the two extremes that reach it.
void ScanPeaks(std::span<const std::int16_t> values, AnalysisResult& r, std::uint64_t firstIndex) {
    constexpr std::size_t kBlock = 4096;
    for (std::size_t at = 0; at < values.size(); at += kBlock) {
        const auto block = values.subspan(at, std::min(kBlock, values.size() - at));
        const Extremes e = ExtremesOf(block);
        if (e.high > r.maxPositive) {
            r.maxPositive = e.high;
            r.positionPositive = firstIndex + at + FirstPlaceOf(block, e.high);
        }
        if (e.low < r.maxNegative) {
            r.maxNegative = e.low;
            r.positionNegative = firstIndex + at + FirstPlaceOf(block, e.low);
        }
    }
    const std::uint32_t positive = std::uint32_t(r.maxPositive);
    const std::uint32_t negative = std::uint32_t(-int(r.maxNegative));
    const std::uint32_t peak = std::max(positive, negative);
    if (peak <= r.maxAbsolute) return;
    r.maxAbsolute = peak;
    if (positive == peak && negative == peak)
        r.positionAbsolute = std::min(r.positionPositive, r.positionNegative);
    else
        r.positionAbsolute = positive == peak ? r.positionPositive : r.positionNegative;
}

AnalysisResult AnalyseFile(const std::filesystem::path& path) {
    AnalysisResult r;
    std::ifstream in;
    WavLayout layout;
    r.status = OpenWavAudio(path, in, layout);
    if (r.status != WavStatus::Ok) return r;
    std::uint64_t scanned = 0;
    const bool complete =
        ReadAudioPieces(in, layout.dataSize, [&](std::span<std::int16_t> values, std::size_t) {
            ScanPeaks(values, r, scanned);
            scanned += values.size();
            return true;
        });
    if (!complete) return AnalysisResult{.status = WavStatus::ReadFailed};
    const unsigned channels = layout.format == WavStereo ? 2 : 1;
    r.positionPositive /= channels;
    r.positionNegative /= channels;
    r.positionAbsolute /= channels;
    r.channels = std::uint8_t(channels);
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

namespace {

// ScaleValue written so that the compiler turns the loop into vector instructions. The product is
// clamped before it is rounded: a product beyond a limit rounds to that limit or past it, and is
// clamped to it either way. That keeps the conversion to int defined and the result in 16 bits.
// The fraction can only reach +0.5 for a positive product and -0.5 for a negative one.
OVB_VECTOR_CLONES void ScaleEach(std::int16_t* values, std::size_t count, float coefficient) {
    for (std::size_t k = 0; k < count; ++k) {
        float f = float(values[k]) * (1.0f / 32768.0f) * coefficient * 32768.0f;
        f = f < 32767.0f ? f : 32767.0f;
        f = f > -32768.0f ? f : -32768.0f;
        int i = int(f);
        const float d = f - float(i);
        i += int(d >= 0.5f);
        i -= int(d <= -0.5f);
        values[k] = std::int16_t(i);
    }
}

} // namespace

void ScaleValues(std::span<std::int16_t> values, float coefficient) {
    ScaleEach(values.data(), values.size(), coefficient);
}

GainOutcome ApplyGainToFile(const std::filesystem::path& path, float coefficient) {
    GainOutcome out;
    ReplacingBatch batch(1);
    ApplyGainToFile(path, coefficient, batch, [&out](const GainOutcome& g) { out = g; });
    batch.flush();
    return out;
}

// The new file is the old one with the audio scaled a piece at a time on its way through; the
// header and the other chunks are copied unchanged by the kernel.
void ApplyGainToFile(const std::filesystem::path& path, float coefficient, ReplacingBatch& batch,
                     std::function<void(const GainOutcome&)> done) {
    std::ifstream in;
    WavLayout w;
    const WavStatus status = OpenWavAudio(path, in, w);
    const auto old = status == WavStatus::Ok ? FileSource::Open(path) : nullptr;
    if (status != WavStatus::Ok) {
        done({status, {}});
        return;
    }
    if (!old) {
        done({WavStatus::CannotOpen, "cannot open for reading"});
        return;
    }
    auto out = std::make_unique<ReplacingFile>(path);
    if (!out->ok()) { // refused before any work: a file its user may not write, for one
        done({WavStatus::CannotOpen, out->error()});
        return;
    }
    out->copyFrom(*old, 0, w.dataOffset);
    const bool complete =
        ReadAudioPieces(in, w.dataSize, [&](std::span<std::int16_t> values, std::size_t bytes) {
            ScaleValues(values, coefficient);
            return out->write(values.data(), bytes);
        });
    if (!complete) {
        done({WavStatus::ReadFailed, {}});
        return;
    }
    const std::uint64_t after = w.dataOffset + w.dataSize;
    out->copyFrom(*old, after, w.fileSize - after);
    batch.add(std::move(out), [done = std::move(done)](const std::string& error) {
        done(error.empty() ? GainOutcome{WavStatus::Ok, {}}
                           : GainOutcome{WavStatus::CannotOpen, error});
    });
}

} // namespace ovb
