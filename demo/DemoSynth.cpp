#include "DemoSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ovb::demo {

namespace {

struct Partial {
    double ratio;     // of the fundamental
    double amplitude; // relative
    double damping;   // extra decay per second on top of the voice's
};

struct Shape {
    double seconds;     // from the onset to the end of the fade
    double attack;      // seconds to full level
    double decay;       // time constant in seconds; 0 holds the level
    double fade;        // seconds of fade to zero at the end
    double detuneCents; // between the two channels of a stereo tone
    std::vector<Partial> partials;
};

const Shape& ShapeOf(Voice voice) {
    static const Shape piano{1.5,
                             0.004,
                             0.6,
                             0.25,
                             0,
                             {{1, 1.0, 0},
                              {2.003, 0.45, 1.0},
                              {3.008, 0.25, 2.0},
                              {4.017, 0.15, 3.0},
                              {5.030, 0.08, 4.0},
                              {6.047, 0.05, 5.0}}};
    static const Shape organ{
        1.2, 0.020,
        0,   0.15,
        0,   {{1, 1.0, 0}, {2, 0.6, 0}, {3, 0.35, 0}, {4, 0.3, 0}, {6, 0.15, 0}, {8, 0.1, 0}}};
    static const Shape strings{1.5,
                               0.150,
                               3.0,
                               0.30,
                               8,
                               {{1, 1.0, 0},
                                {2, 0.5, 0.2},
                                {3, 0.33, 0.4},
                                {4, 0.25, 0.6},
                                {5, 0.2, 0.8},
                                {6, 0.16, 1.0},
                                {7, 0.14, 1.2}}};
    static const Shape bells{2.0,
                             0.002,
                             0.9,
                             0.30,
                             0,
                             {{0.5, 0.5, 0},
                              {1, 1.0, 0.3},
                              {1.19, 0.45, 0.8},
                              {1.5, 0.35, 1.0},
                              {2, 0.3, 1.3},
                              {2.74, 0.2, 2.0},
                              {3.76, 0.12, 3.0}}};
    switch (voice) {
    case Voice::Piano:
        return piano;
    case Voice::Organ:
        return organ;
    case Voice::Strings:
        return strings;
    case Voice::Bells:
        return bells;
    }
    return piano;
}

double Frequency(unsigned note) {
    return 440.0 * std::exp2((double(note) - 69.0) / 12.0);
}

// Level of the whole tone at time t after the onset, without the partials' own damping.
double Envelope(const Shape& s, double t) {
    double level = 1;
    if (t < s.attack) level = std::pow(std::sin(0.5 * std::numbers::pi * t / s.attack), 2);
    if (s.decay > 0) level *= std::exp(-t / s.decay);
    double fadeStart = s.seconds - s.fade;
    if (t > fadeStart) level *= 0.5 + 0.5 * std::cos(std::numbers::pi * (t - fadeStart) / s.fade);
    return level;
}

// One channel, unscaled, from the onset on.
std::vector<double> Channel(const Shape& s, double fundamental) {
    const std::size_t frames = std::size_t(s.seconds * kSampleRate);
    std::vector<double> out(frames, 0.0);
    for (const Partial& p : s.partials) {
        const double f = fundamental * p.ratio;
        if (f >= 0.4 * kSampleRate) continue; // keep clear of aliasing
        for (std::size_t i = 0; i < frames; ++i) {
            const double t = double(i) / kSampleRate;
            out[i] +=
                p.amplitude * std::exp(-t * p.damping) * std::sin(2 * std::numbers::pi * f * t);
        }
    }
    for (std::size_t i = 0; i < frames; ++i)
        out[i] *= Envelope(s, double(i) / kSampleRate);
    out.back() = 0; // the fade ends exactly at zero
    return out;
}

} // namespace

std::vector<std::int16_t> SynthesiseTone(Voice voice, unsigned note, bool stereo) {
    const Shape& s = ShapeOf(voice);
    const double f = Frequency(note);
    std::vector<std::vector<double>> channels;
    if (stereo) {
        const double spread = std::exp2(s.detuneCents / 2 / 1200);
        channels = {Channel(s, f / spread), Channel(s, f * spread)};
    } else {
        channels = {Channel(s, f)};
    }
    double peak = 0;
    for (const auto& c : channels)
        for (double v : c)
            peak = std::max(peak, std::abs(v));
    const double gain = peak > 0 ? 0.7 * 32767 / peak : 0;

    const std::size_t lead = std::size_t(kLeadSilenceSeconds * kSampleRate);
    const std::size_t frames = channels[0].size();
    std::vector<std::int16_t> out((lead + frames) * channels.size(), 0);
    for (std::size_t i = 0; i < frames; ++i)
        for (std::size_t c = 0; c < channels.size(); ++c)
            out[(lead + i) * channels.size() + c] =
                std::int16_t(std::lround(channels[c][i] * gain));
    return out;
}

} // namespace ovb::demo
