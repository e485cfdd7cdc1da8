// Playback through a real PulseAudio server: the player finds the server's null sink, plays a
// sample to the end while the cursor moves across the plot, stops at once when asked, and what
// reaches the sink is the sample itself (recorded from the sink's monitor).
// Run through scripts/with-pulseaudio.sh, which starts the private server and names its sink.
#include "../ui/TestEditorHost.h"
#include "support/TestFiles.h"
#include "support/WavValues.h"
#include "ui/PlayerOutput.h"
#include "ui/PlayerPanel.h"
#include "ui/Wavplot.h"
#include "wav/Wav_file_parser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

using namespace ovb;
using namespace ovb::test;

namespace {

// The 1-based tag of the null sink in the device list, 0 when it is not listed.
int NullSinkTag() {
    const QString description = qEnvironmentVariable("OVB_TEST_SINK_DESCRIPTION");
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    for (int n = 0; n < outputs.size(); ++n)
        if (outputs[n].description() == description) return n + 1;
    return 0;
}

// Noise whose every value is non-zero and never repeats in a pattern, so that a stretch of the
// recording is found at one place of the sample only.
std::vector<std::int16_t> Noise(std::size_t frames, unsigned channels, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> value(-20000, 20000);
    std::vector<std::int16_t> v(frames * channels);
    for (auto& x : v)
        x = std::int16_t(value(rng) | 1);
    return v;
}

void Wait(
    int ms, const std::function<bool()>& done = [] { return false; }) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms && !done()) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

// Records the sink's monitor as 2-channel 16-bit 48000 Hz frames.
class MonitorRecording {
  public:
    explicit MonitorRecording(const std::filesystem::path& file) : file_(file) {
        process_.start("parec", {"--device=" + qEnvironmentVariable("OVB_TEST_SINK") + ".monitor",
                                 "--raw", "--format=s16le", "--rate=48000", "--channels=2",
                                 "--latency-msec=10", QString::fromStdString(file.string())});
        EXPECT_TRUE(process_.waitForStarted(5000)) << "parec did not start";
        Wait(500); // connected and recording silence before anything plays
    }
    // Stops the recorder and returns the frames as interleaved values.
    std::vector<std::int16_t> finish() {
        Wait(300);
        process_.terminate();
        process_.waitForFinished(5000);
        auto bytes = ReadAll(file_);
        std::vector<std::int16_t> values(bytes.size() / 2);
        std::memcpy(values.data(), bytes.data(), values.size() * 2);
        return values;
    }

  private:
    std::filesystem::path file_;
    QProcess process_;
};

// The monitor starts recording only a little after a stream starts, so the first few
// milliseconds are not in the recording. Checks that the recording holds the sample from a frame
// within its first 100 ms up to its very last frame, unchanged (mono: on both channels), and
// silence after it.
void ExpectRecordedSample(const std::vector<std::int16_t>& rec,
                          const std::vector<std::int16_t>& sample, unsigned channels) {
    // The first recorded frame whose left value is not silence.
    std::size_t first = 0;
    while (2 * first < rec.size() && rec[2 * first] == 0)
        ++first;
    ASSERT_LT(2 * first + 1, rec.size()) << "nothing reached the sink";
    auto recorded = [&](std::size_t frame, unsigned ch) { return rec[2 * frame + ch]; };
    auto played = [&](std::size_t frame, unsigned ch) {
        return sample[frame * channels + (channels == 2 ? ch : 0)];
    };
    const std::size_t frames = sample.size() / channels;
    std::size_t from = 0;
    while (from < 4800 && !(played(from, 0) == recorded(first, 0) &&
                            played(from + 1, 0) == recorded(first + 1, 0) &&
                            played(from + 2, 0) == recorded(first + 2, 0)))
        ++from;
    ASSERT_LT(from, 4800u) << "the first sound heard is not from the start of the sample";
    ASSERT_GE(rec.size() / 2, first + frames - from + 1) << "the sample was cut short";
    std::size_t wrong = 0;
    for (std::size_t f = from; f < frames; ++f)
        for (unsigned ch = 0; ch < 2; ++ch)
            wrong += recorded(first + f - from, ch) != played(f, ch);
    EXPECT_EQ(wrong, 0u) << "of " << frames - from << " frames";
    EXPECT_EQ(recorded(first + frames - from, 0), 0) << "more than the sample was played";
}

