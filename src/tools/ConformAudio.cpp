#include "tools/ConformAudio.h"

#include "base/ByteOrder.h"
#include "job/ReplacingFile.h"
#include "tools/Conform.h"
#include "wav/Wav_file_parser.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <sndfile.h>
#include <soxr.h>
#include <vector>

namespace ovb {

namespace {

constexpr unsigned kModuleRate = 48000;
constexpr std::size_t kBlockFrames = 1 << 16;

struct SndfileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};
using SndfilePtr = std::unique_ptr<SNDFILE, SndfileCloser>;

struct SoxrCloser {
    void operator()(soxr_t s) const { soxr_delete(s); }
};
using SoxrPtr = std::unique_ptr<std::remove_pointer_t<soxr_t>, SoxrCloser>;

SndfilePtr OpenForReading(const std::filesystem::path& file, SF_INFO& info, std::string& error) {
    info = SF_INFO{};
    SndfilePtr f(sf_open(file.c_str(), SFM_READ, &info));
    if (!f) error = sf_strerror(nullptr);
    return f;
}

std::string ContainerName(int format) {
    switch (format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
        return "WAV";
    case SF_FORMAT_WAVEX:
        return "WAV (extensible)";
    case SF_FORMAT_AIFF:
        return "AIFF";
    case SF_FORMAT_FLAC:
        return "FLAC";
    case SF_FORMAT_W64:
        return "W64";
    case SF_FORMAT_RF64:
        return "RF64";
    case SF_FORMAT_CAF:
        return "CAF";
    case SF_FORMAT_OGG:
        return "Ogg";
    default:
        return "other";
    }
}

std::string SampleName(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
        return "8-bit";
    case SF_FORMAT_PCM_U8:
        return "8-bit unsigned";
    case SF_FORMAT_PCM_16:
        return "16-bit";
    case SF_FORMAT_PCM_24:
        return "24-bit";
    case SF_FORMAT_PCM_32:
        return "32-bit";
    case SF_FORMAT_FLOAT:
        return "32-bit float";
    case SF_FORMAT_DOUBLE:
        return "64-bit float";
    case SF_FORMAT_ULAW:
        return "u-law";
    case SF_FORMAT_ALAW:
        return "A-law";
    case SF_FORMAT_VORBIS:
        return "Vorbis";
    default:
        return "encoded";
    }
}

bool IsExact16(int format) {
    const int sub = format & SF_FORMAT_SUBMASK;
    return sub == SF_FORMAT_PCM_16 || sub == SF_FORMAT_PCM_S8 || sub == SF_FORMAT_PCM_U8;
}

std::string ChannelName(int channels) {
    if (channels == 1) return "mono";
    if (channels == 2) return "stereo";
    return std::to_string(channels) + " channels";
}

// Writes the 16-bit frames of one file, stopping at the length its header announced.
class Sink {
  public:
    Sink(ReplacingFile& out, std::uint64_t frames, unsigned channels)
        : out_(out), left_(frames), channels_(channels) {}

    bool put(const std::int16_t* samples, std::uint64_t frames) {
        frames = std::min(frames, left_);
        left_ -= frames;
        return out_.write(samples, std::size_t(frames * channels_ * 2));
    }
    bool putFloat(const float* samples, std::uint64_t frames, TpdfDither& dither) {
        frames = std::min(frames, left_);
        buffer_.resize(std::size_t(frames * channels_));
        for (std::size_t i = 0; i < buffer_.size(); ++i)
            buffer_[i] = dither(samples[i]);
        return put(buffer_.data(), frames);
    }
    // A resampler may end a frame short of the rounded length: the rest is silence.
    bool finish() {
        std::vector<std::int16_t> zeros(std::size_t(left_ * channels_), 0);
        return put(zeros.data(), left_);
    }

  private:
    ReplacingFile& out_;
    std::uint64_t left_;
    unsigned channels_;
    std::vector<std::int16_t> buffer_;
};

struct Job {
    SNDFILE* in;
    const SF_INFO& info;
    Sink& sink;
    const ConvertControl& control;
    std::string& error;

    bool cancelled() const { return control.cancel && control.cancel->load(); }
    void counted(std::uint64_t frames) const {
        if (control.framesRead) *control.framesRead += frames;
    }
};

// 48 kHz sources of at most 16 bits: the samples go through unchanged.
ConvertOutcome CopyExact(Job& job) {
    std::vector<std::int16_t> buffer(kBlockFrames * std::size_t(job.info.channels));
    while (sf_count_t n = sf_readf_short(job.in, buffer.data(), kBlockFrames)) {
        if (job.cancelled()) return ConvertOutcome::Cancelled;
        if (!job.sink.put(buffer.data(), std::uint64_t(n))) return ConvertOutcome::Failed;
        job.counted(std::uint64_t(n));
    }
    return ConvertOutcome::Written;
}

// 48 kHz sources of more bits: dithered down.
ConvertOutcome DitherOnly(Job& job) {
    std::vector<float> buffer(kBlockFrames * std::size_t(job.info.channels));
    TpdfDither dither;
    while (sf_count_t n = sf_readf_float(job.in, buffer.data(), kBlockFrames)) {
        if (job.cancelled()) return ConvertOutcome::Cancelled;
        if (!job.sink.putFloat(buffer.data(), std::uint64_t(n), dither))
            return ConvertOutcome::Failed;
        job.counted(std::uint64_t(n));
    }
    return ConvertOutcome::Written;
}

