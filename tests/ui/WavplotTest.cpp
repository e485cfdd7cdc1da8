// The wave plot's pixels (colours, guide lines, extents, texts), its cursor that leaves no trace,
// the zoom steps, and the player panel around it: loading, messages and the zoom buttons.
#include "ui/Wavplot.h"
#include "GuiTestSupport.h"
#include "TestEditorHost.h"
#include "support/TestFiles.h"
#include "support/WavValues.h"
#include "tools/PlayerSample.h"
#include "ui/PlayerPanel.h"

#include <QLabel>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;

namespace {

constexpr int W = MyWavePlot::kWidth, H = MyWavePlot::kHeight, Mid = H / 2;
using P = MyWavePlot; // for its colours

QRgb At(const MyWavePlot& plot, int x, int y) {
    return plot.image().pixel(x, y);
}

int CountColour(const QImage& image, QRect area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

// Two frames a column: the first 100 columns hold 16384 and -8192, the rest silence.
std::vector<std::uint8_t> MonoBuffer() {
    std::vector<std::int16_t> v(2 * W, 0);
    for (int x = 0; x < 100; ++x)
        v[2 * x] = 16384, v[2 * x + 1] = -8192;
    return SampleBytes(v);
}

} // namespace

TEST(Wavplot, MonoDrawingHasItsColoursGuideLinesAndExtents) {
    MyWavePlot plot;
    const auto bytes = MonoBuffer();
    plot.Plot(bytes.data(), std::uint32_t(bytes.size()), false);
    EXPECT_TRUE(plot.valid());
    // The column's peaks (worked out by the core) become a line that stops before its end point.
    EXPECT_EQ(At(plot, 50, Mid - 22), P::kLeftWave);
    EXPECT_NE(At(plot, 50, Mid + 11), P::kLeftWave);
    // Silent columns show the guide lines on the background.
    EXPECT_EQ(At(plot, 300, Mid), P::kCentreLine);
    EXPECT_EQ(At(plot, 300, Mid + Mid / 2), P::kQuarterLine);
    EXPECT_EQ(At(plot, 300, Mid - 5), P::kWaveBackground);
    // The frame count and duration in yellow at the right, nothing yellow at the left.
    const QImage& image = plot.image();
    EXPECT_GT(CountColour(image, QRect(W - 120, 0, 120, 20), P::kInfoText), 0);
    EXPECT_GT(CountColour(image, QRect(W - 120, H - 18, 120, 18), P::kInfoText), 0);
    EXPECT_EQ(CountColour(image, QRect(0, 0, W / 2, H), P::kInfoText), 0);
}

TEST(Wavplot, StereoChannelsAreDrawnInTheirOwnBandsAndColours) {
    MyWavePlot plot;
    std::vector<std::int16_t> v(2 * 2 * W, 0); // two frames a column
    for (int f = 0; f < 20; ++f)
        v[2 * f] = 32767, v[2 * f + 1] = -32768; // columns 0..9: full scale, left up, right down
    const auto bytes = SampleBytes(v);
    plot.Plot(bytes.data(), std::uint32_t(bytes.size()), true);
    const int q1 = Mid - Mid / 2, q2 = Mid + Mid / 2;
    EXPECT_EQ(At(plot, 5, q1 - 21), P::kLeftWave);
    EXPECT_EQ(At(plot, 5, q2 + 20), P::kRightWave);
    EXPECT_EQ(CountColour(plot.image(), QRect(0, 0, W, Mid), P::kRightWave), 0);
    EXPECT_EQ(CountColour(plot.image(), QRect(0, Mid, W, H - Mid), P::kLeftWave), 0);
    for (int y : {int(Mid), q1, q2})
        EXPECT_EQ(At(plot, 300, y), P::kCentreLine) << y;
}

TEST(Wavplot, TheCursorLeavesTheImageAsItWas) {
    MyWavePlot plot;
    const auto bytes = MonoBuffer();
    const auto length = std::uint32_t(bytes.size());
    plot.Plot(bytes.data(), length, false);
    const QImage before = plot.image().copy();

    plot.ShowPlayPosition(length / 2);
    EXPECT_EQ(plot.cursorColumn(), W / 2);
    for (int y = 0; y < H; ++y)
        ASSERT_EQ(At(plot, W / 2, y), P::kCursor) << y;
    // Over the waveform: the pixels under the line come back when it moves on.
    plot.ShowPlayPosition(length / W * 50);
    EXPECT_EQ(plot.cursorColumn(), 50);
    EXPECT_EQ(At(plot, W / 2, Mid), before.pixel(W / 2, Mid));
    EXPECT_EQ(At(plot, 50, Mid - 22), P::kCursor);
    plot.ShowPlayPosition(length); // past the end removes the cursor
    EXPECT_EQ(plot.cursorColumn(), -1);
    EXPECT_EQ(plot.image(), before);
}

TEST(Wavplot, ZoomStepsStayWithinTheirLimitsAndRedrawOnlyAWaveform) {
    MyWavePlot plot;
    std::vector<std::int16_t> v(W, 1000); // one frame a column
    const auto bytes = SampleBytes(v);
    plot.Plot(bytes.data(), std::uint32_t(bytes.size()), false);
    EXPECT_NE(At(plot, 10, Mid - 26), P::kLeftWave);
    for (int i = 0; i < 25; ++i)
        plot.StepZoom(true);
    EXPECT_EQ(plot.ZoomCaption(), "x20");
    EXPECT_EQ(At(plot, 10, Mid - 26), P::kLeftWave) << "redrawn at x20";
    for (int i = 0; i < 25; ++i)
        plot.StepZoom(false);
    EXPECT_EQ(plot.ZoomCaption(), "x1");

    plot.ShowText("No Sample");
    EXPECT_FALSE(plot.valid());
    const QImage message = plot.image().copy();
    EXPECT_EQ(message.pixel(2, 2), P::kTextBackground);
    EXPECT_GT(CountColour(message, QRect(W / 2 - 60, Mid - 12, 120, 24), P::kMessageText), 0);
    plot.StepZoom(true);
    EXPECT_EQ(plot.ZoomCaption(), "x2");
    EXPECT_EQ(plot.image(), message);
}

namespace {

class PlayerPanelTest : public ::testing::Test {
  protected:
    TempDir dir;
    TestEditorHost host;
    PlayerSettings settings{true, true, 0};
    PlayerPanel panel{host, [this] { return settings; }};
    MyWavePlot& plot = *panel.plot();