class Playback : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("OVB_TEST_SINK"))
            << "needs the private PulseAudio server: run through "
               "scripts/with-pulseaudio.sh";
        tag = NullSinkTag();
        ASSERT_NE(tag, 0) << "the null sink is not among the audio outputs";
        panel.show();
    }
    void Load(const std::vector<std::int16_t>& v, bool stereo) {
        WriteValues(dir / "sample.wav", stereo, v);
        host.bank().path(1, 0) = (dir / "sample.wav").string();
        panel.LoadPlayerSample(1, 0);
        ASSERT_TRUE(panel.plot()->valid());
    }
    // Runs the event loop while playing, noting every cursor column seen.
    std::vector<int> FollowUntilDone(int limitMs) {
        std::vector<int> columns;
        Wait(limitMs, [&] {
            const int c = panel.plot()->cursorColumn();
            if (c >= 0 && (columns.empty() || columns.back() != c)) columns.push_back(c);
            return !panel.playing();
        });
        return columns;
    }

    TempDir dir;
    TestEditorHost host;
    PlayerSettings settings{true, false, 0};
    PlayerPanel panel{host, [this] { return settings; }};
    int tag = 0;
};

} // namespace

TEST_F(Playback, SamplesPlayToTheEndOnTheChosenOutputAndReachTheSinkUnchanged) {
    ASSERT_EQ(QMediaDevices::defaultAudioOutput().description(),
              qEnvironmentVariable("OVB_TEST_SINK_DESCRIPTION"));
    EXPECT_EQ(PlayerOutput::DeviceOfTag(tag).id(), QMediaDevices::audioOutputs()[tag - 1].id());
    for (unsigned channels : {1u, 2u}) {
        SCOPED_TRACE(channels == 1 ? "mono on the null sink's tag" : "stereo on the default");
        const auto sample = Noise(24000, channels, channels); // half a second
        Load(sample, channels == 2);
        settings.deviceTag = channels == 1 ? tag : 0;
        MonitorRecording rec(dir / ("rec" + std::to_string(channels) + ".raw"));

        panel.StartPlayback();
        ASSERT_TRUE(panel.playing());
        const std::vector<int> columns = FollowUntilDone(10000);
        ASSERT_FALSE(panel.playing()) << "playback never reached its end";
        EXPECT_TRUE(host.services.transcript.empty()) << host.services.shown().front();
        // The cursor went forward only, across most of the plot, and is gone at the end.
        ASSERT_GE(columns.size(), 5u);
        EXPECT_TRUE(std::is_sorted(columns.begin(), columns.end()));
        EXPECT_GT(columns.back(), MyWavePlot::kWidth * 3 / 4);
        EXPECT_EQ(panel.plot()->cursorColumn(), -1);
        ExpectRecordedSample(rec.finish(), sample, channels);
    }
}

TEST_F(Playback, StoppingInTheMiddleEndsAtOnce) {
    const auto tone = Noise(48000 * 4, 1, 3); // four seconds
    Load(tone, false);
    MonitorRecording rec(dir / "long.raw");
    panel.StartPlayback();
    Wait(5000, [&] { return panel.plot()->cursorColumn() >= 60; });
    ASSERT_TRUE(panel.playing());
    ASSERT_GE(panel.plot()->cursorColumn(), 60);
    const int reached = panel.plot()->cursorColumn();
    panel.StopPlayback();
    EXPECT_FALSE(panel.playing());
    Wait(300);
    EXPECT_EQ(panel.plot()->cursorColumn(), -1) << "the cursor is shown after the stop";

    // The sink got about as far as the cursor showed, far from the four seconds.
    const auto recorded = rec.finish();
    std::size_t sounding = 0;
    for (std::size_t f = 0; f + 1 < recorded.size(); f += 2)
        sounding += recorded[f] != 0;
    EXPECT_GT(sounding, 0u);
    EXPECT_LT(sounding, tone.size() * std::size_t(reached + 60) / MyWavePlot::kWidth);
}

TEST_F(Playback, HoldingAnyButtonOnThePlotPlaysAndReleasingStops) {
    Load(Noise(48000 * 3, 1, 4), false);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        SendMouse(*panel.plot(), QEvent::MouseButtonPress, {10, 10}, button);
        EXPECT_TRUE(panel.playing());
        Wait(100);
        SendMouse(*panel.plot(), QEvent::MouseButtonRelease, {10, 10}, button);
        EXPECT_FALSE(panel.playing());
    }
    // A new selection while playing stops the playback before the buffer is replaced.
    panel.StartPlayback();
    ASSERT_TRUE(panel.playing());
    panel.LoadPlayerSample(1, 1);
    EXPECT_FALSE(panel.playing());
    EXPECT_EQ(panel.plot()->cursorColumn(), -1);
    EXPECT_TRUE(host.services.transcript.empty());
}
