#include "audio/Wav_silence.h"

namespace ovb {

namespace {

bool SilentFrame(const std::int16_t* frame, unsigned channels, int threshold) {
    for (unsigned c = 0; c < channels; ++c)
        if (frame[c] < -threshold || frame[c] > threshold) return false;
    return true;
}

} // namespace

std::size_t SilentHeadFrames(std::span<const std::int16_t> values, unsigned channels,
                             int threshold) {
    const std::size_t frames = values.size() / channels;
    std::size_t n = 0;
    while (n < frames && SilentFrame(&values[n * channels], channels, threshold))
        ++n;
    return n;
}

std::size_t SilentTailFrames(std::span<const std::int16_t> values, unsigned channels,
                             int threshold) {
    const std::size_t frames = values.size() / channels;
    std::size_t n = 0;
    while (n < frames && SilentFrame(&values[(frames - 1 - n) * channels], channels, threshold))
        ++n;
    return n;
}

void FadeOut(std::span<std::int16_t> values, unsigned channels) {
    for (unsigned i = 0; i < kFadeFrames; ++i)
        for (unsigned c = 0; c < channels; ++c) {
            std::int16_t& v = values[i * channels + c];
            v = std::int16_t(int(v) * int(kFadeFrames - i) / int(kFadeFrames));
        }
}

} // namespace ovb
