#include "audio/Drawwaveplot.h"

#include "base/ByteOrder.h"

#include <algorithm>

namespace ovb {

namespace {

constexpr int kFullScale = 32767;

struct Peaks {
    int positive = 0; // largest positive sample
    int negative = 0; // largest magnitude of the negative samples (up to 32768)
};

Peaks PeaksOf(std::span<const std::uint8_t> bytes, unsigned channels, unsigned channel,
              std::uint64_t first, std::uint64_t end) {
    Peaks p;
    for (std::uint64_t f = first; f < end; ++f) {
        const int s = std::int16_t(GetLe16(bytes.data() + 2 * (f * channels + channel)));
        if (s > p.positive) p.positive = s;
        if (-s > p.negative) p.negative = -s;
    }
    return p;
}

// The zoomed peak, clamped so that -32768 reaches exactly as far as 32767, in pixels.
std::uint16_t Reach(int peak, unsigned zoom, float scale) {
    const long zoomed = std::min<long>(long(peak) * long(zoom + 1), kFullScale);
    return std::uint16_t(float(zoomed) * scale);
}

void Store(ColumnExtents& c, std::size_t x, Peaks p, unsigned zoom, float scale) {
    c.upper[x] = Reach(p.positive, zoom, scale);
    c.lower[x] = Reach(p.negative, zoom, scale);
}

} // namespace

WaveExtents ComputeWaveExtents(std::span<const std::uint8_t> bytes, bool stereo, int width,
                               int height, unsigned zoom) {
    WaveExtents out;
    const unsigned channels = stereo ? 2 : 1;
    out.stereo = stereo;
    out.frames = bytes.size() / (2 * channels);
    if (width <= 0) return out;
    zoom = std::min(zoom, kMaxZoom);
    const auto columns = std::size_t(width);
    for (ColumnExtents* c : {&out.left, &out.right}) {
        if (c == &out.right && !stereo) break;
        c->upper.assign(columns, 0);
        c->lower.assign(columns, 0);
    }

    // Single precision as the plot has always used: with fewer frames than columns some bounds
    // do not advance past a whole frame and their columns stay empty.
    const float scale = float(stereo ? height / 4 : height / 2) / 32768.0f;
    const float step = float(out.frames) / float(width);
    float bound = step;
    std::uint64_t index = 0;
    for (std::size_t x = 0; x < columns; ++x) {
        // The last column takes every frame that remains, even where float rounding of a large
        // frame count would fall short of it or pass it.
        const std::uint64_t end =
            x + 1 == columns ? out.frames : std::min(std::uint64_t(bound), out.frames);
        Store(out.left, x, PeaksOf(bytes, channels, 0, index, end), zoom, scale);
        if (stereo) Store(out.right, x, PeaksOf(bytes, channels, 1, index, end), zoom, scale);
        index = std::max(index, end);
        bound = x + 2 == columns ? float(out.frames) : bound + step;
    }
    return out;
}

std::string ZoomText(unsigned zoom) {
    // Appended rather than "x" + to_string(...): GCC 12 at -O3 warns falsely (-Wrestrict) on
    // the inlined insert at the front of a temporary string.
    std::string text = "x";
    text += std::to_string(zoom + 1);
    return text;
}

} // namespace ovb
