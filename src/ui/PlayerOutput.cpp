#include "ui/PlayerOutput.h"

#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>

namespace ovb {

namespace {
constexpr int kRate = 48000;
constexpr int kFollowMs = 16; // about the display rate
// After the sink has taken the last byte, the device gets this long to play what it holds
// before the playback is ended anyway.
constexpr qint64 kDrainLimitMs = 3000;
} // namespace

PlayerOutput::PlayerOutput() {
    follower_.setInterval(kFollowMs);
    QObject::connect(&follower_, &QTimer::timeout, [this] { poll(); });
}

PlayerOutput::~PlayerOutput() {
    Stop();
}

QAudioDevice PlayerOutput::DeviceOfTag(int tag) {
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    if (tag > 0 && tag <= outputs.size()) return outputs[tag - 1];
    return QMediaDevices::defaultAudioOutput();
}

QAudioFormat PlayerOutput::PlayerFormat(bool stereo) {
    QAudioFormat f;
    f.setSampleRate(kRate);
    f.setChannelCount(stereo ? 2 : 1);
    f.setSampleFormat(QAudioFormat::Int16);
    return f;
}

QString AudioErrorText(int error) {
    switch (QAudio::Error(error)) {
    case QAudio::OpenError:
        return "The audio output device could not be opened.";
    case QAudio::IOError:
        return "An error occurred while writing to the audio output device.";
    case QAudio::UnderrunError:
        return "The audio output device was not fed fast enough.";
    case QAudio::FatalError:
        return "The audio output device is not usable at this time.";
    case QAudio::NoError:
        break;
    }
    return "No error.";
}

void PlayerOutput::Start(const std::vector<std::uint8_t>& bytes, bool stereo, int deviceTag) {
    Stop();
    // A partial last frame cannot be played: the device takes whole frames only.
    const QAudioFormat format = PlayerFormat(stereo);
    bytesPerFrame_ = format.bytesPerFrame();
    total_ = bytes.size() - bytes.size() % std::size_t(bytesPerFrame_);
    if (total_ == 0) return;
    const QAudioDevice device = DeviceOfTag(deviceTag);
    if (device.isNull()) return fail("No audio output device is available.");
    if (!device.isFormatSupported(format))
        return fail("The audio output device \"" + device.description() +
                    "\" does not play 16-bit 48000 Hz " + (stereo ? "stereo." : "mono."));

    sink_.reset();
    source_.close();
    view_ = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(total_));
    source_.setBuffer(&view_);
    source_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    QObject::connect(sink_.get(), &QAudioSink::stateChanged, &follower_,
                     [this](QAudio::State s) { stateChanged(int(s)); });
    done_ = false;
    drained_ = false;
    sink_->start(&source_);
    if (done_) return; // the sink stopped at once and said why
    if (sink_->error() != QAudio::NoError) return fail(AudioErrorText(sink_->error()));
    follower_.start();
}

void PlayerOutput::Stop() {
    if (done_) return;
    sink_->stop(); // discards what the device still holds
    finish();
}

void PlayerOutput::stateChanged(int state) {
    if (done_) return;
    if (state == QAudio::IdleState && source_.atEnd()) {
        drained_ = true;
        sinceDrained_.start();
    } else if (state == QAudio::StoppedState) {
        const QAudio::Error error = sink_->error();
        if (error != QAudio::NoError)
            fail(AudioErrorText(error));
        else
            finish();
    }
}

std::uint64_t PlayerOutput::playedBytes() const {
    const std::uint64_t frames =
        std::uint64_t(std::max<qint64>(sink_->processedUSecs(), 0)) * kRate / 1000000;
    return frames * std::uint64_t(bytesPerFrame_);
}

void PlayerOutput::poll() {
    if (done_) return;
    const std::uint64_t played = playedBytes();
    if (drained_ && (played >= total_ || sinceDrained_.elapsed() > kDrainLimitMs)) {
        sink_->stop();
        return finish();
    }
    if (onPosition) onPosition(std::uint32_t(std::min(played, total_ - 1)));
}

void PlayerOutput::finish() {
    if (done_) return;
    done_ = true;
    follower_.stop();
    if (onDone) onDone();
}

void PlayerOutput::fail(const QString& text) {
    if (sink_ && !done_) sink_->stop();
    finish();
    if (onError) onError(text);
}

} // namespace ovb
