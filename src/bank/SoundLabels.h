#pragma once
// The words the sound editor shows for a sound's oscillator mode and category bits; the text
// forms of a bank use the same words.
#include <array>

namespace ovb {

constexpr int kOscillatorModes = 37;
constexpr int kCategories = 22;
// Oscillator mode names by osc_mode value, category captions by bit.
extern const std::array<const char*, kOscillatorModes> kOscillatorModeNames;
extern const std::array<const char*, kCategories> kCategoryCaptions;

} // namespace ovb
