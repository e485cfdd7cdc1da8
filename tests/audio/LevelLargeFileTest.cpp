// Large files take the fast paths of the level tools (extremes first, vector loops):
// they must give exactly what the value-by-value definitions give. And a file listed twice in a
// group takes the gain once.
#include "audio/Otherfunc_group.h"
#include "audio/Otherfunc_level.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"
#include "support/WavValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <span>
#include <tuple>

using namespace ovb;
using namespace ovb::test;

namespace {

// Values spread over the whole range, with the extremes planted late and repeated, so that the
// first place of each extreme matters.
std::vector<std::int16_t> Noise(std::size_t count, std::uint32_t seed) {
    std::vector<std::int16_t> v(count);
    for (auto& x : v) {
        seed = seed * 1664525u + 1013904223u;
        x = std::int16_t((seed >> 16) % 40000 - 20000);
    }
    return v;
}

// The scan as defined: values in order, a strictly greater value replaces.
AnalysisResult Definition(const std::vector<std::int16_t>& values) {
    AnalysisResult r;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int v = values[i];
        if (v >= 0 && v > r.maxPositive) r.maxPositive = std::int16_t(v), r.positionPositive = i;
        if (v < 0 && v < r.maxNegative) r.maxNegative = std::int16_t(v), r.positionNegative = i;
        if (std::uint32_t(std::abs(v)) > r.maxAbsolute)
            r.maxAbsolute = std::uint32_t(std::abs(v)), r.positionAbsolute = i;
    }
    return r;
}

// The scan at once, and continued over pieces as a file is read, both give the definition's
// result.
void ExpectSamePeaks(const std::vector<std::int16_t>& values) {
    AnalysisResult whole, pieces;
    ScanPeaks(values, whole);
    const std::span<const std::int16_t> all(values);
    for (std::size_t at = 0; at < all.size(); at += 10007)
        ScanPeaks(all.subspan(at, std::min<std::size_t>(10007, all.size() - at)), pieces, at);
    const AnalysisResult slow = Definition(values);
    auto fields = [](const AnalysisResult& r) {
        return std::tuple(r.maxPositive, r.maxNegative, r.maxAbsolute, r.positionPositive,
                          r.positionNegative, r.positionAbsolute);
    };
    EXPECT_EQ(fields(whole), fields(slow));
    EXPECT_EQ(fields(pieces), fields(slow));
}

} // namespace

TEST(LevelLargeFile, PeakScanMatchesTheDefinition) {
    std::vector<std::int16_t> v = Noise(300000, 7);
    ExpectSamePeaks(v);
    v[250000] = 31000; // the positive peak, then the same value again later
    v[260000] = 31000;
    v[200000] = -31000; // a tie in absolute value: the earlier one counts
    ExpectSamePeaks(v);
    v[290000] = -32768;
    ExpectSamePeaks(v);
    ExpectSamePeaks(std::vector<std::int16_t>(70000, 0));  // nothing replaces
    ExpectSamePeaks(std::vector<std::int16_t>(70000, -5)); // no positive value
    ExpectSamePeaks({3, -3, 3});
}

TEST(LevelLargeFile, ScalingManyValuesMatchesValueByValue) {
    // Every 16-bit value, with products landing on halves (0.5, 1.5), just short of a half, and
    // far past the 16-bit limits.
    const float belowHalf = std::nextafter(0.5f, 0.0f);
    for (const float coefficient : {1.0312f, 0.5f, 1.5f, belowHalf, 65.0f, 30000.0f}) {
        std::vector<std::int16_t> v(65536);
        for (int i = 0; i < 65536; ++i)
            v[std::size_t(i)] = std::int16_t(i - 32768);
        std::vector<std::int16_t> expected = v;
        for (auto& x : expected)
            x = ScaleValue(x, coefficient);
        ScaleValues(v, coefficient);
        EXPECT_EQ(v, expected) << coefficient;
    }
}

TEST(LevelLargeFile, FileOfManyReadPiecesIsAnalysedAndScaledWhole) {
    // Files are read a piece at a time: the peaks keep their file positions across pieces, and
    // every value and the chunk after the audio come out as from a scan of the whole file.
    TempDir dir;
    std::vector<std::int16_t> v = Noise(700001 * 2, 11);
    v[2 * 400000 + 1] = -32768; // far into a later piece, in the right channel
    v[2 * 500000] = 32767;
    const std::string list = std::string("LIST\x04\x00\x00\x00", 8) + "INFO";
    WriteValues(dir / "long.wav", true, v, list);
    const AnalysisResult r = AnalyseFile(dir / "long.wav");
    EXPECT_EQ(r.maxNegative, -32768);
    EXPECT_EQ(r.positionNegative, 400000u);
    EXPECT_EQ(r.positionPositive, 500000u);
    EXPECT_EQ(r.positionAbsolute, 400000u);

    EXPECT_EQ(ApplyGainToFile(dir / "long.wav", 0.7f).status, WavStatus::Ok);
    const auto after = ReadAll(dir / "long.wav");
    std::vector<std::int16_t> expected = v;
    for (auto& x : expected)
        x = ScaleValue(x, 0.7f);
    EXPECT_EQ(ValuesAt(after, 44, v.size()), expected);
    ASSERT_EQ(after.size(), 44 + v.size() * 2 + list.size());
    EXPECT_EQ(std::string(after.end() - std::ptrdiff_t(list.size()), after.end()), list);
}

TEST(LevelLargeFile, FileListedTwiceTakesTheGainOnce) {
    TempDir dir;
    const std::string a = (dir / "a.wav").string(), b = (dir / "b.wav").string();
    WriteValues(a, false, {1000, -3});
    WriteValues(b, true, {-200, 7});
    ScriptedJobServices ui;
    const GainGroupResult r =
        ApplyGainToGroup({a, b, a, (dir / "." / "a.wav").string()}, 2.0f, ui, true);
    EXPECT_EQ(r.errors, 0u);
    EXPECT_EQ(r.changedFiles, 2u);
    EXPECT_EQ(ValuesAt(ReadAll(a), 44, 2), (std::vector<std::int16_t>{2000, -6}));
    EXPECT_EQ(ValuesAt(ReadAll(b), 44, 2), (std::vector<std::int16_t>{-400, 14}));
}
