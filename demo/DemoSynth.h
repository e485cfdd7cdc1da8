#pragma once
// Synthesised tones for the demo library: a few sine partials under an attack/decay envelope,
// with a short exact silence before the onset and a fade to zero at the end, so that the trim
// tools have a start and a tail to find.
#include "DemoInstruments.h"

#include <cstdint>
#include <vector>

namespace ovb::demo {

constexpr unsigned kSampleRate = 48000;
constexpr double kLeadSilenceSeconds = 0.020;

// 16-bit samples, interleaved left/right when stereo. Same input, same samples.
std::vector<std::int16_t> SynthesiseTone(Voice voice, unsigned note, bool stereo);

} // namespace ovb::demo
