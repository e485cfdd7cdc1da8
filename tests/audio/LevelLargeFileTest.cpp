// Large files take the fast paths of the level tools (extremes first, a table of scaled values):
// they must give exactly what the value-by-value definitions give. And a file listed twice in a
// group takes the gain once.
#include "WavValues.h"
#include "audio/Otherfunc_group.h"
#include "audio/Otherfunc_level.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

void ExpectSamePeaks(const std::vector<std::int16_t>& values) {
    AnalysisResult fast;
    ScanPeaks(values, fast);
    const AnalysisResult slow = Definition(values);
    auto fields = [](const AnalysisResult& r) {
        return std::tuple(r.maxPositive, r.maxNegative, r.maxAbsolute, r.positionPositive,
                          r.positionNegative, r.positionAbsolute);
    };
    EXPECT_EQ(fields(fast), fields(slow));
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
    for (const float coefficient : {1.0312f, 0.5f, 65.0f}) {
        std::vector<std::int16_t> v = Noise(100000, 3);
        v[10] = -32768;
        v[11] = 32767;
        std::vector<std::int16_t> expected = v;
        for (auto& x : expected)
            x = ScaleValue(x, coefficient);
        ScaleValues(v, coefficient);
        EXPECT_EQ(v, expected) << coefficient;
    }
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
