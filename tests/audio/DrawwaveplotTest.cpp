// The wave plot's column extents: how frames are shared out over the columns, the zoom and its
// clamp, the most negative sample, and the two channels of a stereo buffer.
#include "audio/Drawwaveplot.h"
#include "support/WavValues.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

using namespace ovb;
using namespace ovb::test;

namespace {

constexpr int kHeight = 88; // mono reach: value * 44 / 32768; stereo: value * 22 / 32768

WaveExtents Mono(const std::vector<std::int16_t>& values, int width, unsigned zoom = 0) {
    return ComputeWaveExtents(SampleBytes(values), false, width, kHeight, zoom);
}

using Column = std::vector<std::uint16_t>;

} // namespace

TEST(WaveExtents, ColumnsTakeTheirOwnFramesWithTruncatedBoundsAndScaledPeaks) {
    // 8 frames over 4 columns: two frames a column. 32767 * 44 / 32768 = 43.9987 truncates to
    // 43; 16384 is exactly half of 44.
    auto e = Mono({32767, -1, 16384, -16384, -32768, 5, 0, 0}, 4);
    EXPECT_EQ(e.left.upper, (Column{43, 22, 0, 0}));
    EXPECT_EQ(e.left.lower, (Column{0, 22, 43, 0}));
    EXPECT_TRUE(e.right.upper.empty());

    // Step 0.5: the bound reaches 0.5, 1.0, 1.5 (no new frame) and then the frame count.
    e = Mono({8192, -16384}, 4);
    EXPECT_EQ(e.left.upper, (Column{0, 11, 0, 0}));
    EXPECT_EQ(e.left.lower, (Column{0, 0, 0, 22}));

    // Step 10/3: columns end at frame 3 and 6 (6.67 truncated), the last one takes 6..9.
    e = Mono({0, 0, 8192, 16384, 0, -8192, -16384, 0, 0, 32767}, 3);
    EXPECT_EQ(e.left.upper, (Column{11, 22, 43}));
    EXPECT_EQ(e.left.lower, (Column{0, 11, 22}));
}

TEST(WaveExtents, ZoomMultipliesThePeaksAndClampsToFullScale) {
    const std::vector<std::int16_t> v = {1000, -1000, 2000, -32768};
    // 2000 * 44 / 32768 = 2.69; x4: 8000 -> 10.74; x20: 40000 clamps to 32767 -> 43.
    EXPECT_EQ(Mono(v, 2, 0).left.upper, (Column{1, 2}));
    EXPECT_EQ(Mono(v, 2, 3).left.upper, (Column{5, 10}));
    EXPECT_EQ(Mono(v, 2, 19).left.upper, (Column{26, 43})); // 20000 -> 26.86
    // Zoom beyond the last step acts as the last step.
    EXPECT_EQ(Mono(v, 2, 200).left.upper, (Column{26, 43}));
    // -32768 is clamped like any other peak: at every zoom it reaches exactly as far as 32767.
    for (unsigned zoom : {0u, 3u, 19u})
        EXPECT_EQ(Mono(v, 2, zoom).left.lower[1], 43) << zoom;
}

TEST(WaveExtents, StereoChannelsAreSeparateAndUseAQuarterOfTheHeight) {
    // Frames (left, right): the right channel's peaks must not show in the left and back.
    auto e = ComputeWaveExtents(SampleBytes({32767, -16384, -8192, 16384, 0, 0, 100, -100}), true,
                                2, kHeight, 0);
    // 32767 * 22 / 32768 = 21.99; 16384 -> 11; 8192 -> 5.5.
    EXPECT_EQ(e.left.upper, (Column{21, 0}));
    EXPECT_EQ(e.left.lower, (Column{5, 0}));
    EXPECT_EQ(e.right.upper, (Column{11, 0}));
    EXPECT_EQ(e.right.lower, (Column{11, 0}));
}

TEST(WaveExtents, PartialTrailingFramesAndEmptyBuffersDrawNothing) {
    std::vector<std::uint8_t> odd = SampleBytes({-32768, 32767});
    odd.push_back(0x7F);
    EXPECT_EQ(ComputeWaveExtents(odd, false, 4, kHeight, 0).frames, 2u);
    EXPECT_EQ(ComputeWaveExtents(odd, true, 4, kHeight, 0).frames, 1u);

    auto none = ComputeWaveExtents({}, true, 5, kHeight, 0);
    EXPECT_EQ(none.frames, 0u);
    EXPECT_EQ(none.right.upper, Column(5, 0));
    EXPECT_EQ(none.left.lower, Column(5, 0));
}

TEST(WaveExtents, EveryFrameOfAFullSizePlotLandsInExactlyOneColumn) {
    // A second of noise on the real plot width: the loudest column shows the loudest frame,
    // and the column total of frames is the buffer (checked through single-frame peaks).
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> quiet(-300, 300);
    std::vector<std::int16_t> v(48000);
    for (auto& s : v)
        s = std::int16_t(quiet(rng));
    v[0] = 20000;
    v[47999] = -24000;
    v[23456] = 30000;
    auto e = Mono(v, 628);
    ASSERT_EQ(e.left.upper.size(), 628u);
    EXPECT_EQ(e.left.upper.front(), std::uint16_t(20000 * 44 / 32768));
    EXPECT_EQ(e.left.lower.back(), std::uint16_t(24000 * 44 / 32768));
    // 48000 / 628 = 76.43 frames a column: frame 23456 is in column 306.
    EXPECT_EQ(e.left.upper[306], std::uint16_t(30000 * 44 / 32768));
    for (std::size_t x = 1; x + 1 < 628; ++x)
        EXPECT_LE(e.left.upper[x], x == 306 ? e.left.upper[x] : 1) << x;
}
