// Silence measurement and removal, fades and the fixed-count cut, on files whose silent runs
// are built by hand, so every expected length follows from how the file was made.
#include "audio/Otherfunc_group.h"
#include "audio/Wav_silence.h"
#include "audio/Wav_trim.h"
#include "audio/Wav_trim_commands.h"
#include "bank/Acc_bank_structure.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"
#include "support/WavValues.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <span>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

constexpr std::int16_t kLoud = 20000;

// Alternating signs, so both ends of each threshold's range are met.
std::vector<std::int16_t> Alternating(std::size_t n, int amplitude) {
    std::vector<std::int16_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = std::int16_t(i % 2 ? -amplitude : amplitude);
    return v;
}

void Append(std::vector<std::int16_t>& to, const std::vector<std::int16_t>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// A mono file: blocks of 10 values at each threshold's amplitude, quietest at the very start
// and at the very end, around 1000 loud values. At table index t, 10 x (t + 1) values are silent
// at each end.
std::vector<std::int16_t> Staircase() {
    std::vector<std::int16_t> v;
    for (int a : kSilenceThresholds)
        Append(v, Alternating(10, a));
    Append(v, Alternating(1000, kLoud));
    for (auto a = kSilenceThresholds.rbegin(); a != kSilenceThresholds.rend(); ++a)
        Append(v, Alternating(10, *a));
    return v;
}

struct TrimTest : ::testing::Test {
    TempDir dir;
    ScriptedJobServices ui;
    std::string file(const std::string& name) { return (dir / name).string(); }
    void yes(int n) { ui.answers.assign(std::size_t(n), Answer::Yes); }
};

} // namespace

TEST(SilenceScan, ThresholdsIncludeTheirValueAndStereoFramesNeedBothSilent) {
    const std::vector<std::int16_t> v{-3, 3, 0, -4, 0};
    EXPECT_EQ(SilentHeadFrames(v, 1, 3), 3u);
    EXPECT_EQ(SilentHeadFrames(v, 1, 2), 0u);
    EXPECT_EQ(SilentTailFrames(v, 1, 3), 1u);
    // Stereo: a frame is silent only when both of its values are.
    const std::vector<std::int16_t> s{0, 0, 0, 5, 0, 0, 5, 0, 0, 0};
    EXPECT_EQ(SilentHeadFrames(s, 2, 3), 1u);
    EXPECT_EQ(SilentTailFrames(s, 2, 3), 1u);
}

TEST_F(TrimTest, StartAndEndScansReportEveryThreshold) {
    WriteValues(dir / "m.wav", false, Staircase());
    WriteValues(dir / "small.wav", false, Alternating(1023, 0)); // 2046 bytes: never looked at
    const std::vector<std::string> paths{file("m.wav"), file("small.wav"), file("none.wav")};

    // A missing file makes the scan incomplete: it is listed after the report.
    EXPECT_FALSE(CheckStartSilence(paths, ui));
    ASSERT_EQ(ui.reports.size(), 2u);
    EXPECT_EQ(ui.reports[1],
              (std::vector<std::string>{"Files that could not be read: 1",
                                        "File " + file("none.wav") + " not exist!"}));
    const auto& start = ui.reports[0];
    ASSERT_EQ(start.size(), 22u);
    EXPECT_EQ(start[2], "Treshold value:  +/-0     Removed: 20 bytes, ");
    EXPECT_EQ(start[21], "Treshold value:  +/-190     Removed: 400 bytes, ");

    const std::vector<std::string> present(paths.begin(), paths.end() - 1);
    EXPECT_TRUE(CheckEndSilence(present, false, ui));
    EXPECT_EQ(ui.reports[2][2], "Treshold value:  +/-0     Removed: 20 bytes,      In Fades: 0 "
                                "bytes.");

    // With the fade, only tails longer than 96 frames count: 100 frames from 90 up.
    CheckEndSilence(present, true, ui);
    EXPECT_EQ(ui.reports[3][10], "Treshold value:  +/-80     Removed: 0 bytes,      In Fades: 0 "
                                 "bytes.");
    EXPECT_EQ(ui.reports[3][11], "Treshold value:  +/-90     Removed: 8 bytes,      In Fades: "
                                 "192 bytes.");
    EXPECT_EQ(ReadAll(dir / "m.wav"), WavBytes(false, Staircase()));
}