    void WriteSamples(const std::string& name, const std::vector<std::int16_t>& v, bool stereo) {
        WriteValues(dir / name, stereo, v);
        host.bank().path(2, 7) = (dir / name).string();
    }
    // The texts the plot showed, told apart by their pixels: render the text on a fresh plot.
    QImage MessageImage(const QString& text) {
        MyWavePlot reference;
        reference.ShowText(text);
        return reference.image();
    }
};

} // namespace

// The waveform of before never stays when the chosen source cannot give the selected slot.
TEST_F(PlayerPanelTest, LoadsPlotsAndShowsWhyNothingCanBePlayed) {
    WriteSamples("a.wav", std::vector<std::int16_t>(4800, 3000), false);
    panel.LoadPlayerSample(2, 7);
    EXPECT_TRUE(plot.valid());
    EXPECT_EQ(At(plot, 10, Mid - 4), P::kLeftWave); // 3000 reaches 4 pixels

    panel.LoadPlayerSample(2, 7, 3);
    EXPECT_FALSE(plot.valid());
    EXPECT_EQ(plot.image(), MessageImage("Multiple selection"));
    // Nothing loaded: pressing and releasing the plot plays nothing and says nothing.
    SendMouse(plot, QEvent::MouseButtonPress, {5, 5});
    EXPECT_FALSE(panel.playing());
    SendMouse(plot, QEvent::MouseButtonRelease, {5, 5});

    panel.LoadPlayerSample(2, 7);
    settings.fromWavFiles = false;
    host.bank().setLoadedFile((dir / "bank.ovs").string());
    panel.LoadPlayerSample(2, 7);
    EXPECT_EQ(plot.image(), MessageImage(kNoBankFileLoaded));
    panel.StartPlayback();
    EXPECT_FALSE(panel.playing());
    EXPECT_TRUE(host.services.transcript.empty());
    // The zoom label still follows the buttons.
    auto* label = panel.findChild<QLabel*>("zoomLabel");
    auto* up = panel.findChild<QToolButton*>("zoomUp");
    ASSERT_TRUE(label && up);
    up->click();
    EXPECT_EQ(label->text(), "x2");
}

TEST_F(PlayerPanelTest, TheFirstFrameIsSilencedOnlyWhenAsked) {
    // A loud first frame: after a play with silencing, a redraw no longer shows it.
    std::vector<std::int16_t> v(W, 0);
    v[0] = 32767;
    WriteSamples("loud.wav", v, false);
    settings.silenceFirstSample = false;
    panel.LoadPlayerSample(2, 7);
    panel.StartPlayback();
    panel.StopPlayback();
    plot.StepZoom(true);
    EXPECT_EQ(At(plot, 0, Mid - 43), P::kLeftWave);

    settings.silenceFirstSample = true;
    panel.StartPlayback();
    panel.StopPlayback();
    plot.StepZoom(true);
    EXPECT_NE(At(plot, 0, Mid - 1), P::kLeftWave);
}
