#pragma once
// Keeping the sounds' groups honest: the Stereo group repaired from the WAV files the sounds
// play, lists of sounds by their group word, where a sound is used, and the reset of sounds
// marked unused by their name. The scans follow the frame of the consistency checks: progress
// while they run, a report when they found something, else a message; they return the count.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

#include <cstdint>

namespace ovb {

constexpr std::uint32_t kStereoGroup = 0x00100000;

// A zone slot word above 3 names a multisample other than 0.
bool SoundInUse(const as_sound& sound);

// Asks first (long-time warning); then as ScanStereoGroups.
unsigned FixStereoGroups(as_bank& bank, JobServices& ui);
// Sets the Stereo group of every sound that plays an existing stereo file and clears it on every
// other sound; returns the number of sounds changed. Files that are missing, unreadable or not
// accepted count as not stereo.
unsigned ScanStereoGroups(as_bank& bank, JobServices& ui);

// Sounds in use whose group word is 0.
unsigned CheckSoundsWithoutGroup(const as_bank& bank, JobServices& ui);

enum class GroupMatch { Equal, Common };
// Sounds in use whose group word equals (Equal) or shares a bit with (Common) groups.
unsigned CheckSoundsInGroups(const as_bank& bank, std::uint32_t groups, GroupMatch match,
                             JobServices& ui);

// Sounds in use that play exactly what an earlier sound plays: the whole record equal but the
// name. Each is listed once, beside the first sound it equals.
unsigned CheckDuplicatedSounds(const as_bank& bank, JobServices& ui);

// The solo, F.bass and chord set-ups that play the sound in a layer switched on.
void ShowWhereSoundIsUsed(const as_bank& bank, unsigned sound, JobServices& ui);

// Resets every sound whose 16 name bytes are exactly the empty-record name; returns how many
// changed (held anything but a new sound's bytes).
unsigned InitUnusedSounds(as_bank& bank);

} // namespace ovb