ConvertOutcome Resample(Job& job) {
    const unsigned channels = unsigned(job.info.channels);
    soxr_error_t err = nullptr;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_VHQ, 0);
    const soxr_runtime_spec_t runtime =
        soxr_runtime_spec(std::max(1u, job.control.resamplerThreads));
    SoxrPtr rs(soxr_create(double(job.info.samplerate), kModuleRate, channels, &err, &io, &quality,
                           &runtime));
    if (!rs || err) {
        job.error = std::string("resampler: ") + (err ? err : "cannot start");
        return ConvertOutcome::Failed;
    }
    const std::size_t outFrames = kBlockFrames * kModuleRate / unsigned(job.info.samplerate) + 1024;
    std::vector<float> in(kBlockFrames * channels), out(outFrames * channels);
    TpdfDither dither;
    for (;;) {
        if (job.cancelled()) return ConvertOutcome::Cancelled;
        const sf_count_t n = sf_readf_float(job.in, in.data(), kBlockFrames);
        std::size_t used = 0;
        do { // with n == 0 the null input tells soxr that the source has ended
            std::size_t idone = 0, odone = 0;
            err = soxr_process(rs.get(), n ? in.data() + used * channels : nullptr,
                               std::size_t(n) - used, &idone, out.data(), outFrames, &odone);
            if (err) {
                job.error = std::string("resampler: ") + err;
                return ConvertOutcome::Failed;
            }
            if (!job.sink.putFloat(out.data(), odone, dither)) return ConvertOutcome::Failed;
            if (n != 0 && idone == 0 && odone == 0) {
                job.error = "resampler: no progress";
                return ConvertOutcome::Failed;
            }
            used += idone;
            if (n == 0 && odone == 0) return ConvertOutcome::Written;
        } while (used < std::size_t(n) || n == 0);
        job.counted(std::uint64_t(n));
    }
}

} // namespace

bool ProbeAudioFile(const std::filesystem::path& file, AudioFileInfo& info, std::string& error) {
    SF_INFO sf;
    SndfilePtr f = OpenForReading(file, sf, error);
    if (!f) return false;
    info.frames = sf.frames < 0 ? 0 : std::uint64_t(sf.frames);
    info.rate = unsigned(sf.samplerate);
    info.channels = unsigned(sf.channels);
    info.exact16 = IsExact16(sf.format);
    info.pcm16 = (sf.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16;
    info.format = ContainerName(sf.format) + " " + std::to_string(sf.samplerate) + " Hz " +
                  SampleName(sf.format) + " " + ChannelName(sf.channels);
    return true;
}

float TpdfDither::uniform() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return float(state_ >> 40) * (1.0f / 16777216.0f);
}

std::int16_t TpdfDither::operator()(float sample) {
    // The difference of two uniform values is triangular over (-1, 1) LSB.
    const float v = std::floor(sample * 32768.0f + (uniform() - uniform()) + 0.5f);
    return std::int16_t(std::clamp(v, -32768.0f, 32767.0f));
}

ConvertOutcome ConvertToModuleWav(const std::filesystem::path& source,
                                  const std::filesystem::path& target,
                                  const ConvertControl& control, std::string& error) {
    SF_INFO info;
    SndfilePtr in = OpenForReading(source, info, error);
    if (!in) return ConvertOutcome::Failed;
    if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0) {
        error = ChannelName(info.channels) + ": the module plays mono and stereo only";
        return ConvertOutcome::Failed;
    }
    const unsigned channels = unsigned(info.channels);
    const std::uint64_t frames = FramesAt48k(std::uint64_t(info.frames), unsigned(info.samplerate));
    const std::uint64_t dataBytes = frames * channels * 2;
    if (dataBytes > 0xFFFFFFFFull - 36) {
        error = "too long for a WAV file";
        return ConvertOutcome::Failed;
    }
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    ReplacingFile out(target);
    const auto header = MakeWavHeader(channels == 2, std::uint32_t(dataBytes));
    out.write(header.data(), header.size());
    Sink sink(out, frames, channels);
    Job job{in.get(), info, sink, control, error};
    ConvertOutcome outcome;
    if (unsigned(info.samplerate) != kModuleRate)
        outcome = Resample(job);
    else if (IsExact16(info.format))
        outcome = CopyExact(job);
    else
        outcome = DitherOnly(job);
    if (outcome == ConvertOutcome::Written && sf_error(in.get()) != SF_ERR_NO_ERROR) {
        error = std::string("cannot read: ") + sf_strerror(in.get());
        outcome = ConvertOutcome::Failed;
    }
    if (outcome == ConvertOutcome::Written && !(sink.finish() && out.commit())) {
        outcome = ConvertOutcome::Failed;
    }
    if (outcome == ConvertOutcome::Failed && error.empty()) error = out.error();
    return outcome; // anything not committed is discarded with `out`
}

} // namespace ovb