TEST_F(TrimTest, StartRemovalAtEachMenuThresholdDropsOtherChunks) {
    const std::string list = std::string("LIST\x04\x00\x00\x00", 8) + "INFO";
    for (unsigned index : {0u, 2u}) {
        const std::vector<std::int16_t> v = Staircase();
        WriteValues(dir / "m.wav", false, v, list);
        yes(2);
        TrimStartSilence({file("m.wav")}, index, ui);
        const std::size_t cut = 10 * (index + 1);
        const auto bytes = ReadAll(dir / "m.wav");
        ASSERT_EQ(bytes.size(), 44 + 2 * (v.size() - cut)) << index;
        EXPECT_EQ(ValuesAt(bytes, 44, v.size() - cut),
                  std::vector<std::int16_t>(v.begin() + long(cut), v.end()));
        EXPECT_EQ(ui.shown().back(), "Sample Editor: Removed samples: " + std::to_string(cut) +
                                         " samples = " + std::to_string(2 * cut) +
                                         " bytes.\nChanged files: 1");
    }
}

TEST_F(TrimTest, SilentFileLosesAllItsAudioButTooShortOneIsKept) {
    WriteValues(dir / "silent.wav", true, Alternating(2048, 0)); // 4096 bytes: accepted
    WriteValues(dir / "short.wav", false, Alternating(1023, 0));
    yes(2);
    TrimStartSilence({file("silent.wav"), file("short.wav")}, 0, ui);
    const auto silent = ReadAll(dir / "silent.wav");
    EXPECT_EQ(silent.size(), 44u);
    EXPECT_EQ(DataSizeField(silent), 0u);
    EXPECT_EQ(ReadAll(dir / "short.wav"), WavBytes(false, Alternating(1023, 0)));
    EXPECT_EQ(ui.shown().back(),
              "Sample Editor: Removed samples: 2 048 samples = 4 096 bytes.\nChanged files: 1");

    // Refusing either warning changes nothing.
    WriteValues(dir / "silent.wav", true, Alternating(2048, 0));
    ui.answers = {Answer::Yes, Answer::No};
    TrimStartSilence({file("silent.wav")}, 0, ui);
    EXPECT_EQ(ReadAll(dir / "silent.wav").size(), 44u + 4096u);
}

TEST_F(TrimTest, EndRemovalWithAndWithoutFade) {
    std::vector<std::int16_t> loud = Alternating(1000, kLoud);
    auto with = [&](std::size_t tail) {
        std::vector<std::int16_t> v = loud;
        Append(v, Alternating(tail, 90));
        return v;
    };
    WriteValues(dir / "96.wav", false, with(96));
    WriteValues(dir / "97.wav", false, with(97));
    yes(2);
    TrimEndSilence({file("96.wav"), file("97.wav")}, 100, true, ui);
    EXPECT_EQ(ReadAll(dir / "96.wav"), WavBytes(false, with(96)));
    const auto cut = ReadAll(dir / "97.wav");
    ASSERT_EQ(DataSizeField(cut), 2u * (1000 + 96));
    const auto v = ValuesAt(cut, 44, 1096);
    EXPECT_EQ(std::vector<std::int16_t>(v.begin(), v.begin() + 1000), loud);
    // The fade over 96 frames: 90 x 95 / 96 = 89.06, 90 x 48 / 96, 90 / 96 truncated.
    EXPECT_EQ(v[1000], 90);
    EXPECT_EQ(v[1001], -89);
    EXPECT_EQ(v[1048], 45);
    EXPECT_EQ(v[1095], 0);
    EXPECT_EQ(ui.shown().back(), "Sample Editor: Null samples: 1 samples = 2 bytes.\nTotal "
                                 "samples in fades: 96 samples = 192 bytes.\nChanged files: 1");

    // Without the fade the whole tail goes; threshold 20 is used although no scan row has it.
    std::vector<std::int16_t> v20 = loud;
    Append(v20, Alternating(50, 21));
    Append(v20, Alternating(30, 20));
    WriteValues(dir / "20.wav", false, v20);
    yes(2);
    TrimEndSilence({file("20.wav")}, 20, false, ui);
    EXPECT_EQ(ReadAll(dir / "20.wav").size(), 44u + 2 * 1050);
    EXPECT_EQ(ui.shown().back(), "Sample Editor: Null samples: 30 samples = 60 bytes.\nTotal "
                                 "samples in fades: 0 samples = 0 bytes.\nChanged files: 1");
}

