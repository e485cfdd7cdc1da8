#pragma once
// The arithmetic of drawing the wave plot: how the frames of a 16-bit buffer are shared out over
// the plot's columns and how far each column's line reaches above and below its channel's centre.
// Computed once per load or zoom change; the plot widget (ui/Wavplot.h) only paints the result.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ovb {

constexpr unsigned kMaxZoom = 19; // the amplitude multiplier is zoom + 1: x1 .. x20

// One channel: per column, the reach of the line above and below the channel's centre, in pixels.
struct ColumnExtents {
    std::vector<std::uint16_t> upper, lower;
};

struct WaveExtents {
    std::uint64_t frames = 0;
    bool stereo = false;
    ColumnExtents left;  // mono: the only channel
    ColumnExtents right; // stereo only
};

// bytes: interleaved little-endian 16-bit frames (a trailing partial frame is ignored).
// Mono uses half the height for each direction, stereo a quarter for each channel.
// width and height are the plot's size in pixels; zoom is 0..kMaxZoom.
WaveExtents ComputeWaveExtents(std::span<const std::uint8_t> bytes, bool stereo, int width,
                               int height, unsigned zoom);

// The caption of a zoom step: "x1" .. "x20".
std::string ZoomText(unsigned zoom);

} // namespace ovb
