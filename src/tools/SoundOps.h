#pragma once
// What the sound editor does to sound records: the row-drag operations, the zone shortcuts, the
// size query and removal. Everything works on the bank by sound index; references to sounds in
// the solo, F.bass and chord set-ups are never touched, so moving a sound leaves the set-ups
// pointing at whatever record now sits at their index.
#include "bank/Acc_bank_structure.h"

#include <cstdint>
#include <string>

namespace ovb {

enum class RowOperation { Move, Swap, Copy, Cancel };

// Move: the record at from goes to to, the records between shift by one place towards from's old
// slot. Swap exchanges the two records, Copy overwrites to with from, Cancel does nothing.
void ApplyRowOperation(as_bank& bank, RowOperation op, unsigned from, unsigned to);
void MoveSound(as_bank& bank, unsigned from, unsigned to);

// "[0042] - Piano           ": the text that names a sound in the operation dialog.
std::string SoundRowText(const as_bank& bank, unsigned sound);

// The highest multisample a zone list offers.
constexpr unsigned kLastMultisample = kMultisamples - 1;

// The zone-label shortcut: zone (1..19) gets the multisample after the one of the zone before
// it. Nothing changes when the zone before is empty, does not name a listed multisample, or
// already holds the last one. Returns whether the zone changed.
bool TakeNextMultisample(as_bank& bank, unsigned sound, unsigned zone);

// "<<": the sound takes the 16-byte name of zone 1's multisample. Nothing changes when zone 1 is
// empty or names no multisample of the bank. Returns whether the name was copied.
bool CopyZone1NameToSound(as_bank& bank, unsigned sound);

// Bytes of audio the sound needs in the bank: the samples of every distinct multisample its
// zones play. A multisample played by several zones is stored once and is counted once.
std::uint64_t SoundAudioBytes(const as_bank& bank, unsigned sound);

constexpr const char* kSoundSizeCaption = "Bank Manager";
// "Size of sound 0042 [Piano           ] is 1.5 MB."
std::string SoundSizeText(const as_bank& bank, unsigned sound);

void RemoveSound(as_bank& bank, unsigned sound);

// Zone values as the zone editor shows them.
std::string TransposeText(std::uint8_t stored); // 64 -> "+0", 52 -> "-12"
// One step of a velocity drag: up raises the limit, down lowers it, within 0..127.
void StepVelocityLimit(as_zone& zone, bool up);

} // namespace ovb
