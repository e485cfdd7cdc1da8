// Level analysis and normalising: the loudest-file choice, the user's texts, and the exact
// values the gain writes, including a file that cannot be written (it must stay as it was), and
// the fast paths large files take.
#include "audio/Otherfunc_group.h"
#include "audio/Otherfunc_level.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"
#include "support/WavValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <span>
#include <tuple>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(LevelGain, ScaleRoundsHalfAwayFromZeroAndClamps) {
    // Coefficients that are exact in binary, so every product is known by hand; each case is
    // checked with both signs.
    const struct {
        std::int16_t value;
        float coefficient;
        std::int16_t scaled;
    } cases[] = {{1, 1.5f, 2}, {3, 1.5f, 5}, {5, 1.25f, 6}, {1, 0.5f, 1}, {0, 4.0f, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleValue(c.value, c.coefficient), c.scaled)
            << c.value << " x " << c.coefficient;
        EXPECT_EQ(ScaleValue(std::int16_t(-c.value), c.coefficient), -c.scaled) << -c.value;
    }
    EXPECT_EQ(ScaleValue(16384, 2.0f), 32767); // 32768 does not fit
    EXPECT_EQ(ScaleValue(-16384, 2.0f), -32768);
    EXPECT_EQ(ScaleValue(32767, 1000.0f), 32767);
    EXPECT_EQ(ScaleValue(-32768, 1000.0f), -32768);
}

// Peaks and their places in a file are checked against a plain scan below.
TEST(LevelGain, TiesKeepTheFirstFileAndErrorsAreReported) {
    TempDir dir;
    WriteValues(dir / "a.wav", false, {10, 1000, 3});
    WriteValues(dir / "b.wav", false, {0, -1000}); // the loudest value at frame 1
    WriteValues(dir / "c.wav", false, {999});
    WriteAll(dir / "junk.wav", {'n', 'o', 'p', 'e'});
    WriteValues(dir / "empty.wav", false, {});
    const std::string missing = (dir / "gone.wav").string(), junk = (dir / "junk.wav").string(),
                      empty = (dir / "empty.wav").string();
    ScriptedJobServices ui;
    ui.answers = {Answer::Yes};
    LoudestRecord r = AnalyseGroup({(dir / "b.wav").string(), "", (dir / "a.wav").string(), missing,
                                    junk, empty, (dir / "c.wav").string()},
                                   ui, true);
    EXPECT_EQ(r.analysed, 3u);
    EXPECT_EQ(r.maxAbsolute, 1000u);
    EXPECT_EQ(r.position, 1u);
    EXPECT_EQ(r.path, (dir / "b.wav").string());
    ASSERT_EQ(ui.reports.size(), 1u);
    EXPECT_EQ(ui.reports[0],
              (std::vector<std::string>{"Found 3 errors when analize WAV files!!!",
                                        "ERROR: ANALISE_FILE_NOT_EXIST", "FILE.: " + missing,
                                        "ERROR: ANALISE_INVALID_WAV_FILE_FORMAT", "FILE.: " + junk,
                                        "ERROR: ANALISE_NULL_SIZE_WAV_FILE", "FILE.: " + empty}));
    EXPECT_TRUE(ui.showed("Info", "Found 3 errors when analize WAV files!!!\n\nShow errors ?"));
    EXPECT_FALSE(ui.progressShown);

    ShowAnalysisResult(r, ui);
    EXPECT_TRUE(ui.showed("Analize Result:",
                          "Analized 3 WAV files.\n\nLoudest WAV file path:\n\n" +
                              (dir / "b.wav").string() +
                              "\n\nMax sample value:  1000 / -30.308999dB\nSample position..:  1"));
}

TEST(LevelGain, SilentGroupAndFullScaleNeedNoFilesButStillReport) {
    TempDir dir;
    WriteValues(dir / "a.wav", false, {0, 0, 0});
    WriteValues(dir / "b.wav", true, {0, 0});
    ScriptedJobServices ui;
    ui.answers = {Answer::No};
    NormaliseGroup({(dir / "a.wav").string(), (dir / "b.wav").string()}, ui);
    ASSERT_GE(ui.transcript.size(), 2u);
    EXPECT_EQ(ui.transcript[0].text, "Analized 2 WAV files.\n\nLoudest WAV file path:\n\n\n\nMax "
                                     "sample value:  0 / -96.330000dB\nSample position..:  0");
    EXPECT_TRUE(Contains(ui.transcript[1].text, "Possible GAIN to -0.5dB:  +95.83"));
    EXPECT_EQ(ui.unplanned, 0);

    WriteValues(dir / "full.wav", false, {-32768, 5});
    ScriptedJobServices ui3;
    NormaliseGroup({(dir / "full.wav").string()}, ui3);
    EXPECT_TRUE(ui3.showed("Calculation Result:", "No need to execute NORMALIZE to -0.5dB, "
                                                  "\nbecouse curent max level alredy is "
                                                  "0.000000dB"));
}

TEST(LevelGain, NormaliseBringsThePeakToMinusHalfDecibelAndKeepsOtherChunks) {
    TempDir dir;
    const std::string list = std::string("LIST\x04\x00\x00\x00", 8) + "INFO";
    WriteValues(dir / "loud.wav", false, {30000, -15000, 1, -1}, list);
    const auto before = ReadAll(dir / "loud.wav");
    ScriptedJobServices ui;
    ui.answers = {Answer::Yes, Answer::Yes};
    // -0.7666 dB, a gain of +0.2666 dB and a factor of 1.0312.
    EXPECT_TRUE(NormaliseGroup({(dir / "loud.wav").string()}, ui));
    const auto shown = ui.shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_TRUE(Contains(shown[1], "Curent max sample level in samples:  30000\nCurent max "
                                   "sample level in db:  -0.766"));
    EXPECT_TRUE(Contains(shown[1], "+0.266"));
    EXPECT_TRUE(Contains(shown[1], "x1.031"));
    EXPECT_EQ(shown[3], "Normalize procedure report: Normalize OK!\n\nFiles changed: 1");

    const auto after = ReadAll(dir / "loud.wav");
    ASSERT_EQ(after.size(), before.size());
    const auto v = ValuesAt(after, 44, 4);
    // 32768 x 10^(-0.5/20) = 30935.4; the other values follow the same factor.
    EXPECT_NEAR(v[0], 30935, 1);
    EXPECT_NEAR(v[1], -15468, 1);
    EXPECT_EQ(v[2], 1);
    EXPECT_EQ(v[3], -1);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 44, after.begin()));
    EXPECT_TRUE(std::equal(before.end() - 12, before.end(), after.end() - 12));
}

// Large files take the fast paths of the level tools (extremes first, vector loops):
// they must give exactly what the value-by-value definitions give. And a file listed twice in a
// group takes the gain once.
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
    EXPECT_EQ(r.channels, 2);
    EXPECT_EQ(r.maxAbsolute, 32768u) << "-32768 is the loudest value";
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
