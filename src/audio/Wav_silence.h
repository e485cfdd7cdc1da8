#pragma once
// Where the near-silence at the start and end of a sample begins and ends, and the short
// fade-out placed where an end is cut so that the cut does not click.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace ovb {

// The amplitudes the measurements report on, quietest first.
constexpr std::array<int, 20> kSilenceThresholds{0,   3,   10,  30,  40,  50,  60,  70,  80,  90,
                                                 100, 110, 120, 130, 140, 150, 160, 170, 180, 190};
constexpr unsigned kFadeFrames = 96; // 2 ms at 48 kHz

// Frames (1 value mono, 2 values stereo) whose every value lies within -threshold..threshold,
// counted from the first frame forwards / from the last full frame backwards. A whole silent
// file gives all its frames.
std::size_t SilentHeadFrames(std::span<const std::int16_t> values, unsigned channels,
                             int threshold);
std::size_t SilentTailFrames(std::span<const std::int16_t> values, unsigned channels,
                             int threshold);

// Scales frame i of the kFadeFrames frames by (96 - i) / 96, truncating towards zero.
void FadeOut(std::span<std::int16_t> values, unsigned channels);

} // namespace ovb
