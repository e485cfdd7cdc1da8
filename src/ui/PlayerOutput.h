#pragma once
// One buffer played once on an output device, with its play position and a done state: the
// player's audio layer over Qt Multimedia. GUI thread only; the play position is polled at
// display rate by a timer, so nothing spins and nothing is drawn from another thread.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAudioSink;

namespace ovb {

class PlayerOutput {
  public:
    PlayerOutput();
    ~PlayerOutput();
    PlayerOutput(const PlayerOutput&) = delete;
    PlayerOutput& operator=(const PlayerOutput&) = delete;

    std::function<void(std::uint32_t)> onPosition; // bytes played so far, while playing
    std::function<void()> onDone;                  // the buffer is played out or stopped
    std::function<void(const QString&)> onError;   // a failure of the output device

    // Plays the whole frames of bytes once, 48000 Hz 16-bit, on the device of the tag (0: the
    // default output, n + 1: the n-th output listed). The bytes must stay as they are until the
    // done state: nothing may change or free them while playing() is true.
    void Start(const std::vector<std::uint8_t>& bytes, bool stereo, int deviceTag);
    // Ends a playback at once; returns in the done state.
    void Stop();
    bool playing() const { return !done_; }

    static QAudioDevice DeviceOfTag(int tag);
    static QAudioFormat PlayerFormat(bool stereo);

  private:
    void stateChanged(int state);
    void poll();
    void finish();
    void fail(const QString& text);
    std::uint64_t playedBytes() const;

    QByteArray view_; // the caller's bytes, not copied
    QBuffer source_;
    std::unique_ptr<QAudioSink> sink_; // after the source: destroyed before it
    QTimer follower_;
    QElapsedTimer sinceDrained_;
    std::uint64_t total_ = 0;
    int bytesPerFrame_ = 2;
    bool drained_ = false; // the sink has taken every byte; the device still plays them
    bool done_ = true;
};

// The text of a sink failure, for the "Wave Error" box.
QString AudioErrorText(int error);

} // namespace ovb