TEST_F(TrimTest, LongSilencesAreReadFromTheEndsAcrossManyPieces) {
    // The trims read a file's ends only, in growing pieces: silences longer than several pieces,
    // a first sound frame that is loud in one channel only, and the scans at every threshold must
    // give what the silence functions give on the whole audio.
    std::vector<std::int16_t> v = Alternating(2 * 300001, 10);
    Append(v, {0, 500});
    Append(v, Alternating(2 * 1000, kLoud));
    Append(v, Alternating(2 * 200003, 3));
    WriteValues(dir / "long.wav", true, v);
    const std::vector<std::string> paths{file("long.wav")};
    const TrimRun head = MeasureStartSilence(paths, ui);
    const TrimRun tail = MeasureEndSilence(paths, false, ui);
    for (std::size_t t = 0; t < kSilenceThresholds.size(); ++t) {
        EXPECT_EQ(head.removedAt[t], 2 * SilentHeadFrames(v, 2, kSilenceThresholds[t])) << t;
        EXPECT_EQ(tail.removedAt[t], 2 * SilentTailFrames(v, 2, kSilenceThresholds[t])) << t;
    }

    EXPECT_EQ(RemoveStartSilence(paths, 10, ui).removed, 2u * 300001);
    std::vector<std::int16_t> kept(v.begin() + 2 * 300001, v.end());
    EXPECT_EQ(ValuesAt(ReadAll(dir / "long.wav"), 44, kept.size()), kept);

    EXPECT_EQ(RemoveEndSilence(paths, 3, true, ui).removed, 2u * (200003 - kFadeFrames));
    kept.resize(kept.size() - 2 * (200003 - kFadeFrames));
    FadeOut(std::span(kept).last(2 * kFadeFrames), 2);
    const auto bytes = ReadAll(dir / "long.wav");
    ASSERT_EQ(bytes.size(), 44 + 2 * kept.size());
    EXPECT_EQ(ValuesAt(bytes, 44, kept.size()), kept);
}

TEST_F(TrimTest, FixedCountValidationAndRanges) {
    EXPECT_EQ(ParseSampleCount("12x"), -1);
    WriteValues(dir / "m.wav", false, Alternating(1024, kLoud));
    const std::vector<std::string> paths{file("m.wav")};
    TrimFixedCount(paths, "abc", ui);
    TrimFixedCount(paths, "0", ui);
    TrimFixedCount(paths, "2049", ui);
    EXPECT_EQ(ui.shown(), (std::vector<std::string>{"Invalid Value!: ERROR",
                                                    "No possible to remove 0 samples!: ERROR",
                                                    "Max samples for remove is 2048!: ERROR"}));
    // 2048 is accepted, but the file is shorter than the cut and stays as it was.
    yes(1);
    TrimFixedCount(paths, "2048", ui);
    EXPECT_EQ(ReadAll(dir / "m.wav"), WavBytes(false, Alternating(1024, kLoud)));
    // Exactly as long as the cut: an empty data chunk remains.
    yes(1);
    TrimFixedCount(paths, "1024", ui);
    EXPECT_EQ(ReadAll(dir / "m.wav").size(), 44u);
}

TEST_F(TrimTest, FileInTwoSlotsIsCutOnlyOnce) {
    std::vector<std::int16_t> v = Alternating(4000, kLoud);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = std::int16_t(i);
    WriteValues(dir / "s.wav", true, v);
    yes(2);
    ASSERT_TRUE(ConfirmFixedRemoval(ui));
    yes(1);
    // A second cut would take audio from the shared sample that nobody asked to lose.
    TrimFixedCount({file("s.wav"), file("s.wav")}, "10", ui);
    const auto bytes = ReadAll(dir / "s.wav");
    ASSERT_EQ(DataSizeField(bytes), 2u * (4000 - 20));
    EXPECT_EQ(ValuesAt(bytes, 44, 1)[0], 20);
    EXPECT_EQ(ui.shown().back(),
              "Sample Editor: Stereo samples are included in calculation like 2 mono "
              "samples!\n\nTotally removed samples:\nRemoved 20 aligned to MONO samples >> equal "
              "to 40 bytes.\nChanged files: 1");
}
